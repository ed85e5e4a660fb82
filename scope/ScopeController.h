// The oscilloscope as the window sees it: owns the picture and its view,
// works on the scope settings and reads the traces, and answers every scope
// event with the readouts to show.  The window writes each text a returned
// ScopeReadouts carries, turns the trigger lamp light green when
// redrawFinished is set, and then repaints the screen.  User-interface
// thread only.
#pragma once

#include <QtGlobal>

#include <cstdint>
#include <string>

#include "scope/ScopeReadouts.h"
#include "scope/ScopeRenderer.h"
#include "scope/ScopeSettings.h"

namespace varnex::scope {

class ScopeController {
public:
    // The settings and the traces must outlive the controller.
    ScopeController(ScopeSettings& settings, const Traces& traces, qreal devicePixelRatio = 1);
    ScopeController(const ScopeController&) = delete;
    ScopeController& operator=(const ScopeController&) = delete;

    ScopeRenderer& renderer() { return renderer_; }
    const ScopeRenderer& renderer() const { return renderer_; }
    const ScopeView& view() const { return view_; }

    // Update returns the time-base label's text; doscope redraws everything.
    std::string update();
    ScopeReadouts doscope();

    // Scale buttons: step, write the scale box, redraw.
    ScopeReadouts raiseVxGain();
    ScopeReadouts lowerVxGain();
    ScopeReadouts raiseVrGain();
    ScopeReadouts lowerVrGain();
    ScopeReadouts shortenTimePerDivision();
    ScopeReadouts lengthenTimePerDivision();

    // "Cursors On": ticked only for the checked state; redraws.
    ScopeReadouts showCursors(bool ticked);
    // "Hz or ms": the difference kind and the cursor difference, no redraw.
    ScopeReadouts switchDifferenceKind();

    // The screen's mouse events; x and y in drawing units, buttons as the mask
    // 1 left, 2 right, 4 middle.
    void mouseDown();
    void mouseUp();
    ScopeReadouts mouseMove(int16_t buttons, float x, float y);

    // A new picture for another screen, redrawn at once.
    ScopeReadouts setDevicePixelRatio(qreal devicePixelRatio);

private:
    ScopeReadouts withRedraw(ScopeReadouts readouts);

    ScopeSettings& settings_;
    Traces traces_;
    ScopeView view_;
    ScopeRenderer renderer_;
};

}  // namespace varnex::scope
