// Sound and shell ports that write every call into one shared log, beside the
// fake library's alarm windows and the fake windows' flashing, so a test sees
// an alarm's actions in the order they happened.
#pragma once

#include <set>
#include <string>
#include <vector>

#include "platform/shell.h"
#include "platform/sound.h"

namespace tbq::test {

class FakeSound final : public platform::Sound {
public:
    explicit FakeSound(std::vector<std::string>& log) : log_(log) {}

    // Files that no "open" finds.
    std::set<std::string> missing;

    // Answers "status <alias> mode" with "stopped" for an opened alias, "" otherwise.
    Text SendCommand(TextView command) override {
        const std::string c = TextToUtf8(command);
        log_.push_back("mci " + c);
        const std::string alias = Word(c, c.rfind(' ') + 1);
        if (c.rfind("open ", 0) == 0 && !missing.count(c.substr(6, c.find('"', 6) - 6))) open_.insert(alias);
        if (c.rfind("close ", 0) == 0) open_.erase(Word(c, 6));
        if (c.rfind("status ", 0) == 0 && open_.count(Word(c, 7))) return u"stopped";
        return {};
    }
    void Beep(std::uint32_t code) override { log_.push_back("beep " + std::to_string(code)); }

private:
    static std::string Word(const std::string& s, std::size_t from) {
        return s.substr(from, s.find(' ', from) - from);
    }
    std::vector<std::string>& log_;
    std::set<std::string> open_;
};

class FakeShell final : public platform::Shell {
public:
    explicit FakeShell(std::vector<std::string>& log) : log_(log) {}
    void Open(TextView verb, TextView file, TextView parameters, TextView folder) override {
        log_.push_back("open " + TextToUtf8(verb) + "|" + TextToUtf8(file) + "|" +
                       TextToUtf8(parameters) + "|" + TextToUtf8(folder));
    }

private:
    std::vector<std::string>& log_;
};

}  // namespace tbq::test
