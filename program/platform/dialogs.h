// Message boxes and the small standard dialogs the user must answer. Tests
// answer them with a fake.
#pragma once

#include <optional>
#include <vector>

#include "base/text.h"
#include "platform/windows.h"

namespace tbq::platform {

enum class BoxStyle { Information, Warning, Error, ErrorRetryCancel, Question };
enum class BoxAnswer { Ok, Retry, Cancel, Yes, No };

// One line of a file dialog's type list: what the user reads and the pattern.
struct FileFilter {
    Text description;  // "全てのファイル(*.*)"
    Text pattern;      // "*.*"
};

struct FileRequest {
    Text title;
    std::vector<FileFilter> filters;
    Text folder;    // where the dialog starts ("" for the dialog's own choice)
    Text fileName;  // the name offered at first
};

class Dialogs {
public:
    virtual ~Dialogs() = default;
    virtual BoxAnswer Show(WindowId owner, const Text& text, const Text& caption,
                                 BoxStyle style) = 0;
    // The question dialog with Yes and No and a check box captioned
    // `checkText`: `checked` goes in as the box's first state and comes back
    // as the user left it, whatever the answer.
    virtual BoxAnswer AskWithCheck(WindowId owner, const Text& text, const Text& caption,
                                   const Text& checkText, bool& checked) = 0;
    // A one-line text asked for with `prompt` and the smaller `note` under it;
    // nullopt when the user cancels.
    virtual std::optional<Text> InputBox(WindowId owner, const Text& prompt, const Text& note,
                                         const Text& title, const Text& defaultText) = 0;
    // The full path of a file chosen to be read (it must exist) or written;
    // nullopt when the user cancels.
    virtual std::optional<Text> OpenFileName(WindowId owner, const FileRequest& request) = 0;
    virtual std::optional<Text> SaveFileName(WindowId owner, const FileRequest& request) = 0;
};

}  // namespace tbq::platform
