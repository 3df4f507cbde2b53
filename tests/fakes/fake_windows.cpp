#include "fakes/fake_windows.h"

#include "platform/ports.h"

namespace tbq::test {

platform::WriteResult FakeWindows::SetTitle(platform::WindowId w, TextView title, bool unicode) {
    ++calls;
    auto it = windows_.find(w);
    if (it == windows_.end()) return platform::WriteResult::Gone;
    if (it->second.hung) {
        if (it->second.deliverLate) it->second.late = Text(title);
        return platform::WriteResult::Hung;
    }
    ++it->second.writes;
    // A narrow write keeps only what the code page can hold, as a real window does.
    const platform::CodePage& cp = platform::codepage();
    it->second.title = unicode ? Text(title) : cp.FromAnsi(cp.ToAnsi(title));
    return platform::WriteResult::Written;
}

}  // namespace tbq::test
