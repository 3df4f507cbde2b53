// Move-only owners of Win32 resources: each keeps its handle and releases it once.
#pragma once

#include <windows.h>

#include <utility>

namespace tbq::win32 {

template <typename Handle, auto Release, Handle Invalid>
class UniqueResource {
public:
    UniqueResource() = default;
    explicit UniqueResource(Handle h) : h_(h) {}
    ~UniqueResource() { reset(); }
    UniqueResource(UniqueResource&& o) noexcept : h_(std::exchange(o.h_, Invalid)) {}
    UniqueResource& operator=(UniqueResource&& o) noexcept {
        if (this != &o) reset(std::exchange(o.h_, Invalid));
        return *this;
    }
    UniqueResource(const UniqueResource&) = delete;
    UniqueResource& operator=(const UniqueResource&) = delete;

    Handle get() const { return h_; }
    explicit operator bool() const { return h_ != Invalid; }
    Handle release() { return std::exchange(h_, Invalid); }
    void reset(Handle h = Invalid) {
        Handle old = std::exchange(h_, h);
        if (old != Invalid) Release(old);
    }

private:
    Handle h_ = Invalid;
};

inline void CloseHandleNoThrow(HANDLE h) { ::CloseHandle(h); }
inline void FreeLibraryNoThrow(HMODULE h) { ::FreeLibrary(h); }

// INVALID_HANDLE_VALUE is not a constant expression, so file handles use a
// wrapper that treats both null and INVALID_HANDLE_VALUE as "none".
class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(HANDLE h) : h_(h == INVALID_HANDLE_VALUE ? nullptr : h) {}
    ~UniqueHandle() { reset(); }
    UniqueHandle(UniqueHandle&& o) noexcept : h_(std::exchange(o.h_, nullptr)) {}
    UniqueHandle& operator=(UniqueHandle&& o) noexcept {
        if (this != &o) reset(std::exchange(o.h_, nullptr));
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    HANDLE get() const { return h_; }
    explicit operator bool() const { return h_ != nullptr; }
    void reset(HANDLE h = nullptr) {
        HANDLE old = std::exchange(h_, h);
        if (old) ::CloseHandle(old);
    }

private:
    HANDLE h_ = nullptr;
};

using UniqueModule = UniqueResource<HMODULE, &FreeLibraryNoThrow, nullptr>;

}  // namespace tbq::win32
