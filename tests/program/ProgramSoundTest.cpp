// measure and the device options through the real sound path: CTest runs
// this against each private sound server of the test suite and once with no
// sound server at all.
#include <gtest/gtest.h>

#include <cstdlib>

#include "RunProgram.h"

namespace varnex {
namespace {

using testing::runProgram;

TEST(ProgramOnSound, MeasureTakesThreeReadingsThroughTheServer) {
    if (std::getenv("VARNEX_EXPECT_NO_SOUND")) GTEST_SKIP() << "run without a server";
    const auto run =
        runProgram({"measure", "--count", "3", "--format", "csv"}, {{"VARNEX_SIMULATE", ""}});
    ASSERT_EQ(run.status, 0) << run.err;
    const auto lines = run.outLines();
    ASSERT_EQ(lines.size(), 4u) << run.out;
    EXPECT_EQ(lines[0].rfind("time,frequency,rm,", 0), 0u);
}

TEST(ProgramOnSound, DevicesAreListedAndChosenByAPartOfTheirName) {
    if (std::getenv("VARNEX_EXPECT_NO_SOUND")) GTEST_SKIP() << "run without a server";
    const auto list = runProgram({"--list-devices"}, {});
    ASSERT_EQ(list.status, 0) << list.err;
    EXPECT_NE(list.out.find("(default input"), std::string::npos) << list.out;
    EXPECT_NE(list.out.find("default output)"), std::string::npos) << list.out;

    // Chosen by name, in any case.
    const auto chosen = runProgram(
        {"measure", "--input-device", "DEFAULT", "--output-device", "fault", "--format", "csv"},
        {{"VARNEX_SIMULATE", ""}});
    EXPECT_EQ(chosen.status, 0) << chosen.err;
    EXPECT_EQ(chosen.outLines().size(), 2u) << chosen.out;

    const auto unknown = runProgram({"measure", "--input-device", "Scarlett 2i2"}, {});
    EXPECT_EQ(unknown.status, 64);
    EXPECT_TRUE(unknown.out.empty());
    EXPECT_NE(unknown.err.find("\"Scarlett 2i2\""), std::string::npos) << unknown.err;
    EXPECT_NE(unknown.err.find(list.out), std::string::npos) << "the list follows: " << unknown.err;
}

TEST(ProgramOnSound, WithoutAServerTheStatusIsTwoAndTheDeviceIsNamed) {
    if (!std::getenv("VARNEX_EXPECT_NO_SOUND")) GTEST_SKIP() << "run with a server";
    const auto run = runProgram({"measure"}, {{"VARNEX_SIMULATE", ""}});
    EXPECT_EQ(run.status, 2) << run.err;
    EXPECT_TRUE(run.out.empty());
    EXPECT_NE(run.err.find("the output"), std::string::npos) << run.err;
}

}  // namespace
}  // namespace varnex
