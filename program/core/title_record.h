// The record of the window we decorate, kept in the program folder so that a
// title we wrote is given back even when the program did not end normally
// (killed, crashed, or the machine shut down under it).
#pragma once

#include <vector>

#include "base/text.h"
#include "core/title_writer.h"

namespace tbq {

class TitleRecord {
public:
    static constexpr char16_t kFileName[] = u"TBQ_Restore.ini";

    explicit TitleRecord(Text file) : file_(std::move(file)) {}

    // At most this many restores that wait on hung windows are recorded.
    static constexpr std::size_t kMaxPending = 32;

    struct AfterCrash {
        std::size_t restored = 0;
        // Windows still hung: handed to the title writer to try again.
        std::vector<vbKerova_TitleBar::Restore> waiting;
    };

    // Keeps the writer's current window, own title and shown text (or clears the
    // record when it decorates nothing), and the restores it still waits to do.
    void Save(const vbKerova_TitleBar& writer);
    // At start-up: each recorded window gets its own title back when its title
    // is still text we wrote. The record is spent.
    AfterCrash RestoreAfterCrash(bool unicode);

private:
    Text file_;
};

}  // namespace tbq
