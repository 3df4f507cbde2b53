// Message boxes answered by the test: every box shown is recorded, and the
// answers are given in order (Ok, or Cancel for a retry box, once they run out).
// The question with a check box takes its answers from the same queue (No once
// it runs out) and leaves the box as `ticks` says; text and file requests take
// theirs from `inputs` and `files` (cancelled once they run out).
#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

#include "platform/dialogs.h"

namespace tbq::test {

class FakeDialogs final : public platform::Dialogs {
public:
    struct Box {
        Text text, caption;
        platform::BoxStyle style;
        Text checkText;  // the check box of a question, "" for a plain box
    };
    struct Input {
        Text prompt, note, title, defaultText;
    };
    std::vector<Box> shown;
    std::deque<platform::BoxAnswer> answers;
    std::deque<bool> ticks;
    std::vector<Input> asked;
    std::deque<std::optional<Text>> inputs;
    std::vector<platform::FileRequest> fileRequests;
    std::deque<std::optional<Text>> files;
    // Runs while the next question with a check box is open, as a timer would.
    std::function<void()> whileAsking;

    platform::BoxAnswer Show(platform::WindowId, const Text& text, const Text& caption,
                             platform::BoxStyle style) override {
        shown.push_back({text, caption, style, {}});
        if (!answers.empty()) return Next(answers);
        return style == platform::BoxStyle::ErrorRetryCancel ? platform::BoxAnswer::Cancel
                                                             : platform::BoxAnswer::Ok;
    }
    platform::BoxAnswer AskWithCheck(platform::WindowId, const Text& text, const Text& caption,
                                     const Text& checkText, bool& checked) override {
        shown.push_back({text, caption, platform::BoxStyle::Question, checkText});
        if (whileAsking) std::exchange(whileAsking, nullptr)();
        if (!ticks.empty()) checked = Next(ticks);
        return answers.empty() ? platform::BoxAnswer::No : Next(answers);
    }
    std::optional<Text> InputBox(platform::WindowId, const Text& prompt, const Text& note,
                                 const Text& title, const Text& defaultText) override {
        asked.push_back({prompt, note, title, defaultText});
        return inputs.empty() ? std::nullopt : Next(inputs);
    }
    std::optional<Text> OpenFileName(platform::WindowId, const platform::FileRequest& r) override {
        fileRequests.push_back(r);
        return files.empty() ? std::nullopt : Next(files);
    }
    std::optional<Text> SaveFileName(platform::WindowId, const platform::FileRequest& r) override {
        return OpenFileName(0, r);
    }

private:
    template <typename T>
    static T Next(std::deque<T>& queue) {
        T v = queue.front();
        queue.pop_front();
        return v;
    }
};

}  // namespace tbq::test
