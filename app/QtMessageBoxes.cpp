#include "app/QtMessageBoxes.h"

#include <QMessageBox>

namespace varnex {

MessageAnswer QtMessageBoxes::show(const MessageRequest& request) {
    QMessageBox box;
    box.setWindowTitle(QString::fromStdString(request.title));
    box.setText(QString::fromStdString(request.text));
    box.setWindowModality(Qt::ApplicationModal);
    switch (request.icon) {
        case MessageIcon::None: box.setIcon(QMessageBox::NoIcon); break;
        case MessageIcon::Exclamation: box.setIcon(QMessageBox::Warning); break;
        case MessageIcon::Information: box.setIcon(QMessageBox::Information); break;
        case MessageIcon::Critical: box.setIcon(QMessageBox::Critical); break;
    }
    if (request.buttons == MessageButtons::YesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(request.defaultButton == MessageAnswer::Yes ? QMessageBox::Yes
                                                                         : QMessageBox::No);
        // The title-bar close box counts as the safe answer.
        box.setEscapeButton(QMessageBox::No);
        return box.exec() == QMessageBox::Yes ? MessageAnswer::Yes : MessageAnswer::No;
    }
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
    return MessageAnswer::Ok;
}

}  // namespace varnex
