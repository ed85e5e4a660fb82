// The program's texts use a point whatever the user's locale: a value shown
// and read back must not change on a machine set to a comma locale.
#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <string>

#include "TempFolder.h"
#include "common/NumberText.h"

namespace varnex {
namespace {

class CommaLocaleTest : public ::testing::Test {
protected:
    void SetUp() override {
        // Compile a German locale into a private folder, so the test does not
        // depend on which locales the machine has generated.
        const std::string command = "localedef -i de_DE -f UTF-8 -c \"" +
                                    (folder_.path() / "de_DE.UTF-8").string() +
                                    "\" > /dev/null 2>&1";
        std::system(command.c_str());
        setenv("LOCPATH", folder_.path().c_str(), 1);
        ASSERT_NE(std::setlocale(LC_ALL, "de_DE.UTF-8"), nullptr) << "comma locale unavailable";
        ASSERT_STREQ(std::localeconv()->decimal_point, ",");
    }
    void TearDown() override {
        std::setlocale(LC_ALL, "C");
        unsetenv("LOCPATH");
    }

private:
    testing::TempFolder folder_;
};

TEST_F(CommaLocaleTest, TextsKeepThePointAndReadBack) {
    EXPECT_EQ(plainForm(0.5f), "0.5");
    EXPECT_EQ(plainForm(0.5), "0.5");
    EXPECT_EQ(paddedForm(0.055f), " .055");
    EXPECT_EQ(paddedForm(0.00002792f), " 2.792E-05");
    EXPECT_EQ(formatPattern(999.994, "##0.00"), "999.99");
    EXPECT_EQ(formatPattern(2.0f, "#0.00 uH"), "2.00 uH");
    EXPECT_EQ(numericValue(plainForm(0.5)), 0.5);
    EXPECT_EQ(singleValue(paddedForm(998.7f)), 998.7f);
}

}  // namespace
}  // namespace varnex
