// Message boxes answered by the test: every box shown is recorded, and the
// answers are given in order (Ok, or Cancel for a retry box, once they run out).
#pragma once

#include <deque>
#include <vector>

#include "platform/dialogs.h"

namespace tbq::test {

class FakeDialogs final : public platform::Dialogs {
public:
    struct Box {
        Text text, caption;
        platform::BoxStyle style;
    };
    std::vector<Box> shown;
    std::deque<platform::BoxAnswer> answers;

    platform::BoxAnswer Show(platform::WindowId, const Text& text, const Text& caption,
                             platform::BoxStyle style) override {
        shown.push_back({text, caption, style});
        if (!answers.empty()) {
            auto a = answers.front();
            answers.pop_front();
            return a;
        }
        return style == platform::BoxStyle::ErrorRetryCancel ? platform::BoxAnswer::Cancel
                                                             : platform::BoxAnswer::Ok;
    }
};

}  // namespace tbq::test
