// Rewrites one settings file over and over, each round giving every key the
// round's number. The fault tests kill it at random moments and then check
// that the file holds one whole round: never a mix, never a broken file.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "settings/ini_file.h"
#include "settings/ini_store.h"

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: ini_writer FILE ROUNDS\n");
        return 2;
    }
    tbq::vbIniFile ini(tbq::Utf8ToText(argv[1]));
    const int rounds = std::atoi(argv[2]);
    for (int round = 1; round <= rounds; ++round) {
        {
            tbq::IniWriteBatch batch;
            const tbq::Text value = u"round" + tbq::NumberText(round);
            for (int s = 1; s <= 200; ++s)
                for (int k = 1; k <= 20; ++k)
                    ini.SetText(u"Section" + tbq::NumberText(s), u"Key" + tbq::NumberText(k), value);
        }
        if (round == 1) {
            std::printf("ready\n");
            std::fflush(stdout);
        }
    }
    return 0;
}
