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
    for (const char* hertz : {"9", "20001", "nan", "fast"}) {
        const auto badFrequency = runProgram({"measure", "--frequency", hertz});
        EXPECT_EQ(badFrequency.status, 64) << hertz;
        EXPECT_EQ(badFrequency.err,
                  std::string("varnex: --frequency ") + hertz +
                      ": the test frequency is a number of hertz from 10 to 20000, such as 50, "
                      "1k or 2.2k\n")
            << "one line naming the range";
    }
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

TEST(Program, ASimulationAScriptCanTrust) {
    auto measure = [](std::vector<std::string> arguments) {
        arguments.insert(arguments.begin(), {"measure", "--format", "json"});
        const auto run = runProgram(arguments, {{"VARNEX_SIMULATE_RM", ""}});
        EXPECT_EQ(run.status, 0) << run.err;
        const auto lines = run.outLines();
        QJsonObject o;
        if (!lines.empty())
            o = QJsonDocument::fromJson(QByteArray::fromStdString(lines[0])).object();
        o.remove("time");
        return std::pair(o, run.err);
    };
    // The stored 100 ohm resistor is 100.3 ohm, and the circuit holds it.
    const auto [stored, storedNote] = measure({"--simulate", "R=100.3", "--resistor", "100"});
    EXPECT_EQ(stored["rm"].toDouble(), 100.3);
    EXPECT_NEAR(stored["rs"].toDouble(), 100.3, 0.01);
    const auto [other, otherNote] = measure({"--simulate", "C=1u", "--rm", "10k"});
    EXPECT_NEAR(other["cs"].toDouble(), 1e-6, 1e-9) << "any resistance is wired in";

    // seed=N repeats a run to the last digit; without it each run is new.
    const auto [first, firstNote] = measure({"--simulate", "L=10m,R=20,seed=4"});
    const auto [again, againNote] = measure({"--simulate", "L=10m,R=20,seed=4"});
    EXPECT_EQ(first, again);
    const auto [fresh, freshNote] = measure({"--simulate", "L=10m,R=20"});
    const auto [fresher, fresherNote] = measure({"--simulate", "L=10m,R=20"});
    EXPECT_NE(fresh["elms"], fresher["elms"]) << "fresh noise on every run";

    // Any frequency, and the one played said when it is not the one asked.
    const auto [low, lowNote] =
        measure({"--simulate", "C=100n||R=1M", "--frequency", "50", "--rm", "10k"});
    EXPECT_EQ(low["frequency"].toDouble(), 50);
    EXPECT_NEAR(low["cp"].toDouble(), 100e-9, 0.1e-9) << "the leak stays out of Cp";
    EXPECT_NEAR(low["rp"].toDouble(), 1e6, 0.05e6);
    EXPECT_TRUE(lowNote.empty()) << lowNote;
    const auto [odd, oddNote] = measure({"--simulate", "C=100n", "--frequency", "19999.3"});
    EXPECT_NEAR(odd["frequency"].toDouble(), 19999.3, 1e-3);
    EXPECT_NE(odd["frequency"].toDouble(), 19999.3);
    EXPECT_NE(oddNote.find("19999.3 Hz is played as 19999.29998"), std::string::npos) << oddNote;
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
