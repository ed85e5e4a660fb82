#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>

#include <fstream>
#include <functional>

#include "DialogFixture.h"
#include "dialogs/HelpFile.h"

namespace varnex {
namespace {

class MyHelpTest : public testing::DialogFixture {
protected:
    void writeHelp(const std::string& bytes) {
        std::ofstream(folder.path() / kHelpFileName, std::ios::binary) << bytes;
    }
    QPlainTextEdit* openHelp() {
        window->menuHelp_Click();
        return child<QPlainTextEdit>(openWindow("MyHelp"), "Text1");
    }
};

TEST_F(MyHelpTest, ShowsASeveralPageFileWholeAndScrollsBothWays) {
    std::string file;
    QStringList lines;
    for (int i = 1; i <= 200; ++i) {
        QString line = QString("Line %1 ").arg(i);
        if (i == 3) line += QString(300, 'x');  // wider than the window
        lines << line;
        file += line.toStdString() + "\r\n";
    }
    writeHelp(file);
    QPlainTextEdit* text = openHelp();
    ASSERT_NE(text, nullptr);
    QWidget* help = openWindow("MyHelp");
    EXPECT_FALSE(help->windowTitle().isEmpty());
    EXPECT_EQ(text->toPlainText(), lines.join('\n') + '\n') << "CR LF pairs are single line breaks";
    EXPECT_EQ(text->document()->findBlockByNumber(2).text(), lines[2]);
    EXPECT_EQ(text->lineWrapMode(), QPlainTextEdit::NoWrap);
    EXPECT_EQ(text->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(text->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    QCoreApplication::processEvents();
    EXPECT_GT(text->verticalScrollBar()->maximum(), 0);
    EXPECT_GT(text->horizontalScrollBar()->maximum(), 0);
}

TEST_F(MyHelpTest, ReadsUtf8WhenValidElseWindows1252) {
    struct Row {
        const char* name;
        std::string bytes;
        QString shown;
    };
    const Row rows[] = {
        {"ASCII", "Rs and Xs\r\n", "Rs and Xs\n"},
        {"UTF-8",
         "10 \xC2\xB5"
         "F caf\xC3\xA9 \xE2\x84\xA6\r\n",
         QString("10 ") + QChar(0xB5) + "F caf" + QChar(0xE9) + " " + QChar(0x2126) + "\n"},
        {"Latin-1",
         "10 \xB5"
         "F caf\xE9\r\n",
         QString("10 ") + QChar(0xB5) + "F caf" + QChar(0xE9) + "\n"},
        {"Windows-1252",
         "\x93Rm\x94 \x96 \x80"
         "5\r\n",
         QChar(0x201C) + QString("Rm") + QChar(0x201D) + " " + QChar(0x2013) + " " + QChar(0x20AC) +
             "5\n"},
        {"UTF-8 with a mark", "\xEF\xBB\xBFHelp\r\n", "Help\n"},
    };
    for (const Row& row : rows) {
        writeHelp(row.bytes);
        QPlainTextEdit* text = openHelp();
        ASSERT_NE(text, nullptr) << row.name;
        EXPECT_EQ(text->toPlainText(), row.shown) << row.name;
        openWindow("MyHelp")->close();
    }
}

TEST_F(MyHelpTest, UnreadableFileIsNamedInTheWindow) {
    struct Row {
        const char* name;
        std::function<void()> prepare;
        const char* reason;
    };
    const auto file = folder.path() / kHelpFileName;
    const Row rows[] = {
        {"missing", [] {}, "does not exist"},
        {"empty", [&] { writeHelp(""); }, "is empty"},
        {"a folder", [&] { std::filesystem::create_directory(file); }, "not a plain file"},
    };
    for (const Row& row : rows) {
        std::filesystem::remove_all(file);
        row.prepare();
        QPlainTextEdit* text = openHelp();
        ASSERT_NE(text, nullptr) << row.name;
        const QString shown = text->toPlainText();
        EXPECT_TRUE(shown.contains("could not be read")) << row.name;
        EXPECT_TRUE(shown.contains(QString::fromStdString(file.string()))) << row.name;
        EXPECT_TRUE(shown.contains(row.reason)) << row.name << ": " << shown.toStdString();
        openWindow("MyHelp")->close();
    }
    std::filesystem::remove_all(file);
    writeHelp("Back again\r\n");
    EXPECT_EQ(openHelp()->toPlainText(), "Back again\n") << "the next opening reads the file";
}

TEST_F(MyHelpTest, EditingTheFileShowsOnlyAfterReopening) {
    writeHelp("First\r\n");
    openHelp();
    writeHelp("Second\r\n");
    EXPECT_EQ(openHelp()->toPlainText(), "First\n") << "the open window is only raised";
    openWindow("MyHelp")->close();
    EXPECT_EQ(openHelp()->toPlainText(), "Second\n");
}

// The help file the build puts beside the program (and the tests).
TEST(ShippedHelpFile, IsCompleteWithCrLfLineEnds) {
    const std::filesystem::path folder = QCoreApplication::applicationDirPath().toStdString();
    std::ifstream in(folder / kHelpFileName, std::ios::binary);
    ASSERT_TRUE(in) << "MyHelp.txt is not beside the program";
    const std::string bytes{std::istreambuf_iterator<char>(in), {}};
    EXPECT_TRUE(isValidUtf8(bytes));
    int lines = 0;
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '\n') continue;
        ++lines;
        ASSERT_TRUE(i > 0 && bytes[i - 1] == '\r') << "a bare LF ends line " << lines;
    }
    EXPECT_GT(lines, 150) << "several pages";
    for (const char* needed :
         {"Set Mixer", "Wave input device did not open!",
          "A process is running.  Click Stop before closing.", "Use Exit button to close",
          "This will set all tare values to zero.", "VARNEX_SIMULATE=\"C=100n\"",
          "VARNEX_SIMULATE=\"R=1k\"", "VARNEX_SIMULATE=\"L=10m,R=5\""})
        EXPECT_NE(bytes.find(needed), std::string::npos) << needed;
    const HelpText help = loadHelpText(folder);
    EXPECT_TRUE(help.fromFile);
}

}  // namespace
}  // namespace varnex
