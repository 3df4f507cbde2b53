// The program's shortcut in the user's start-up folder ("Lunetta.lnk"), which
// starts it with Windows.
#pragma once

#include "base/text.h"
#include "core/library_wrapper.h"

namespace tbq {

// The shortcut's full path; "" when the system names no start-up folder.
Text StartupShortcutPath();

// `queryOnly`: whether the shortcut exists. Otherwise registers it (and tells
// the user how that went) or removes it, and returns false.
bool StartupShortcut(vbKerova_Dll& dll, bool queryOnly, bool doRegister);

}  // namespace tbq
