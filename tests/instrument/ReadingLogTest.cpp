#include "instrument/ReadingLog.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "TempFolder.h"

namespace varnex {
namespace {

std::string fileText(const std::filesystem::path& file) {
    std::ifstream in(file);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(ReadingLog, HeaderOnceThenOneLineAReadingAcrossRuns) {
    testing::TempFolder folder;
    const auto file = folder.path() / "runs.csv";
    ImpedanceReading reading;
    reading.frequency = 1225;
    std::string why;
    for (int run = 0; run < 2; ++run) {
        auto log = ReadingLog::open(file, &why);
        ASSERT_TRUE(log) << why;
        EXPECT_TRUE(log->append(reading, {}, &why));
    }
    const std::string line = csvLine(reading, {});
    EXPECT_EQ(fileText(file), csvHeader() + "\n" + line + "\n" + line + "\n");
}

TEST(ReadingLog, AFileThatCannotBeOpenedOrWrittenIsToldOnce) {
    testing::TempFolder folder;
    std::string why;
    EXPECT_FALSE(ReadingLog::open(folder.path() / "no-such-folder" / "runs.csv", &why));
    EXPECT_FALSE(why.empty());

    // A full disk: every write fails.
    std::FILE* device = std::fopen("/dev/full", "w");
    ASSERT_NE(device, nullptr);
    ReadingLog full(device);
    why.clear();
    EXPECT_FALSE(full.append(ImpedanceReading{}, {}, &why)) << "the first failure is reported";
    EXPECT_FALSE(why.empty());
    EXPECT_TRUE(full.append(ImpedanceReading{}, {}, &why)) << "and only once";
}

}  // namespace
}  // namespace varnex
