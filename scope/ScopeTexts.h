// What an oscilloscope operation asks the main window to show.  Each member is
// named after the control it is for; an empty member leaves that control's
// text as it is.
#pragma once

#include <optional>
#include <string>

namespace varnex::scope {

struct ScopeTexts {
    std::optional<std::string> Label8;   // time per division
    std::optional<std::string> Text15;   // cursor difference
    std::optional<std::string> Label10;  // "Time" or "Freq"
    std::optional<std::string> Text9;    // Vx at cursor 1
    std::optional<std::string> Text12;   // Vr at cursor 1
    std::optional<std::string> Text20;   // volts per division of Vx
    std::optional<std::string> Text11;   // volts per division of Vr
    // A full redraw finished: the trigger lamp shTrigRdy turns light green.
    bool redrawFinished = false;

    // Takes every text that `later` sets; later writes win, as on screen.
    void mergeFrom(const ScopeTexts& later) {
        for (auto member : {&ScopeTexts::Label8, &ScopeTexts::Text15, &ScopeTexts::Label10,
                            &ScopeTexts::Text9, &ScopeTexts::Text12, &ScopeTexts::Text20,
                            &ScopeTexts::Text11})
            if (later.*member) this->*member = later.*member;
        redrawFinished = redrawFinished || later.redrawFinished;
    }
};

}  // namespace varnex::scope
