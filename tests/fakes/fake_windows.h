// Windows that exist only in the test: titles, parents, classes, hangs.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/windows.h"

namespace tbq::test {

class FakeWindows final : public platform::Windows {
public:
    struct Window {
        Text title;
        platform::WindowId parent = 0;
        Text className = u"TestWindow";
        std::uint32_t style = 0;
        std::uint32_t exStyle = 0;
        std::int32_t width = 0;
        platform::WindowId activeMdiChild = 0;
        bool hung = false;
        // A hung window's writes arrive once it answers again, as real ones do.
        std::optional<Text> late;
        bool deliverLate = false;
        std::uint32_t mark = 0;
        int writes = 0;
    };

    platform::WindowId Add(Text title, platform::WindowId parent = 0) {
        platform::WindowId id = next_++;
        windows_[id].title = std::move(title);
        windows_[id].parent = parent;
        return id;
    }
    void Close(platform::WindowId w) { windows_.erase(w); }
    // The window answers again: a write that timed out arrives now.
    void Wake(platform::WindowId w) {
        Window& win = windows_.at(w);
        win.hung = false;
        if (win.late) win.title = *win.late;
        win.late.reset();
    }
    Window& operator[](platform::WindowId w) { return windows_.at(w); }
    platform::WindowId foreground = 0;
    // Every call made to these windows, as each one would cross into the system.
    int calls = 0;

    bool IsWindow(platform::WindowId w) override {
        ++calls; return windows_.count(w) != 0; }
    std::optional<Text> GetTitle(platform::WindowId w, bool) override {
        ++calls;
        auto it = windows_.find(w);
        if (it == windows_.end()) return std::nullopt;
        return it->second.title;
    }
    platform::WriteResult SetTitle(platform::WindowId w, TextView title, bool unicode) override;
    platform::WindowId Foreground() override {
        ++calls; return foreground; }
    platform::WindowId Parent(platform::WindowId w) override {
        ++calls;
        auto it = windows_.find(w);
        return it == windows_.end() ? 0 : it->second.parent;
    }
    Text ClassName(platform::WindowId w) override {
        ++calls;
        auto it = windows_.find(w);
        return it == windows_.end() ? Text() : it->second.className;
    }
    std::uint32_t Style(platform::WindowId w) override {
        ++calls;
        auto it = windows_.find(w);
        return it == windows_.end() ? 0 : it->second.style;
    }
    std::uint32_t ExStyle(platform::WindowId w) override {
        ++calls;
        auto it = windows_.find(w);
        return it == windows_.end() ? 0 : it->second.exStyle;
    }
    std::int32_t Width(platform::WindowId w) override {
        ++calls;
        auto it = windows_.find(w);
        return it == windows_.end() ? 0 : it->second.width;
    }
    platform::WindowId ActiveMdiChild(platform::WindowId frame) override {
        ++calls;
        auto it = windows_.find(frame);
        return it == windows_.end() ? 0 : it->second.activeMdiChild;
    }
    // When set, every Flash call on a live window is written here: "flash <id> on|off".
    std::vector<std::string>* flashLog = nullptr;
    void Flash(platform::WindowId w, bool on) override {
        ++calls;
        if (IsWindow(w) && flashLog)
            flashLog->push_back("flash " + std::to_string(w) + (on ? " on" : " off"));
    }
    void SetMark(platform::WindowId w, std::uint32_t mark) override {
        ++calls;
        if (auto it = windows_.find(w); it != windows_.end()) it->second.mark = mark;
    }
    std::uint32_t GetMark(platform::WindowId w) override {
        ++calls;
        auto it = windows_.find(w);
        return it == windows_.end() ? 0 : it->second.mark;
    }
    void EnumerateTopLevel(const std::function<bool(platform::WindowId)>& visit) override {
        ++calls;
        for (auto& [id, w] : windows_)
            if (w.parent == 0 && !visit(id)) break;
    }

private:
    std::map<platform::WindowId, Window> windows_;
    platform::WindowId next_ = 0x100;
};

}  // namespace tbq::test
