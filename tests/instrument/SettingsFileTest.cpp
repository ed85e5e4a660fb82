#include "instrument/SettingsFile.h"

#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <sstream>

#include "TempFolder.h"

namespace varnex {
namespace {

std::string fileText(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

void writeText(const std::filesystem::path& file, const std::string& text) {
    std::ofstream(file, std::ios::binary) << text;
}

// A state whose 26 stored values all differ from the start-up values.
Settings unusualState() {
    Settings s;
    s.resistors.Rm = 998.7f;
    s.steps.uLMS = 0.0123456f;
    s.calibration.Bal = 1.0234567f;
    s.calibration.Vperbit = 3.1e-5f;
    s.TrigLev = -2147483647;
    s.SigGenLvl = 0.123456789012345;
    s.scope.TimeBase = 50;
    s.scope.Lgain = 0.2f;
    s.scope.GridOn = 0;
    s.scope.ScopeMode = 2;
    s.scope.Rgain = 100;
    s.scope.CursorsOn = 1;
    s.scope.Cursor1 = -5;
    s.scope.Cursor2 = 70000;
    s.scope.TimeReadout = 1;
    s.scope.TBscale = 79.365f;
    s.tare.Ctare = 3.3e-12f;
    s.tare.Ltare = 2e-6f;
    s.tare.Rtare = 0.25f;
    s.resistors.RmOptFlag = 3;
    s.resistors.Rm10 = 10.05f;
    s.resistors.Rm100 = 99.9f;
    s.resistors.Rm1000 = 1001.5f;
    s.resistors.Rm10000 = 9990;
    s.resistors.Rm100000 = 1.2345678e5f;
    s.steps.LMSOptFlag = -32768;
    return s;
}

TEST(SettingsFile, WrittenFileReadsBackToTheSameValues) {
    testing::TempFolder folder;
    const auto file = folder.path() / kSettingsFileName;
    const Settings written = unusualState();
    ASSERT_TRUE(writeSettings(file, written));

    Settings read;
    EXPECT_EQ(readSettings(file, read), kSettingsLineCount);
    EXPECT_EQ(settingsText(read), settingsText(written));
    EXPECT_EQ(read.resistors.Rm, written.resistors.Rm);
    EXPECT_EQ(read.SigGenLvl, written.SigGenLvl);
    EXPECT_EQ(read.resistors.Rm100000, written.resistors.Rm100000);
    EXPECT_EQ(read.steps.LMSOptFlag, written.steps.LMSOptFlag);
    EXPECT_EQ(read.TrigLev, written.TrigLev);
}

TEST(SettingsFile, DefaultsAreWrittenAsShortPointDecimalLinesWithCrLf) {
    const std::string expected =
        "100\r\n0.055\r\n0.9955\r\n2.792E-05\r\n200\r\n0.5\r\n20\r\n1\r\n1\r\n3\r\n1\r\n0\r\n"
        "1000\r\n3000\r\n0\r\n31.746\r\n0\r\n0\r\n0\r\n1\r\n10.1\r\n100.3\r\n1000\r\n10000\r\n"
        "100000\r\n3\r\n";
    EXPECT_EQ(settingsText(Settings{}), expected);
}

TEST(SettingsFile, LinesThatDoNotFitTheirTypeLeaveTheirVariable) {
    struct Row {
        int line;  // 1-based
        const char* text;
        bool applied;
    };
    const Row rows[] = {
        {9, "70000", false},      // Integer
        {9, "-32769", false},     // Integer
        {9, "32767", true},       // Integer
        {5, "1e20", false},       // Long
        {5, "2147483648", false}, // Long
        {5, "-2147483648", true}, // Long
        {1, "nan", false},
        {1, "inf", false},
        {1, "-inf", false},
        {1, "1e39", false},       // beyond a Single
        {6, "1e39", true},        // fits a Double
        {6, "1e309", false},      // beyond a Double
        {1, "abc", false},
        {1, "", false},
        {1, "12abc", false},
        {1, "1,5", false},
        {1, "  250  ", true},
        {1, "+250", true},
        {10, "2.0", true},        // whole number written with a point
        {4, "2.792e-05", true},
    };
    for (const Row& row : rows) {
        std::string text;
        for (int line = 1; line <= kSettingsLineCount; ++line)
            text += (line == row.line ? std::string(row.text) : std::string("7")) + "\r\n";
        Settings state;
        const int applied = applySettingsText(text, state);
        EXPECT_EQ(applied, row.applied ? kSettingsLineCount : kSettingsLineCount - 1)
            << "line " << row.line << " text \"" << row.text << '"';
        // The lines after the bad one are still applied.
        EXPECT_EQ(state.steps.LMSOptFlag, 7) << "line " << row.line << " text \"" << row.text << '"';
    }

    Settings state;
    applySettingsText("1\r\n2\r\n3\r\n4\r\n70000\r\n", state);
    EXPECT_EQ(state.TrigLev, 70000);  // a Long holds it
    applySettingsText("1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n70000\r\n", state);
    EXPECT_EQ(state.scope.GridOn, 1) << "an Integer line of 70000 keeps the start-up value";
}

TEST(SettingsFile, ShortLongAndOddFilesApplyWhatTheyHold) {
    const Settings defaults;
    struct Row {
        const char* name;
        std::string text;
        int applied;
    };
    std::string binary(5000, '\0');
    std::mt19937 random(42);
    for (char& c : binary) c = static_cast<char>(random());
    std::string huge(10'000'000, '9');
    const Row rows[] = {
        {"empty", "", 0},
        {"three lines", "250\r\n0.01\r\n1.01\r\n", 3},
        {"LF only", "250\n0.01\n1.01\n", 3},
        {"no final line end", "250\r\n0.01", 2},
        {"27 lines", settingsText(unusualState()) + "99\r\n", 26},
        {"binary", binary, -1},
        {"one huge line", huge, 0},
    };
    for (const Row& row : rows) {
        Settings state;
        const int applied = applySettingsText(row.text, state);
        if (row.applied >= 0) {
            EXPECT_EQ(applied, row.applied) << row.name;
        }
        if (row.applied == 0) {
            EXPECT_EQ(settingsText(state), settingsText(defaults)) << row.name;
        }
    }
    Settings state;
    applySettingsText("250\n0.01\n1.01\n", state);
    EXPECT_EQ(state.resistors.Rm, 250);
    EXPECT_EQ(state.calibration.Bal, 1.01f);
    EXPECT_EQ(state.calibration.Vperbit, defaults.calibration.Vperbit);
}

TEST(SettingsFile, StoredTimeBaseScaleIsKeptAsWritten) {
    Settings state;
    std::string text = "100\r\n0.055\r\n0.9955\r\n2.792E-05\r\n200\r\n0.5\r\n50\r\n1\r\n1\r\n3\r\n1\r\n0\r\n"
                       "1000\r\n3000\r\n0\r\n12.5\r\n";
    applySettingsText(text, state);
    EXPECT_EQ(state.scope.TimeBase, 50);
    EXPECT_EQ(state.scope.TBscale, 12.5f);
}

TEST(SettingsFile, MissingFileChangesNothing) {
    testing::TempFolder folder;
    Settings state;
    EXPECT_EQ(readSettings(folder.path() / "absent", state), 0);
    EXPECT_EQ(settingsText(state), settingsText(Settings{}));
}

TEST(SettingsFile, FailedWriteLeavesTheOldFileAndNoLeftovers) {
    testing::TempFolder folder;
    // A folder standing where the file should go makes the final rename fail.
    const auto blocked = folder.path() / "blocked";
    std::filesystem::create_directory(blocked);
    std::filesystem::create_directory(blocked / "keep");
    EXPECT_FALSE(writeSettings(blocked, Settings{}));
    EXPECT_TRUE(std::filesystem::is_directory(blocked / "keep"));
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "blocked.new"));

    EXPECT_FALSE(writeSettings(folder.path() / "no-such-folder" / kSettingsFileName, Settings{}));

    // A successful write replaces the old file whole.
    const auto file = folder.path() / kSettingsFileName;
    writeText(file, std::string(100000, 'x'));
    ASSERT_TRUE(writeSettings(file, Settings{}));
    EXPECT_EQ(fileText(file), settingsText(Settings{}));
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "Varnexinit.new"));
}

TEST(SettingsFile, RandomBytesNeverCrashTheReader) {
    std::mt19937 random(2024);
    const std::string alphabet = "0123456789.-+eE \r\nnaif";
    for (int i = 0; i < 3000; ++i) {
        std::string text(random() % 400, '\0');
        for (char& c : text)
            c = (i % 2) ? static_cast<char>(random()) : alphabet[random() % alphabet.size()];
        Settings state;
        const int applied = applySettingsText(text, state);
        EXPECT_GE(applied, 0);
        EXPECT_LE(applied, kSettingsLineCount);
        EXPECT_TRUE(std::isfinite(state.resistors.Rm) && std::isfinite(state.SigGenLvl)) << text;
    }
}

}  // namespace
}  // namespace varnex
