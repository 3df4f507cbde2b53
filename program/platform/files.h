// The file system as the logic sees it. Paths are program texts; the Windows
// adapter hands them to the wide-character API, the host adapter to POSIX.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/text.h"

namespace tbq::platform {

// What identifies one state of a file on disk: a changed stamp means the file
// was written, replaced or removed since the stamp was taken.
struct FileStamp {
    std::int64_t size = 0;
    std::int64_t writeTime = 0;  // adapter's own unit; only compared
    std::uint64_t identity = 0;  // file id / inode: changes when a file is replaced
    bool operator==(const FileStamp&) const = default;
};

enum class ReadStatus { Ok, Missing, Failed };

struct ReadResult {
    ReadStatus status = ReadStatus::Missing;
    std::string bytes;
};

// Result of looking up one string of a file's version resource.
struct VersionValue {
    bool hasVersionInfo = false;    // false: the file has no version resource at all
    std::optional<Text> value;      // the string, when the resource holds it
};

class Files {
public:
    virtual ~Files() = default;

    // Counts the changes this process made to the file system through any files
    // port (writes, copies, deletions, attributes), so that a cache can tell at
    // once that a file it holds may have changed under it.
    static std::uint64_t ChangeCount();

    // Reads a whole file. Failed also when it is larger than `limit` bytes.
    virtual ReadResult ReadAll(const Text& path, std::size_t limit) = 0;
    // The file's current stamp; nullopt when it does not exist or cannot be queried.
    virtual std::optional<FileStamp> Stamp(const Text& path) = 0;
    // Writes `bytes` to a new file beside `path`, flushes it to disk and renames
    // it over `path`. The file at `path` is always whole: old or new. Refuses
    // (returns false, changes nothing) when `path` is read-only.
    virtual bool ReplaceAtomically(const Text& path, std::string_view bytes) = 0;
    // Names (not paths) of the entries of a folder; nullopt when it cannot be listed.
    virtual std::optional<std::vector<Text>> ListFolder(const Text& folder) = 0;
    virtual std::optional<bool> IsReadOnly(const Text& path) = 0;
    virtual bool SetReadOnly(const Text& path, bool readOnly) = 0;
    virtual bool Copy(const Text& from, const Text& to, bool overwrite) = 0;
    virtual bool Delete(const Text& path) = 0;
    virtual Text CurrentDirectory() = 0;
    // Creates the folder and every missing folder above it; true when it
    // exists afterwards. (A port that cannot make folders refuses.)
    virtual bool CreateFolder(const Text& path) {
        (void)path;
        return false;
    }
    // One value of the version resource's string table 041104b0 (Japanese, UTF-16).
    virtual VersionValue ReadVersionString(const Text& path, const Text& key) = 0;

protected:
    static void NoteChange();
};

}  // namespace tbq::platform
