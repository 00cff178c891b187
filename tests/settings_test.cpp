#include "data/settings.h"

#include <gtest/gtest.h>

#include <string>

#include "data/result_codes.h"
#include "support/temp_dir.h"

namespace vellmora {
namespace {

TEST(SettingsTest, KeepsFileOrderAndWritesItBack) {
    test::TempDir dir;
    std::string path =
        dir.write("vellmora.ini", "[sound]\nse=on\nbgm=<off>\n\n[game]\r\ndif=1\r\nplayer=a=b\r\n");
    Settings settings;
    ASSERT_EQ(settings.load(path), kOk);
    ASSERT_NE(settings.get("game", "player"), nullptr);
    EXPECT_EQ(*settings.get("game", "player"), "a=b");
    EXPECT_EQ(settings.get("Game", "dif"), nullptr);  // names compare exactly
    EXPECT_EQ(settings.get("game", "absent"), nullptr);

    settings.set("game", "dif", "3");
    settings.set("sound", "extra", "x");
    ASSERT_EQ(settings.save(), kOk);
    EXPECT_EQ(
        dir.read("vellmora.ini"),
        "[sound]\r\nse=on\r\nbgm=<off>\r\nextra=x\r\n\r\n[game]\r\ndif=3\r\nplayer=a=b\r\n\r\n");
}

TEST(SettingsTest, SetInEmptyStoreAndSaveToRememberedMissingPath) {
    test::TempDir dir;
    Settings settings;
    ASSERT_EQ(settings.load(dir.file("new.ini")), kOk);
    EXPECT_TRUE(settings.sections().empty());
    settings.set("game", "rollover", "off");
    ASSERT_EQ(settings.save(), kOk);
    EXPECT_EQ(dir.read("new.ini"), "[game]\r\nrollover=off\r\n\r\n");

    Settings noPath;
    EXPECT_EQ(noPath.save(), kRefused);
    EXPECT_EQ(settings.save(dir.file("no/such/folder/x.ini")), kRefused);
}

TEST(SettingsTest, BufferLimits) {
    test::TempDir dir;
    // Names "ab" and "cd" need 6 bytes; a buffer reports them as filling it when 6 + 2 >= size.
    std::string path = dir.write("s.ini", "[ab]\nk=v\n[cd]\nkey=0123456789\n");
    {
        Settings settings;
        settings.set("keep", "k", "v");
        EXPECT_EQ(settings.load(path, 8, 1000), kMissingFile);
        EXPECT_EQ(settings.sections().size(), 1u);
        EXPECT_EQ(settings.filePath(), "");
    }
    {
        // "key=0123456789" needs 15 bytes: a section buffer of 17 is filled, the other loads.
        Settings settings;
        EXPECT_EQ(settings.load(path, 9, 17), kUnreadable);
        ASSERT_EQ(settings.sections().size(), 2u);
        EXPECT_EQ(settings.sections()[1].name, "cd");
        EXPECT_TRUE(settings.sections()[1].entries.empty());
        EXPECT_EQ(*settings.get("ab", "k"), "v");
        EXPECT_EQ(settings.filePath(), path);
    }
    {
        Settings settings;
        EXPECT_EQ(settings.load(path, 9, 18), kOk);
        EXPECT_EQ(*settings.get("cd", "key"), "0123456789");
    }
}

TEST(SettingsTest, ToleratesOddLinesAndBadFiles) {
    test::TempDir dir;
    std::string odd = dir.write(
        "odd.ini",
        "orphan=1\n; note\n[a]\njunk line\n;c=1\n k = v \nk=second\n[b\nx=1\n[a]\ny=2\n[]\n"
        "e=3");
    Settings settings;
    ASSERT_EQ(settings.load(odd), kOk);
    ASSERT_EQ(settings.sections().size(), 3u);
    EXPECT_EQ(settings.sections()[0].entries,
              (std::vector<std::pair<std::string, std::string>>{{"k", "v"}}));
    EXPECT_EQ(*settings.get("b", "x"), "1");
    EXPECT_EQ(*settings.get("", "e"), "3");

    std::string binary(4096, '\0');
    for (std::size_t i = 0; i < binary.size(); ++i) {
        binary[i] = static_cast<char>(i * 7919 % 256);
    }
    Settings other;
    EXPECT_GE(other.load(dir.write("binary.ini", binary)), kUnreadable);
    Settings folder;
    EXPECT_EQ(folder.load(dir.path().string()), kUnreadable);
    EXPECT_EQ(folder.filePath(), "");
}

TEST(SettingsTest, LineBreaksInValuesCannotInjectEntries) {
    test::TempDir dir;
    Settings settings;
    settings.set("game", "player", "name\r\n[evil]\r\nx=1");
    ASSERT_EQ(settings.save(dir.file("s.ini")), kOk);
    Settings reread;
    ASSERT_EQ(reread.load(dir.file("s.ini")), kOk);
    EXPECT_EQ(reread.sections().size(), 1u);
    EXPECT_EQ(*reread.get("game", "player"), "name  [evil]  x=1");
}

}  // namespace
}  // namespace vellmora
