// The help window: MyHelp.txt from the program's folder, whole, in one text
// box that scrolls both ways.  Read afresh each time the window is opened.
#pragma once

#include <QWidget>

#include <filesystem>

class QPlainTextEdit;

namespace varnex {

class MyHelp : public QWidget {
    Q_OBJECT
public:
    // Loads the window: reads the help file.  It needs nothing of the main
    // window but the program's folder.
    explicit MyHelp(const std::filesystem::path& programFolder);

private:
    QPlainTextEdit* Text1_ = nullptr;
};

}  // namespace varnex
