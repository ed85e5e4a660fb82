#include "dialogs/HelpFile.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>

#include "TempFolder.h"

namespace varnex {
namespace {

TEST(HelpFile, Utf8IsCheckedStrictly) {
    struct Row {
        const char* name;
        std::string bytes;
        bool valid;
    };
    const Row rows[] = {
        {"ASCII", "Rs Xs |Z|\r\n", true},
        {"two bytes (micro sign)", "\xC2\xB5", true},
        {"three bytes (ohm sign)", "\xE2\x84\xA6", true},
        {"four bytes", "\xF0\x9F\x94\x8C", true},
        {"highest code point", "\xF4\x8F\xBF\xBF", true},
        {"Latin-1 micro sign",
         "10 \xB5"
         "F",
         false},
        {"Latin-1 e acute at the end", "caf\xE9", false},
        {"lone continuation byte", "\x80", false},
        {"overlong slash", "\xC0\xAF", false},
        {"overlong three bytes", "\xE0\x80\xAF", false},
        {"surrogate", "\xED\xA0\x80", false},
        {"above U+10FFFF", "\xF4\x90\x80\x80", false},
        {"cut short", "\xE2\x84", false},
        {"lead byte F8", "\xF8\x88\x80\x80\x80", false},
    };
    for (const Row& row : rows) EXPECT_EQ(isValidUtf8(row.bytes), row.valid) << row.name;
}

TEST(HelpFile, Windows1252BytesBecomeTheirCharacters) {
    struct Row {
        const char* name;
        std::string bytes;
        std::string utf8;
    };
    const Row rows[] = {
        {"Latin-1 letters",
         "10 \xB5"
         "F caf\xE9\r\n",
         "10 \xC2\xB5"
         "F caf\xC3\xA9\r\n"},
        {"highest byte", "\xFF", "\xC3\xBF"},
        {"curly quotes", "\x93Rm\x94 \x91x\x92",
         "\xE2\x80\x9CRm\xE2\x80\x9D \xE2\x80\x98x\xE2\x80\x99"},
        {"dashes and dots", "a \x96 b \x97 c\x85", "a \xE2\x80\x93 b \xE2\x80\x94 c\xE2\x80\xA6"},
        {"euro, trade mark, bullet", "\x80 \x99 \x95", "\xE2\x82\xAC \xE2\x84\xA2 \xE2\x80\xA2"},
        {"letters of 0x8A..0x9F", "\x8A\x8C\x8E\x9A\x9C\x9E\x9F",
         "\xC5\xA0\xC5\x92\xC5\xBD\xC5\xA1\xC5\x93\xC5\xBE\xC5\xB8"},
        {"bytes the code page leaves free", "\x81\x8D\x8F\x90\x9D",
         "\xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D"},
    };
    for (const Row& row : rows) EXPECT_EQ(windows1252ToUtf8(row.bytes), row.utf8) << row.name;
}

TEST(HelpFile, MissingFileNoteSaysToCloseTheWindowFirst) {
    testing::TempFolder folder;
    const HelpText help = loadHelpText(folder.path());
    EXPECT_FALSE(help.fromFile);
    // Help on an open window only raises it; the file is read when it opens.
    EXPECT_NE(help.utf8.find("close this window and choose Help again"), std::string::npos)
        << help.utf8;
}

TEST(HelpFile, UnreadableFileGivesANoteNotAnError) {
    if (geteuid() == 0) GTEST_SKIP() << "permissions do not bind the superuser";
    testing::TempFolder folder;
    const auto file = folder.path() / kHelpFileName;
    std::ofstream(file) << "secret";
    std::filesystem::permissions(file, std::filesystem::perms::none);
    const HelpText help = loadHelpText(folder.path());
    EXPECT_FALSE(help.fromFile);
    EXPECT_NE(help.utf8.find(file.string()), std::string::npos) << help.utf8;
    EXPECT_NE(help.utf8.find("could not be read"), std::string::npos) << help.utf8;
}

TEST(HelpFile, KeepsTheFileByteForByte) {
    testing::TempFolder folder;
    const std::string bytes = "Line 1\r\n\tTabbed\r\n\r\nLast line without end";
    std::ofstream(folder.path() / kHelpFileName, std::ios::binary) << bytes;
    const HelpText help = loadHelpText(folder.path());
    EXPECT_TRUE(help.fromFile);
    EXPECT_EQ(help.utf8, bytes);
}

}  // namespace
}  // namespace varnex
