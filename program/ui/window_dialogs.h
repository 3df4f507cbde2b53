// The dialogs port as the program's windows answer it: message boxes and file
// dialogs from the platform, the question with its check box and the input
// box from dialogs of our own.
#pragma once

#include "platform/dialogs.h"

namespace tbq::ui {

class WindowDialogs final : public platform::Dialogs {
public:
    explicit WindowDialogs(platform::Dialogs& boxes) : boxes_(boxes) {}
    platform::BoxAnswer Show(platform::WindowId owner, const Text& text, const Text& caption,
                             platform::BoxStyle style) override {
        return boxes_.Show(owner, text, caption, style);
    }
    platform::BoxAnswer AskWithCheck(platform::WindowId owner, const Text& text, const Text& caption,
                                     const Text& checkText, bool& checked) override;
    std::optional<Text> InputBox(platform::WindowId owner, const Text& prompt, const Text& note,
                                 const Text& title, const Text& defaultText) override;
    std::optional<Text> OpenFileName(platform::WindowId owner, const platform::FileRequest& r) override {
        return boxes_.OpenFileName(owner, r);
    }
    std::optional<Text> SaveFileName(platform::WindowId owner, const platform::FileRequest& r) override {
        return boxes_.SaveFileName(owner, r);
    }

private:
    platform::Dialogs& boxes_;
};

}  // namespace tbq::ui
