#include "app/QtMessageBoxes.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <QSpacerItem>

namespace varnex {
namespace {

// Room a title bar takes besides the title: the window's icon, its buttons
// and margins, in lines of the title font.
constexpr int kTitleBarLines = 9;

// A box as narrow as "Set Mixer" leaves a window manager no room for its
// title ("Reminder" vanishes, "Exit Check" reads "Ex...ck"); a spacer across
// the box's grid widens it to the title's width and the title bar's controls.
void makeRoomForTitle(QMessageBox& box) {
    QFont font = QFontDatabase::systemFont(QFontDatabase::TitleFont);
    font.setBold(true);
    const QFontMetrics metrics(font);
    const int width =
        metrics.horizontalAdvance(box.windowTitle()) + kTitleBarLines * metrics.height();
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    if (!grid) return;
    grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Fixed),
                  grid->rowCount(), 0, 1, grid->columnCount());
}

}  // namespace

std::unique_ptr<QMessageBox> QtMessageBoxes::build(const MessageRequest& request) {
    auto box = std::make_unique<QMessageBox>();
    box->setWindowTitle(QString::fromStdString(request.title));
    box->setText(QString::fromStdString(request.text));
    box->setWindowModality(Qt::ApplicationModal);
    switch (request.icon) {
        case MessageIcon::None:
            box->setIcon(QMessageBox::NoIcon);
            break;
        case MessageIcon::Exclamation:
            box->setIcon(QMessageBox::Warning);
            break;
        case MessageIcon::Information:
            box->setIcon(QMessageBox::Information);
            break;
        case MessageIcon::Critical:
            box->setIcon(QMessageBox::Critical);
            break;
    }
    if (request.buttons == MessageButtons::YesNo) {
        box->setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box->setDefaultButton(request.defaultButton == MessageAnswer::Yes ? QMessageBox::Yes
                                                                          : QMessageBox::No);
        // The title-bar close box counts as the safe answer.
        box->setEscapeButton(QMessageBox::No);
    } else {
        box->setStandardButtons(QMessageBox::Ok);
    }
    makeRoomForTitle(*box);
    return box;
}

MessageAnswer QtMessageBoxes::show(const MessageRequest& request) {
    const std::unique_ptr<QMessageBox> box = build(request);
    const int answer = box->exec();
    if (request.buttons == MessageButtons::YesNo)
        return answer == QMessageBox::Yes ? MessageAnswer::Yes : MessageAnswer::No;
    return MessageAnswer::Ok;
}

}  // namespace varnex
