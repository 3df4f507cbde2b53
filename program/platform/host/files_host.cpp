// POSIX file system for the host build (tests, benchmarks). Paths may use "\"
// as the program does on Windows; both separators are taken as "/".
#include "platform/host/host_ports.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>

namespace tbq::platform {

namespace {

std::string Native(const Text& path) {
    std::string p = TextToUtf8(path);
    for (auto& c : p)
        if (c == '\\') c = '/';
    return p;
}

bool WriteFully(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes.remove_prefix(static_cast<size_t>(n));
    }
    return true;
}

// Root ignores permission bits, so "read-only" is the absence of every write bit,
// which is what the Windows read-only attribute maps to here.
bool ModeIsReadOnly(mode_t mode) { return (mode & 0222) == 0; }

}  // namespace

ReadResult HostFiles::ReadAll(const Text& path, std::size_t limit) {
    ReadResult r;
    int fd = ::open(Native(path).c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        r.status = (errno == ENOENT || errno == ENOTDIR) ? ReadStatus::Missing : ReadStatus::Failed;
        return r;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) ||
        static_cast<unsigned long long>(st.st_size) > limit) {
        ::close(fd);
        r.status = ReadStatus::Failed;
        return r;
    }
    r.bytes.resize(static_cast<size_t>(st.st_size));
    size_t got = 0;
    while (got < r.bytes.size()) {
        ssize_t n = ::read(fd, r.bytes.data() + got, r.bytes.size() - got);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        got += static_cast<size_t>(n);
    }
    ::close(fd);
    // A read cut short is no file: writing it back would lose the rest.
    if (got != r.bytes.size()) {
        r.bytes.clear();
        r.status = ReadStatus::Failed;
        return r;
    }
    r.status = ReadStatus::Ok;
    return r;
}

std::optional<FileStamp> HostFiles::Stamp(const Text& path) {
    struct stat st {};
    if (::stat(Native(path).c_str(), &st) != 0) return std::nullopt;
    FileStamp s;
    s.size = st.st_size;
    s.writeTime = static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    s.identity = st.st_ino;
    return s;
}

bool HostFiles::ReplaceAtomically(const Text& path, std::string_view bytes) {
    NoteChange();
    const std::string target = Native(path);
    struct stat st {};
    mode_t mode = 0644;
    if (::stat(target.c_str(), &st) == 0) {
        if (!S_ISREG(st.st_mode) || ModeIsReadOnly(st.st_mode)) return false;
        mode = st.st_mode & 07777;
    }
    const std::string temp = target + ".tbq~";
    int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, mode);
    if (fd < 0) return false;
    bool ok = WriteFully(fd, bytes) && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    if (ok) ok = ::rename(temp.c_str(), target.c_str()) == 0;
    if (!ok) {
        ::unlink(temp.c_str());
        return false;
    }
    // Make the rename itself durable.
    std::string dir = target.substr(0, target.find_last_of('/') + 1);
    int dfd = ::open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dfd >= 0) {
        ::fsync(dfd);
        ::close(dfd);
    }
    return true;
}

std::optional<std::vector<Text>> HostFiles::ListFolder(const Text& folder) {
    const std::string dir = folder.empty() ? std::string(".") : Native(folder);
    DIR* d = ::opendir(dir.c_str());
    if (!d) return std::nullopt;
    std::vector<Text> names;
    while (dirent* e = ::readdir(d)) {
        std::string_view n = e->d_name;
        if (n == "." || n == "..") continue;
        names.push_back(Utf8ToText(n));
    }
    ::closedir(d);
    return names;
}

std::optional<bool> HostFiles::IsReadOnly(const Text& path) {
    struct stat st {};
    if (::stat(Native(path).c_str(), &st) != 0) return std::nullopt;
    return ModeIsReadOnly(st.st_mode);
}

bool HostFiles::SetReadOnly(const Text& path, bool readOnly) {
    NoteChange();
    struct stat st {};
    const std::string p = Native(path);
    if (::stat(p.c_str(), &st) != 0) return false;
    mode_t mode = st.st_mode & 07777;
    mode = readOnly ? (mode & ~0222) : (mode | 0200);
    return ::chmod(p.c_str(), mode) == 0;
}

bool HostFiles::Copy(const Text& from, const Text& to, bool overwrite) {
    NoteChange();
    if (!overwrite && Stamp(to)) return false;
    ReadResult r = ReadAll(from, SIZE_MAX);
    if (r.status != ReadStatus::Ok) return false;
    return ReplaceAtomically(to, r.bytes);
}

bool HostFiles::CreateFolder(const Text& path) {
    NoteChange();
    std::string p = Native(path);
    while (p.size() > 1 && p.back() == '/') p.pop_back();
    struct stat st {};
    if (p.empty() || (::stat(p.c_str(), &st) == 0 && S_ISDIR(st.st_mode))) return !p.empty();
    const std::size_t slash = p.rfind('/');
    if (slash != std::string::npos && slash > 0 &&
        !CreateFolder(Utf8ToText(p.substr(0, slash))))
        return false;
    return ::mkdir(p.c_str(), 0777) == 0 || errno == EEXIST;
}

bool HostFiles::Delete(const Text& path) {
    NoteChange();
    return ::unlink(Native(path).c_str()) == 0;
}

Text HostFiles::CurrentDirectory() {
    char buf[PATH_MAX];
    if (!::getcwd(buf, sizeof buf)) return Text();
    return Utf8ToText(buf);
}

VersionValue HostFiles::ReadVersionString(const Text&, const Text&) {
    return {};  // host files carry no version resources
}

}  // namespace tbq::platform
