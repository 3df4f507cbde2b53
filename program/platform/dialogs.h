// Message boxes the user must see. Tests answer them with a fake.
#pragma once

#include "base/text.h"
#include "platform/windows.h"

namespace tbq::platform {

enum class BoxStyle { Information, Warning, Error, ErrorRetryCancel, Question };
enum class BoxAnswer { Ok, Retry, Cancel, Yes, No };

class Dialogs {
public:
    virtual ~Dialogs() = default;
    virtual BoxAnswer Show(WindowId owner, const Text& text, const Text& caption,
                                 BoxStyle style) = 0;
};

}  // namespace tbq::platform
