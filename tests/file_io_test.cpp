#include "data/file_io.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "data/program_folder.h"
#include "data/result_codes.h"
#include "support/temp_dir.h"

namespace vellmora {
namespace {

TEST(FileIoTest, ReadWholeFileResults) {
    test::TempDir dir;
    std::string small = dir.write("small.bin", std::string("a\0b", 3));
    std::string out = "previous";
    ASSERT_EQ(readWholeFile(small, 3, out), kOk);
    EXPECT_EQ(out, std::string("a\0b", 3));

    out = "previous";
    EXPECT_EQ(readWholeFile(small, 2, out), kRefused);
    EXPECT_EQ(readWholeFile(dir.file("absent"), 100, out), kMissingFile);
    EXPECT_EQ(readWholeFile(dir.path().string(), 100, out), kMissingFile);
    EXPECT_EQ(readWholeFile("", 100, out), kMissingFile);
    EXPECT_EQ(out, "previous");

    std::string empty = dir.write("empty.bin", "");
    ASSERT_EQ(readWholeFile(empty, 0, out), kOk);
    EXPECT_EQ(out, "");
}

TEST(FileIoTest, AtomicWriteReplacesAndLeavesNoTempFiles) {
    test::TempDir dir;
    std::string path = dir.write("target.txt", "old contents");
    ASSERT_EQ(writeFileAtomically(path, "new"), kOk);
    EXPECT_EQ(dir.read("target.txt"), "new");
    int entries = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.path())) {
        ++entries;
    }
    EXPECT_EQ(entries, 1);
}

TEST(FileIoTest, AtomicWriteFolderHandling) {
    test::TempDir dir;
    std::string nested = dir.file("zrf/sub/list.zrf");
    EXPECT_EQ(writeFileAtomically(nested, "x"), kRefused);
    EXPECT_FALSE(pathExists(dir.file("zrf")));
    ASSERT_EQ(writeFileAtomically(nested, "x", {.createParentFolder = true}), kOk);
    EXPECT_EQ(dir.read("zrf/sub/list.zrf"), "x");

    // A folder in the way is not replaced.
    std::filesystem::create_directories(dir.path() / "busy");
    EXPECT_EQ(writeFileAtomically(dir.file("busy"), "x"), kRefused);
    EXPECT_TRUE(std::filesystem::is_directory(dir.path() / "busy"));
    EXPECT_EQ(writeFileAtomically("", "x"), kRefused);
}

TEST(ProgramFolderTest, FolderOfTheExecutableAndJoin) {
    const std::string& folder = programFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), '/');
    EXPECT_EQ(programPath().substr(0, folder.size()), folder);
    EXPECT_TRUE(std::filesystem::is_directory(folder));
    EXPECT_EQ(join("zdt\\base.zdt"), folder + "zdt/base.zdt");

    EXPECT_EQ(joinPath("/data", "zdt\\rate.txt"), "/data/zdt/rate.txt");
    EXPECT_EQ(joinPath("/data/", "acc.dat"), "/data/acc.dat");
    EXPECT_EQ(joinPath("", "map\\a.zmf"), "map/a.zmf");
}

}  // namespace
}  // namespace vellmora
