#include "app/user_folders.h"

#include <unistd.h>

#include <QDir>
#include <QString>
#include <cstdlib>

#include "data/program_folder.h"

namespace vellmora {
namespace {

// An XDG base folder: the variable when it holds an absolute path, else home + fallback.
std::string xdgFolder(const char* variable, const char* homeFallback) {
    const char* value = std::getenv(variable);
    if (value != nullptr && value[0] == '/') {
        return value;
    }
    const char* home = std::getenv("HOME");
    const std::string base =
        home != nullptr && home[0] != '\0' ? home : QDir::homePath().toStdString();
    return joinPath(base, homeFallback);
}

bool writableFolder(const std::string& folder) {
    return !folder.empty() && ::access(folder.c_str(), W_OK | X_OK) == 0;
}

}  // namespace

UserFolders userFolders(const std::string& programFolder) {
    UserFolders folders;
    if (writableFolder(programFolder)) {
        folders.settingsFile = joinPath(programFolder, "vellmora.ini");
        folders.scoreFolder = joinPath(programFolder, "zrf/");
        folders.saveFolder = joinPath(programFolder, "saves/");
        return folders;
    }
    const std::string config = joinPath(xdgFolder("XDG_CONFIG_HOME", ".config"), "vellmora");
    const std::string data = joinPath(xdgFolder("XDG_DATA_HOME", ".local/share"), "vellmora");
    QDir().mkpath(QString::fromStdString(config));
    folders.settingsFile = joinPath(config, "vellmora.ini");
    folders.scoreFolder = joinPath(data, "zrf/");
    folders.saveFolder = joinPath(data, "saves/");
    return folders;
}

}  // namespace vellmora
