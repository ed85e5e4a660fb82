#include "dialogs/MyHelp.h"

#include <QFontDatabase>
#include <QPlainTextEdit>

#include "dialogs/FormBuilder.h"
#include "dialogs/HelpFile.h"

namespace varnex {
namespace {

// The help text lines up in columns, so it is shown in a fixed-pitch font.
constexpr double kHelpFontPoints = 9;

}  // namespace

MyHelp::MyHelp(const std::filesystem::path& programFolder) : QWidget(nullptr, Qt::Window) {
    setUpForm(*this, "MyHelp", "Varnex Help", 11220, 6750);
    Text1_ = new QPlainTextEdit("Text1", this);
    FormBuilder(*this).place(Text1_, "Text1", 120, 120, 11055, 6495);
    Text1_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Text1_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Text1_->setLineWrapMode(QPlainTextEdit::NoWrap);
    // A reader, not an editor: the text can be selected and copied, not changed.
    Text1_->setReadOnly(true);
    Text1_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPointSizeF(kHelpFontPoints);
    Text1_->setFont(font);

    // Load.
    const HelpText help = loadHelpText(programFolder);
    Text1_->setPlainText(qtext(help.utf8));
}

}  // namespace varnex
