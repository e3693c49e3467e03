#include "platform/CommandLine.h"

#include <cstdio>
#include <string>

#include "data/GameVersion.h"
#include "tools/pilot/ToolArguments.h"

// Every environment setting the program reads belongs here: a test builds the game and checks
// that each VORTALIS2_ name its sources read is listed.
const char* helpText() {
    return "usage: vortalis2 [--version | --help]\n"
           "\n"
           "Starts VORTALIS 2: a small dialog chooses the resolution, full screen and the debug\n"
           "console, then the game window opens.\n"
           "\n"
           "options:\n"
           "  --version   print the version, the content hash of the game data and the licence,\n"
           "              then quit\n"
           "  --help      print this help, then quit\n"
           "\n"
           "environment:\n"
           "  XDG_DATA_HOME               the profile and the replays are kept in\n"
           "                              $XDG_DATA_HOME/vortalis2 (~/.local/share/vortalis2\n"
           "                              without it)\n"
           "  XDG_CONFIG_HOME             game controller mappings are read from\n"
           "                              $XDG_CONFIG_HOME/vortalis2/gamecontrollerdb.txt\n"
           "                              (~/.config/vortalis2/ without it)\n"
           "  VORTALIS2_GAME_SPEED=N      (test) play N frames, 1 to 32, for every frame drawn\n"
           "  VORTALIS2_ARCADE_FROM=N     (test) arcade games start at stage N, counted from 0,\n"
           "                              with a fresh stock\n"
           "  VORTALIS2_TEST_PILOT=1      (test) the autopilot flies every game in a ship nothing\n"
           "                              can shoot down\n"
           "  VORTALIS2_VIRTUAL_PAD=FILE  (test) attach a virtual game controller driven by the\n"
           "                              commands read from FILE (a file or a FIFO)\n"
           "\n"
           "Test settings are for the automated tests; a player never needs them.\n";
}

int answerCommandLine(int argc, char** argv) {
    if (argc < 2) {
        return -1;
    }
    const std::string argument = argv[1];
    if (argc == 2 && argument == "--help") {
        std::fputs(helpText(), stdout);
        return 0;
    }
    if (argc == 2 && argument == "--version") {
        // The package's console lines go to standard error; standard output holds the report.
        std::FILE* out = takeResultStream();
        const bool complete = printVersionReport(out);
        std::fclose(out);
        return complete ? 0 : 1;
    }
    for (int index = 1; index < argc; ++index) {
        const std::string given = argv[index];
        if (given != "--help" && given != "--version") {
            std::fprintf(stderr, "vortalis2: unknown argument '%s' (vortalis2 --help lists the options)\n",
                         given.c_str());
            return 2;
        }
    }
    std::fprintf(stderr, "vortalis2: give --version or --help alone\n");
    return 2;
}
