#include "instrument/SettingsFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <functional>
#include <random>
#include <sstream>

#include <grp.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

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
        {9, "70000", false},       // Integer
        {9, "-32769", false},      // Integer
        {9, "32767", true},        // Integer
        {5, "1e20", false},        // Long
        {5, "2147483648", false},  // Long
        {5, "-2147483648", true},  // Long
        {1, "nan", false},        {1, "inf", false},    {1, "-inf", false},
        {1, "1e39", false},   // beyond a Single
        {6, "1e39", true},    // fits a Double
        {6, "1e309", false},  // beyond a Double
        {1, "abc", false},        {1, "", false},       {1, "12abc", false},
        {1, "1,5", false},        {1, "  250  ", true}, {1, "+250", true},
        {10, "2.0", true},  // whole number written with a point
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
        EXPECT_EQ(state.steps.LMSOptFlag, 7)
            << "line " << row.line << " text \"" << row.text << '"';
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

TEST(SettingsFile, EveryKindOfLineEndAndAByteOrderMarkAreRead) {
    const std::string crlf = settingsText(unusualState());
    auto withEnds = [&](const std::string& end) {
        std::string text;
        for (size_t start = 0, at; (at = crlf.find("\r\n", start)) != std::string::npos;
             start = at + 2)
            text += crlf.substr(start, at - start) + end;
        return text;
    };
    std::string mixed = withEnds("\n");
    mixed.replace(mixed.find('\n'), 1, "\r");
    mixed.replace(mixed.find('\n'), 1, "\r\n");
    const std::string bom = "\xEF\xBB\xBF";
    const std::pair<const char*, std::string> rows[] = {
        {"CR LF", crlf},
        {"LF", withEnds("\n")},
        {"CR", withEnds("\r")},
        {"mixed", mixed},
        {"mark, CR LF", bom + crlf},
        {"mark, CR", bom + withEnds("\r")},
        {"CR, no final end", withEnds("\r").substr(0, withEnds("\r").size() - 1)}};
    for (const auto& [name, text] : rows) {
        Settings state;
        EXPECT_EQ(applySettingsText(text, state), kSettingsLineCount) << name;
        EXPECT_EQ(settingsText(state), crlf) << name;
    }
    Settings state;
    EXPECT_EQ(applySettingsText("250\r\r0.01\r", state), 2) << "an empty line is a line";
    EXPECT_EQ(state.resistors.Rm, 250);
    EXPECT_EQ(state.calibration.Bal, 0.01f);
}

TEST(SettingsFile, StoredTimeBaseScaleIsKeptAsWritten) {
    Settings state;
    std::string text =
        "100\r\n0.055\r\n0.9955\r\n2.792E-05\r\n200\r\n0.5\r\n50\r\n1\r\n1\r\n3\r\n1\r\n0\r\n"
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

// Runs the step in a child process, as a user who is not the superuser
// ("nobody") when the tests run as root, so that file modes bind; the child's
// exit status is what the step returned.
bool asAnOrdinaryUser(const std::function<bool()>& step) {
    const pid_t child = fork();
    if (child == 0) {
        constexpr uid_t kNobody = 65534;
        if (geteuid() == 0 &&
            (setgroups(0, nullptr) != 0 || setgid(kNobody) != 0 || setuid(kNobody) != 0))
            _exit(2);
        _exit(step() ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) != 2)
        << "the child could not drop privileges";
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

std::filesystem::perms modeOf(const std::filesystem::path& file) {
    return std::filesystem::symlink_status(file).permissions() & std::filesystem::perms::mask;
}

// Files in the folder besides the given ones (a temporary file left behind).
std::vector<std::string> othersIn(const std::filesystem::path& folder,
                                  const std::vector<std::string>& expected) {
    std::vector<std::string> others;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        if (std::find(expected.begin(), expected.end(), name) == expected.end())
            others.push_back(name);
    }
    return others;
}

TEST(SettingsFile, AFileThatMayNotBeWrittenStaysAsItIs) {
    using std::filesystem::perms;
    const std::string old = settingsText(unusualState());
    const std::string fresh = settingsText(Settings{});
    struct Row {
        const char* name;
        perms fileMode;
        perms folderMode;
        bool written;
    };
    const Row rows[] = {
        {"read-only file", perms::owner_read | perms::group_read | perms::others_read, perms::all,
         false},
        {"file nobody may write", perms::owner_read | perms::owner_write, perms::all, false},
        {"writable file", perms::all, perms::all, true},
        // The folder takes no temporary file: the file itself is rewritten.
        {"writable file in a read-only folder", perms::all,
         perms::owner_all | perms::group_read | perms::group_exec | perms::others_read |
             perms::others_exec,
         true},
    };
    for (const Row& row : rows) {
        testing::TempFolder folder;
        const auto file = folder.path() / kSettingsFileName;
        writeText(file, old);
        std::filesystem::permissions(file, row.fileMode);
        std::filesystem::permissions(folder.path(), row.folderMode);
        const bool written = asAnOrdinaryUser([&] { return writeSettings(file, Settings{}); });
        std::filesystem::permissions(folder.path(), perms::all);
        EXPECT_EQ(written, row.written) << row.name;
        EXPECT_EQ(fileText(file), row.written ? fresh : old) << row.name;
        EXPECT_EQ(modeOf(file), row.fileMode) << row.name << ": the file keeps its mode";
        EXPECT_EQ(othersIn(folder.path(), {kSettingsFileName}), std::vector<std::string>{})
            << row.name;
    }
}

TEST(SettingsFile, ASymbolicLinkKeepsPointingAtItsTargetWhichIsReplaced) {
    const std::string fresh = settingsText(unusualState());
    struct Row {
        const char* name;
        const char* target;  // relative to the link's folder
        bool targetExists;
    };
    const Row rows[] = {{"link into another folder", "kept/Varnexinit", true},
                        {"link to a file not yet there", "kept/absent", false},
                        {"link to a link", "kept/second-link", true}};
    for (const Row& row : rows) {
        testing::TempFolder folder;
        const auto kept = folder.path() / "kept";
        std::filesystem::create_directory(kept);
        writeText(kept / "Varnexinit", settingsText(Settings{}));
        std::filesystem::create_symlink("Varnexinit", kept / "second-link");
        const auto link = folder.path() / kSettingsFileName;
        std::filesystem::create_symlink(row.target, link);
        std::filesystem::permissions(kept / "Varnexinit", std::filesystem::perms::owner_read |
                                                              std::filesystem::perms::owner_write);
        const std::filesystem::perms targetMode =
            row.targetExists ? modeOf(kept / "Varnexinit") : std::filesystem::perms::none;

        ASSERT_TRUE(writeSettings(link, unusualState())) << row.name;
        EXPECT_TRUE(std::filesystem::is_symlink(link)) << row.name;
        EXPECT_EQ(std::filesystem::read_symlink(link), row.target) << row.name;
        EXPECT_EQ(fileText(link), fresh) << row.name;
        EXPECT_EQ(fileText(folder.path() / row.target), fresh) << row.name;
        if (row.targetExists) {
            EXPECT_EQ(modeOf(kept / "Varnexinit"), targetMode) << row.name;
        }
        EXPECT_EQ(othersIn(folder.path(), {kSettingsFileName, "kept"}), std::vector<std::string>{})
            << row.name;
        EXPECT_EQ(othersIn(kept, {"Varnexinit", "second-link", "absent"}),
                  std::vector<std::string>{})
            << row.name;
    }
}

TEST(SettingsFile, AWriteThatFailsHalfwayLeavesTheOldFileWhole) {
    testing::TempFolder folder;
    const auto file = folder.path() / kSettingsFileName;
    const std::string old = settingsText(unusualState());
    writeText(file, old);
    // The child may write no more than 40 bytes to any file, as on a full
    // disk; the write fails after the new file was opened and begun.
    const pid_t child = fork();
    if (child == 0) {
        signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{40, 40};
        setrlimit(RLIMIT_FSIZE, &limit);
        _exit(writeSettings(file, Settings{}) ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 1) << "the write reports its failure";
    EXPECT_EQ(fileText(file), old) << "the old file is still there, whole";
    EXPECT_EQ(othersIn(folder.path(), {kSettingsFileName}), std::vector<std::string>{});
}

TEST(SettingsFile, ReplacesTheFileInsteadOfWritingIntoIt) {
    testing::TempFolder folder;
    const auto file = folder.path() / kSettingsFileName;
    const std::string old = settingsText(unusualState());
    writeText(file, old);
    // A hard link to the old file (a backup, another program's view) keeps
    // the old text: the new one is a file of its own, renamed over the name.
    std::filesystem::create_hard_link(file, folder.path() / "backup");
    ASSERT_TRUE(writeSettings(file, Settings{}));
    EXPECT_EQ(fileText(file), settingsText(Settings{}));
    EXPECT_EQ(fileText(folder.path() / "backup"), old);
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
