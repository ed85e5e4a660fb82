// What an oscilloscope operation asks the window to show.  An empty member
// leaves that text on screen as it is.
#pragma once

#include <optional>
#include <string>

namespace varnex::scope {

struct ScopeReadouts {
    std::optional<std::string> timePerDivision;   // "0.5 ms/div"
    std::optional<std::string> cursorDifference;  // time or frequency between the cursors
    std::optional<std::string> differenceKind;    // "Time" or "Freq"
    std::optional<std::string> vxAtCursor;        // Vx at cursor 1
    std::optional<std::string> vrAtCursor;        // Vr at cursor 1
    std::optional<std::string> vxScale;           // volts per division of Vx
    std::optional<std::string> vrScale;           // volts per division of Vr
    // A full redraw finished: the trigger lamp turns light green.
    bool redrawFinished = false;

    // Takes every text that `later` sets; later writes win, as on screen.
    void mergeFrom(const ScopeReadouts& later) {
        for (auto member :
             {&ScopeReadouts::timePerDivision, &ScopeReadouts::cursorDifference,
              &ScopeReadouts::differenceKind, &ScopeReadouts::vxAtCursor,
              &ScopeReadouts::vrAtCursor, &ScopeReadouts::vxScale, &ScopeReadouts::vrScale})
            if (later.*member) this->*member = later.*member;
        redrawFinished = redrawFinished || later.redrawFinished;
    }
};

}  // namespace varnex::scope
