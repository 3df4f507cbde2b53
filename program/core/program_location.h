// Where the running program lives: its folder and the base name of its
// executable. WinMain sets them once at start-up; tests set their own.
#pragma once

#include "base/text.h"

namespace tbq {

// The product name the user sees in captions and where a title stands for "us".
inline constexpr char16_t kProductName[] = u"Lunetta";

// `folder` should end with a separator; one "\" is added when it does not.
void SetProgramLocation(Text folder, Text exeBaseName);

// The program's folder, with its trailing separator ("" until set).
const Text& ProgramFolder();

// The program's executable: folder + base name + ".exe".
Text ProgramFilePath();

}  // namespace tbq
