// The parsed settings files of this process, shared by every vbIniFile.
//
// A file is parsed once and kept until it changes on disk (its stamp differs).
// Writes change the parsed copy; outside a write batch each write replaces the
// file at once, inside one the file is replaced once when the outermost batch
// ends. Either way the file on disk is replaced atomically: it is always the
// old file or the new one, never half of either.
#pragma once

#include <cstdint>
#include <optional>
#include <unordered_map>

#include "base/text.h"
#include "platform/files.h"
#include "settings/ini_document.h"

namespace tbq {

class IniStore {
public:
    // Files larger than this are not read (their keys read as defaults) and never
    // written, so that a huge file we could not read is never replaced.
    static constexpr std::size_t kMaxFileBytes = 16u << 20;

    // A cached file is looked at on disk again when this much time has passed
    // since the last look, or at once after any change this process made through
    // the files port. Loaders read thousands of keys in a burst; one look at the
    // disk per burst instead of one per key is most of their speed.
    // In milliseconds of the clock port's tick count.
    static constexpr std::uint32_t kRecheckInterval = 1;

    static IniStore& Instance();

    // The file's current contents; nullptr when it exists but cannot be read.
    const IniDocument* Read(const Text& path);
    // Sets one key. A write that cannot be done is dropped silently and leaves
    // the file as it was.
    void Write(const Text& path, TextView section, TextView key, TextView value);

    // Writes the gathered changes of one file now (also inside a batch).
    // False when the file could not be written; its gathered changes are then
    // dropped, or, with `keepOnFailure`, kept for another try (a save that asks
    // the user to retry) until Flush succeeds or Discard drops them.
    bool Flush(const Text& path, bool keepOnFailure = false);
    void Discard(const Text& path);
    // Writes every gathered change now. Returns false when some file could not
    // be written (its gathered changes are dropped).
    bool FlushAll();
    // Forgets every cached file (gathered changes are flushed first).
    void Reset();

    void BeginBatch() { ++batchDepth_; }
    void EndBatch();

private:
    struct Entry {
        Text path;
        IniDocument doc;
        std::optional<platform::FileStamp> stamp;
        std::uint32_t checkedAt = 0;
        std::uint64_t checkedChange = 0;
        bool loaded = false;
        bool readable = true;
        bool dirty = false;
    };

    Entry* Load(const Text& path);
    bool Flush(Entry& e, bool keepOnFailure = false);

    std::unordered_map<Text, Entry> entries_;
    Text lastPath_;
    Entry* lastEntry_ = nullptr;
    int batchDepth_ = 0;
};

// Gathers writes for speed: files are replaced once, when the outermost batch
// ends. Reads inside the batch see every write made so far.
class IniWriteBatch {
public:
    IniWriteBatch() { IniStore::Instance().BeginBatch(); }
    ~IniWriteBatch() { IniStore::Instance().EndBatch(); }
    IniWriteBatch(const IniWriteBatch&) = delete;
    IniWriteBatch& operator=(const IniWriteBatch&) = delete;
};

}  // namespace tbq
