#include "app/command_line.h"

namespace vellmora {

InfoRequest infoRequest(const std::vector<std::string>& args) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--help") {
            return InfoRequest::Help;
        }
        if (arg == "--version") {
            return InfoRequest::Version;
        }
        if (arg == "--screenshots" || arg == "--map" || arg == "--seed" || arg == "--months") {
            ++i;
        }
    }
    return InfoRequest::None;
}

const char* windowUsage() {
    return "usage: vellmora [--screenshots DIR [--map NAME] [--seed N] [--months N]]\n"
           "Opens the Vellmora window, a turn-based restaurant chain business simulation.\n"
           "\n"
           "  --screenshots DIR  play a scripted new game and save pictures of the window and\n"
           "                     its dialogs in DIR (without a display: Qt's offscreen "
           "platform)\n"
           "  --map NAME         the map of that game (default: the first one listed)\n"
           "  --seed N           makes that game repeatable\n"
           "  --months N         months it plays (default 12)\n"
           "  --help             show this help and exit\n"
           "  --version          show the version and exit\n"
           "\n"
           "Settings, scores and saved games live in the program folder when it is writable,\n"
           "otherwise in $XDG_CONFIG_HOME/vellmora/ and $XDG_DATA_HOME/vellmora/.\n"
           "Exit status: 0, or 2 for bad arguments or a map that cannot be loaded.\n";
}

}  // namespace vellmora
