// The first start: the samples offered by "sample\sample.ini" (in English by
// "sample\en\sample.ini", whose files are plain ASCII), the take-over
// of the earlier version's "Kerova.ini", and the back-up of settings files a
// choice replaces.
#pragma once

#include <vector>

#include "base/text.h"

namespace tbq {

inline constexpr char16_t kSampleFile[] = u"sample\\sample.ini";
inline constexpr char16_t kEnglishSampleFile[] = u"sample\\en\\sample.ini";
inline constexpr char16_t kLegacyFile[] = u"Kerova.ini";

// The list of samples for the language in force, relative to the program folder.
const char16_t* SampleListFile();

// Sample `index` (1..999) of that list: true with its name and comment (where
// "\n" stands for a line break) when it has a name.
bool GetSampleInfo(int index, Text& name, Text& comment);

// Copies the files of sample `index` over the program folder's files. Every
// path must stay inside the program folder; a sample that names one outside
// copies nothing. A replaced file is kept as "<name>.bak" first, and missing
// folders of a target are made. False when the copy stopped (the user was
// told why).
bool ApplySample(int index);

// Turns the earlier version's settings file into the four settings files of
// `targetFolder` ("" for the program folder). The earlier file must exist;
// a relative path is taken from the program folder. Each replaced file is kept
// as "<name>.bak". False when the import stopped (the user was told why).
bool ImportLegacySettings(const Text& legacyPath, const Text& targetFolder);

// The earlier file's full path as the take-over reads it: relative paths are
// taken from the program folder; "" when no such file exists.
Text ResolveLegacyPath(const Text& path);

// The settings files of the program folder a choice would replace that exist
// now (their names), so the welcome window can say they are kept.
std::vector<Text> FilesToBeReplacedBySample(int index);
std::vector<Text> FilesToBeReplacedByImport();

// Keeps the file as "<path>.bak" (replacing an older back-up). True when the
// file is missing or was copied.
bool BackUpSettingFile(const Text& path);

}  // namespace tbq
