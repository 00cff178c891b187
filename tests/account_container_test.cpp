#include "data/account_container.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "data/result_codes.h"
#include "support/temp_dir.h"

namespace vellmora {
namespace {

std::vector<AccountBlobEntry> sampleBlobs() {
    return {{"ahd", {1, 2, 3}}, {"acc", {9, 8, 7, 6, 5}}, {"acc", {0}}, {"e", {}}};
}

void putLe32At(std::string& bytes, std::size_t offset, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        bytes[offset + static_cast<std::size_t>(i)] = static_cast<char>((value >> (8 * i)) & 0xFF);
    }
}

TEST(AccountContainerTest, RoundTripFirstMatchWins) {
    test::TempDir dir;
    std::string path = dir.file("acc.dat");
    ASSERT_EQ(writeAccountContainer(path, sampleBlobs()), kOk);
    AccountContainer container;
    ASSERT_EQ(container.open(path), kOk);
    auto ahd = container.blob("ahd");
    auto acc = container.blob("acc");
    ASSERT_TRUE(ahd && acc);
    EXPECT_EQ(*ahd, (Blob{1, 2, 3}));
    EXPECT_EQ(*acc, (Blob{9, 8, 7, 6, 5}));
    ASSERT_NE(container.blob("e"), nullptr);
    EXPECT_TRUE(container.blob("e")->empty());
    EXPECT_EQ(container.blob("ACC"), nullptr);
    EXPECT_EQ(container.blob("ac"), nullptr);
    EXPECT_EQ(container.blob("xyz"), nullptr);

    EXPECT_TRUE(buildAccountContainer({{"long", {1}}}).empty());
    EXPECT_EQ(writeAccountContainer(dir.file("bad.dat"), {{"long", {1}}}), kRefused);
}

TEST(AccountContainerTest, HeaderChecks) {
    const std::string good = buildAccountContainer(sampleBlobs());
    struct Case {
        const char* name;
        std::string bytes;
        int expected;
    };
    std::string version101 = good;
    putLe32At(version101, 260, 101);
    std::string version1 = good;
    putLe32At(version1, 260, 1);
    std::string spacePadded = good;
    std::memset(spacePadded.data() + 4 + 16, ' ', 16);
    std::string wrongType = good;
    wrongType[3] = 'x';
    std::string hugeCount = good;
    putLe32At(hugeCount, 264, 0xFFFFFFFFu);
    const std::vector<Case> cases = {
        {"good", good, kOk},
        {"version 100", buildAccountContainer(sampleBlobs(), 100), kOk},
        {"version 1", version1, kOk},
        {"version 101", version101, kRefused},
        {"description padded with spaces", spacePadded, kMissingFile},
        {"type", wrongType, kMissingFile},
        {"directory past the end", hugeCount, kRefused},
        {"truncated header", good.substr(0, 100), kRefused},
        {"truncated directory", good.substr(0, 268 + 12 * 3), kRefused},
        {"tiny", "dat", kRefused},
        {"empty", "", kRefused},
    };
    for (const Case& c : cases) {
        AccountContainer container;
        EXPECT_EQ(container.openBytes(c.bytes), c.expected) << c.name;
    }
}

TEST(AccountContainerTest, EntryPointingOutsideTheFileGivesNoBlob) {
    std::string bytes = buildAccountContainer({{"ahd", {1, 2}}, {"acc", {3}}});
    putLe32At(bytes, 268 + 4, 0xFFFFFFF0u);       // offset of "ahd"
    putLe32At(bytes, 268 + 12 + 8, 0x7FFFFFFFu);  // size of "acc"
    AccountContainer container;
    ASSERT_EQ(container.openBytes(bytes), kOk);
    EXPECT_EQ(container.blob("ahd"), nullptr);
    EXPECT_EQ(container.blob("acc"), nullptr);
}

TEST(AccountContainerTest, FailedOpenKeepsPreviousContents) {
    test::TempDir dir;
    AccountContainer container;
    ASSERT_EQ(container.openBytes(buildAccountContainer(sampleBlobs())), kOk);
    EXPECT_EQ(container.open(dir.file("absent.dat")), kRefused);
    EXPECT_EQ(container.openBytes("garbage garbage garbage garbage garbage"), kMissingFile);
    EXPECT_NE(container.blob("ahd"), nullptr);
}

}  // namespace
}  // namespace vellmora
