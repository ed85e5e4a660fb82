// Message boxes for tests: records every box the program shows and answers
// from a script (the default button when the script is empty).
#pragma once

#include <deque>
#include <functional>
#include <vector>

#include "app/MessageBoxes.h"

namespace varnex::testing {

class ScriptedMessageBoxes : public MessageBoxes {
public:
    struct Log {
        std::vector<MessageRequest> shown;
        std::deque<MessageAnswer> answers;
        // Runs while a box is "open", as the user could act meanwhile.
        std::function<void(const MessageRequest&)> whileOpen;
    };

    explicit ScriptedMessageBoxes(Log& log) : log_(log) {}

    MessageAnswer show(const MessageRequest& request) override {
        log_.shown.push_back(request);
        if (log_.whileOpen) log_.whileOpen(request);
        if (log_.answers.empty()) return request.defaultButton;
        const MessageAnswer answer = log_.answers.front();
        log_.answers.pop_front();
        return answer;
    }

private:
    Log& log_;
};

}  // namespace varnex::testing
