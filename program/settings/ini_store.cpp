#include "settings/ini_store.h"

#include "platform/ports.h"

namespace tbq {

namespace {
// One cache entry per file whatever the spelling of its path.
Text CacheKey(const Text& path) {
    Text key = FoldCase(path);
    for (auto& c : key)
        if (c == u'/') c = u'\\';
    return key;
}
}  // namespace

IniStore& IniStore::Instance() {
    static IniStore store;
    return store;
}

IniStore::Entry* IniStore::Load(const Text& path) {
    // Consecutive calls almost always name the same file: skip the key folding.
    Entry* e = nullptr;
    if (lastEntry_ && path == lastPath_) {
        e = lastEntry_;
    } else {
        Text key = CacheKey(path);
        auto it = entries_.find(key);
        if (it == entries_.end()) it = entries_.emplace(std::move(key), Entry{}).first;
        e = &it->second;
        e->path = path;
        lastPath_ = path;
        lastEntry_ = e;
    }
    if (e->dirty) return e;  // gathered writes are newer than the disk

    // Unsigned difference: right across the tick count's wrap at 2^32.
    const std::uint32_t time = platform::clock().TickCount();
    const std::uint64_t change = platform::Files::ChangeCount();
    if (e->loaded && change == e->checkedChange && time - e->checkedAt < kRecheckInterval)
        return e;
    e->checkedAt = time;
    e->checkedChange = change;
    std::optional<platform::FileStamp> now = platform::files().Stamp(path);
    if (e->loaded && e->stamp == now) return e;

    platform::ReadResult r = platform::files().ReadAll(path, kMaxFileBytes);
    e->stamp = now;
    e->loaded = true;
    e->readable = r.status != platform::ReadStatus::Failed;
    e->doc = r.status == platform::ReadStatus::Ok
                 ? IniDocument::Parse(r.bytes, platform::codepage())
                 : IniDocument();
    return e;
}

const IniDocument* IniStore::Read(const Text& path) {
    Entry* e = Load(path);
    return e->readable ? &e->doc : nullptr;
}

void IniStore::Write(const Text& path, TextView section, TextView key, TextView value) {
    Entry* e = Load(path);
    if (!e->readable) return;
    if (!e->doc.Set(section, key, value)) return;
    e->dirty = true;
    if (batchDepth_ == 0) Flush(*e);
}

bool IniStore::Flush(Entry& e, bool keepOnFailure) {
    if (!e.dirty) return true;
    if (platform::files().ReplaceAtomically(e.path, e.doc.Serialize(platform::codepage()))) {
        e.dirty = false;
        e.stamp = platform::files().Stamp(e.path);
        return true;
    }
    if (keepOnFailure) return false;
    e.dirty = false;
    // The file stays as it was; so must our view of it.
    e.loaded = false;
    e.doc = IniDocument();
    return false;
}

bool IniStore::Flush(const Text& path, bool keepOnFailure) {
    auto it = entries_.find(CacheKey(path));
    return it == entries_.end() || Flush(it->second, keepOnFailure);
}

void IniStore::Discard(const Text& path) {
    auto it = entries_.find(CacheKey(path));
    if (it == entries_.end()) return;
    it->second.dirty = false;
    it->second.loaded = false;
    it->second.doc = IniDocument();
}

bool IniStore::FlushAll() {
    bool ok = true;
    for (auto& [key, e] : entries_) ok = Flush(e) && ok;
    return ok;
}

void IniStore::EndBatch() {
    if (batchDepth_ > 0 && --batchDepth_ == 0) FlushAll();
}

void IniStore::Reset() {
    FlushAll();
    entries_.clear();
    lastEntry_ = nullptr;
    lastPath_.clear();
}

}  // namespace tbq
