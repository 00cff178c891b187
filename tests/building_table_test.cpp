#include "data/building_table.h"

#include <gtest/gtest.h>

#include <string>

#include "data/result_codes.h"
#include "support/temp_dir.h"

namespace vellmora {
namespace {

TEST(BuildingTableTest, ReadsDefinitionRows) {
    test::TempDir dir;
    std::string path = dir.write("bld.txt",
                                 "blddata,1,0,0\r\n"
                                 "id,name,notes\r\n"
                                 "0,zero row,1,1,1,1,1,1,1,1,1,1\r\n"
                                 "\r\n"
                                 "12,road,0,0,1,0,3,2,5,1,10000,1\r\n"
                                 "12,second road,1,1,1,1,1,1,1,1,1,1\r\n"
                                 "10000,ground,1,40,-1,300,15,4,0,6,99,2\r\n"
                                 "77,short row,1,2\r\n");
    BuildingTable table;
    ASSERT_EQ(table.load(path), kOk);
    EXPECT_EQ(table.definitions().size(), 2u);
    EXPECT_EQ(table.skippedRows(), 1);
    EXPECT_EQ(table.path(), path);
    EXPECT_EQ(table.find(0), nullptr);
    EXPECT_EQ(table.find(77), nullptr);

    const BuildingDef* road = table.find(12);
    ASSERT_NE(road, nullptr);
    EXPECT_EQ(road->name, "road");
    EXPECT_EQ(road->moveCost, 1);
    EXPECT_EQ(road->chip, 2 * 16 + 3);
    EXPECT_EQ(road->attribute, 5);
    EXPECT_EQ(road->underlayId, 10000);

    const BuildingDef* ground = table.find(10000);
    ASSERT_NE(ground, nullptr);
    EXPECT_EQ(ground->buildable, 1);
    EXPECT_EQ(ground->customers, 40);
    EXPECT_EQ(ground->moveCost, -1);
    EXPECT_EQ(ground->rent, 300);
    EXPECT_EQ(ground->chip, 4 * 16 + 15);
    EXPECT_EQ(ground->layer, 6);
    EXPECT_EQ(ground->chipPage, 2);
}

TEST(BuildingTableTest, RefusedFilesKeepTheTable) {
    test::TempDir dir;
    BuildingTable table;
    ASSERT_EQ(table.load(dir.write("good.txt", "blddata,1,0,0\n5,a,1,1,1,1,1,1,1,1,1,1")), kOk);
    const std::vector<std::pair<const char*, std::string>> refused = {
        {"magic with only two more fields", "blddata,1,0\n6,b,1,1,1,1,1,1,1,1,1,1"},
        {"magic compared exactly", "BLDDATA,1,0,0\n6,b,1,1,1,1,1,1,1,1,1,1"},
        {"empty file", ""},
        {"binary", std::string("\x00\xff\x81,\n\x01", 6)},
    };
    for (const auto& [name, bytes] : refused) {
        EXPECT_EQ(table.load(dir.write("bad.txt", bytes)), kRefused) << name;
        EXPECT_NE(table.find(5), nullptr) << name;
        EXPECT_EQ(table.find(6), nullptr) << name;
        EXPECT_EQ(table.path(), dir.file("good.txt"));
    }
    EXPECT_EQ(table.load(dir.file("absent.txt")), kRefused);
    EXPECT_NE(table.find(5), nullptr);
}

}  // namespace
}  // namespace vellmora
