// Production message boxes: QMessageBox, modal to the whole program.
#pragma once

#include <memory>

#include "app/MessageBoxes.h"

class QMessageBox;

namespace varnex {

class QtMessageBoxes : public MessageBoxes {
public:
    MessageAnswer show(const MessageRequest& request) override;

    // The box show() runs, not yet shown: its title, text, icon and buttons,
    // and wide enough for a window manager to show the whole title.
    static std::unique_ptr<QMessageBox> build(const MessageRequest& request);
};

}  // namespace varnex
