// Settings and scores beside a writable program, else in the user's XDG folders.
#include "app/user_folders.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "support/temp_dir.h"

namespace vellmora {
namespace {

using test::TempDir;

class ScopedVariable {
public:
    ScopedVariable(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) {
            old_ = old;
            hadOld_ = true;
        }
        if (value != nullptr) {
            setenv(name, value, 1);
        } else {
            unsetenv(name);
        }
    }
    ~ScopedVariable() {
        if (hadOld_) {
            setenv(name_, old_.c_str(), 1);
        } else {
            unsetenv(name_);
        }
    }

private:
    const char* name_;
    std::string old_;
    bool hadOld_ = false;
};

TEST(UserFoldersTest, AWritableProgramFolderKeepsEverything) {
    TempDir program;
    const std::string folder = program.path().string() + "/";
    const UserFolders folders = userFolders(folder);
    EXPECT_EQ(folders.settingsFile, folder + "vellmora.ini");
    EXPECT_EQ(folders.scoreFolder, folder + "zrf/");
}

TEST(UserFoldersTest, OtherwiseTheXdgFoldersHoldThem) {
    TempDir home;
    const std::string unusable = home.file("no-such-program") + "/";
    {
        ScopedVariable config("XDG_CONFIG_HOME", home.file("config").c_str());
        ScopedVariable data("XDG_DATA_HOME", home.file("data").c_str());
        const UserFolders folders = userFolders(unusable);
        EXPECT_EQ(folders.settingsFile, home.file("config") + "/vellmora/vellmora.ini");
        EXPECT_EQ(folders.scoreFolder, home.file("data") + "/vellmora/zrf/");
        EXPECT_TRUE(std::filesystem::is_directory(home.file("config/vellmora")));
    }
    {
        // Unset or relative variables fall back to the home folder's defaults.
        ScopedVariable homeVariable("HOME", home.path().c_str());
        ScopedVariable config("XDG_CONFIG_HOME", "relative/path");
        ScopedVariable data("XDG_DATA_HOME", nullptr);
        const UserFolders folders = userFolders(unusable);
        EXPECT_EQ(folders.settingsFile, home.file(".config/vellmora/vellmora.ini"));
        EXPECT_EQ(folders.scoreFolder, home.file(".local/share/vellmora/zrf/"));
    }
}

}  // namespace
}  // namespace vellmora
