// Shell links through COM: IShellLinkA takes the caller's ANSI texts as they
// are, IPersistFile saves the link under its UTF-16 path.
#include <objbase.h>
#include <objidl.h>
#include <shlobj.h>

#include "frame/ansi_text.h"
#include "frame/services.h"

namespace tbq::library {

namespace {

// COM for this thread, undone only when this call did it: a caller whose
// thread is already in another apartment keeps it.
class ComApartment {
public:
    ComApartment() : hr_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ~ComApartment() {
        if (SUCCEEDED(hr_)) CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
    // RPC_E_CHANGED_MODE still leaves COM usable.
    bool Usable() const { return SUCCEEDED(hr_) || hr_ == RPC_E_CHANGED_MODE; }

private:
    HRESULT hr_;
};

template <typename Interface>
class ComRef {
public:
    ComRef() = default;
    ~ComRef() {
        if (p_) p_->Release();
    }
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;
    Interface* operator->() const { return p_; }
    Interface* get() const { return p_; }
    void** out() { return reinterpret_cast<void**>(&p_); }

private:
    Interface* p_ = nullptr;
};

const char* OrEmpty(const char* text) { return text ? text : ""; }

}  // namespace

bool SaveShellLink(const ShellLinkFields& f) {
    // The whole path is converted: cutting it would save the link elsewhere.
    const std::wstring linkPath = AnsiToWide(CallerText(f.linkPath));
    if (linkPath.empty()) return false;

    // Declared first so that it outlives the interfaces below.
    ComApartment com;
    if (!com.Usable()) return false;
    ComRef<IShellLinkA> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                link.out())) ||
        !link.get()) {
        return false;
    }
    // The link is saved whatever these say; a missing target is the caller's choice.
    link->SetPath(OrEmpty(f.targetPath));
    link->SetIconLocation(OrEmpty(f.iconFile), f.iconIndex);
    link->SetArguments(OrEmpty(f.arguments));
    link->SetDescription(OrEmpty(f.description));
    link->SetWorkingDirectory(OrEmpty(f.workDir));

    ComRef<IPersistFile> file;
    if (FAILED(link->QueryInterface(IID_IPersistFile, file.out())) || !file.get()) return false;
    return SUCCEEDED(file->Save(linkPath.c_str(), TRUE));
}

}  // namespace tbq::library
