// Production message boxes: QMessageBox, modal to the whole program.
#pragma once

#include "app/MessageBoxes.h"

namespace varnex {

class QtMessageBoxes : public MessageBoxes {
public:
    MessageAnswer show(const MessageRequest& request) override;
};

}  // namespace varnex
