// The program as a script runs it: options, statuses, and a reading on the
// simulated bridge in real time.
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "RunProgram.h"

namespace varnex {
namespace {

using testing::runProgram;

TEST(Program, HelpVersionAndAnUnknownOption) {
    const auto version = runProgram({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "varnex 1.0\n");
    const auto help = runProgram({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("Usage: varnex"), std::string::npos);
    EXPECT_NE(help.out.find("VARNEX_SIMULATE"), std::string::npos);
    const auto unknown = runProgram({"--frobnicate"});
    EXPECT_EQ(unknown.status, 64);
    EXPECT_TRUE(unknown.out.empty());
    EXPECT_NE(unknown.err.find("unknown option --frobnicate"), std::string::npos);
    EXPECT_NE(unknown.err.find("Usage: varnex"), std::string::npos);
    const auto badValue = runProgram({"measure", "--level", "2"});
    EXPECT_EQ(badValue.status, 64);
    EXPECT_NE(badValue.err.find("--level 2"), std::string::npos) << badValue.err;
}

TEST(Program, MeasureReadsTheSimulatedInductor) {
    const auto run = runProgram({"measure", "--simulate", "L=10m,R=20", "--format", "json"},
                                {{"VARNEX_SIMULATE_RM", ""}});
    ASSERT_EQ(run.status, 0) << run.err;
    const auto lines = run.outLines();
    ASSERT_EQ(lines.size(), 1u) << run.out;
    const QJsonObject o = QJsonDocument::fromJson(QByteArray::fromStdString(lines[0])).object();
    const double xs = 2 * std::numbers::pi * 1225 * 0.01;
    EXPECT_NEAR(o["rs"].toDouble(), 20, 0.002 * 20);
    EXPECT_NEAR(o["xs"].toDouble(), xs, 0.002 * xs);
    EXPECT_NEAR(o["ls"].toDouble(), 0.01, 0.002 * 0.01);
    EXPECT_NEAR(o["q"].toDouble(), xs / 20, 0.002 * xs / 20);
}

TEST(Program, ALogThatCannotBeOpenedEndsTheProgramBeforeTheWindow) {
    // No display at all: the window could not even start.
    const auto run =
        runProgram({"--log", "/no-such-folder/runs.csv"},
                   {{"QT_QPA_PLATFORM", "xcb"}, {"DISPLAY", ""}, {"WAYLAND_DISPLAY", ""}});
    EXPECT_EQ(run.status, 73);
    EXPECT_NE(run.err.find("/no-such-folder/runs.csv"), std::string::npos) << run.err;
}

}  // namespace
}  // namespace varnex
