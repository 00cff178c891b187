// Where the settings file and the score files live: beside the program when its folder is
// writable, otherwise in the user's XDG folders.
#pragma once

#include <string>

namespace vellmora {

struct UserFolders {
    std::string settingsFile;  // "vellmora.ini"
    std::string scoreFolder;   // ends with "/"
    std::string saveFolder;    // ends with "/"
};

// The program folder's "vellmora.ini" and "zrf/" when the folder is writable; otherwise
// "$XDG_CONFIG_HOME/vellmora/vellmora.ini" and "$XDG_DATA_HOME/vellmora/zrf/" (defaults
// "~/.config" and "~/.local/share"). The folder of the settings file is made when missing.
UserFolders userFolders(const std::string& programFolder);

}  // namespace vellmora
