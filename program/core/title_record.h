// The record of the window we decorate, kept in the program folder so that a
// title we wrote is given back even when the program did not end normally
// (killed, crashed, or the machine shut down under it).
#pragma once

#include "core/text.h"
#include "core/title_writer.h"

namespace tbq {

class TitleRecord {
public:
    static constexpr char16_t kFileName[] = u"TBQ_Restore.ini";

    explicit TitleRecord(Text file) : file_(std::move(file)) {}

    // Keeps the writer's current window, own title and shown text (or clears the
    // record when it decorates nothing).
    void Save(const vbKerova_TitleBar& writer);
    // At start-up: the recorded window gets its own title back when its title
    // is still text we wrote. Returns whether a title was given back.
    bool RestoreAfterCrash(bool unicode);

private:
    Text file_;
};

}  // namespace tbq
