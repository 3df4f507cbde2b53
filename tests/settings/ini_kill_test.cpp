// A writer killed at any moment leaves the settings file whole: either the
// file before its last save or the file after it, never a mix or a fragment.
#ifndef _WIN32
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <random>
#include <thread>

#include "fakes/temp_folder.h"
#include "settings/ini_file.h"
#include "settings/ini_store.h"

extern char** environ;

namespace tbq {
namespace {

// Starts the writer and returns once its first round is on disk.
pid_t StartWriter(const std::string& file) {
    int fds[2];
    if (::pipe(fds) != 0) return -1;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], 1);
    posix_spawn_file_actions_addclose(&actions, fds[0]);
    std::string exe = TBQ_INI_WRITER, rounds = "1000000";
    char* argv[] = {exe.data(), const_cast<char*>(file.c_str()), rounds.data(), nullptr};
    pid_t pid = -1;
    int rc = posix_spawn(&pid, exe.c_str(), &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(fds[1]);
    char c;
    while (rc == 0 && ::read(fds[0], &c, 1) == 1 && c != '\n') {
    }
    ::close(fds[0]);
    return rc == 0 ? pid : -1;
}

TEST(IniKillTest, KilledWriterLeavesOldOrNewFileNeverBroken) {
    test::TempFolder dir;
    const std::string file = dir.Native("settings.ini").string();
    std::mt19937 rng(7);
    for (int attempt = 0; attempt < 12; ++attempt) {
        pid_t pid = StartWriter(file);
        ASSERT_GT(pid, 0);
        std::this_thread::sleep_for(std::chrono::microseconds(rng() % 40000));
        ::kill(pid, SIGKILL);
        int status = 0;
        ::waitpid(pid, &status, 0);

        IniStore::Instance().Reset();
        vbIniFile ini(dir.Path("settings.ini"));
        const Text first = ini.GetText(u"Section1", u"Key1", u"");
        ASSERT_EQ(first.rfind(u"round", 0), 0u) << "attempt " << attempt;
        for (int s = 1; s <= 200; ++s)
            for (int k = 1; k <= 20; ++k)
                ASSERT_EQ(ini.GetText(u"Section" + NumberText(s), u"Key" + NumberText(k), u""),
                          first)
                    << "attempt " << attempt << " section " << s << " key " << k;
    }
    IniStore::Instance().Reset();
}

}  // namespace
}  // namespace tbq
#endif
