// Message boxes reach the main window through this seam, so a test can run
// the whole window headless and answer every box it shows.
#pragma once

#include <string>

namespace varnex {

enum class MessageButtons { Ok, YesNo };
enum class MessageIcon { None, Exclamation, Information, Critical };
enum class MessageAnswer { Ok, Yes, No };

struct MessageRequest {
    std::string title;
    std::string text;
    MessageButtons buttons = MessageButtons::Ok;
    MessageAnswer defaultButton = MessageAnswer::Ok;
    MessageIcon icon = MessageIcon::None;
};

class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    // Shows the box modally and returns the button the user chose.
    virtual MessageAnswer show(const MessageRequest& request) = 0;
};

}  // namespace varnex
