// measure through the real sound path: CTest runs this once against the
// private PulseAudio of the test suite and once with no sound server at all.
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

TEST(ProgramOnSound, WithoutAServerTheStatusIsTwoAndTheDeviceIsNamed) {
    if (!std::getenv("VARNEX_EXPECT_NO_SOUND")) GTEST_SKIP() << "run with a server";
    const auto run = runProgram({"measure"}, {{"VARNEX_SIMULATE", ""}});
    EXPECT_EQ(run.status, 2) << run.err;
    EXPECT_TRUE(run.out.empty());
    EXPECT_NE(run.err.find("the output"), std::string::npos) << run.err;
}

}  // namespace
}  // namespace varnex
