#include "data/base_list.h"

#include <gtest/gtest.h>

#include "data/result_codes.h"
#include "support/temp_dir.h"

namespace vellmora {
namespace {

TEST(BaseListTest, PathsUnderTheGivenFolder) {
    test::TempDir dir;
    dir.write("zdt/base.zdt",
              "[other]\r\nrate=no\r\n[data]\r\nrate=rate.txt\r\nprice=price.txt\r\nai=ai.txt\r\n");
    BaseList list;
    ASSERT_EQ(loadBaseList(dir.path().string(), list), kOk);
    std::string folder = dir.path().string() + "/";
    EXPECT_EQ(list.rate, folder + "zdt/rate.txt");
    EXPECT_EQ(list.price, folder + "zdt/price.txt");
    EXPECT_EQ(list.ai, folder + "zdt/ai.txt");
    EXPECT_EQ(list.blddata, "");  // missing key: a path nothing can open

    EXPECT_EQ(dataPath(dir.path().string(), kAccountDataName), folder + "acc.dat");
}

TEST(BaseListTest, MissingListIsReported) {
    test::TempDir dir;
    BaseList list{"a", "b", "c", "d"};
    EXPECT_EQ(loadBaseList(dir.path().string(), list), kMissingFile);
    EXPECT_EQ(list.rate, "");
}

}  // namespace
}  // namespace vellmora
