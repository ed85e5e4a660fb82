// The oscilloscope as the main window sees it: owns the picture, works on the
// window's state, and answers every scope event with the texts to show.  The
// window writes each text that a returned ScopeTexts carries into the control
// of the same name, turns shTrigRdy light green when redrawFinished is set,
// and then calls ScopeWidget::refresh().  User-interface thread only.
#pragma once

#include <QtGlobal>

#include <cstdint>
#include <string>

#include "app/VarnexState.h"
#include "scope/ScopeRenderer.h"
#include "scope/ScopeTexts.h"

namespace varnex::scope {

class ScopeController {
public:
    // The state must outlive the controller.
    explicit ScopeController(VarnexState& state, qreal devicePixelRatio = 1);
    ScopeController(const ScopeController&) = delete;
    ScopeController& operator=(const ScopeController&) = delete;

    ScopeRenderer& renderer() { return renderer_; }
    const ScopeRenderer& renderer() const { return renderer_; }

    // The public methods Update and doscope.  Update returns Label8's text;
    // doscope returns Label8, Text15 when written, and redrawFinished.
    std::string update();
    ScopeTexts doscope();

    // Start-up texts of the two scale boxes: Text20 and Text11 from 1 / Lgain
    // and 1 / Rgain.
    ScopeTexts scaleBoxTexts() const;

    // Scale buttons: step, write the box (Text20 or Text11), redraw.
    ScopeTexts btnLdecClick();
    ScopeTexts btnLincClick();
    ScopeTexts btnRdecClick();
    ScopeTexts btnRincClick();
    ScopeTexts btnTBdecClick();
    ScopeTexts btnTBincClick();

    // Check1 ("Cursors On"): ticked only for the checked state; redraws.
    ScopeTexts check1Click(bool ticked);
    // Check2 ("Hz or ms"): Label10 and Text15, no redraw.
    ScopeTexts check2Click();

    // Picture1's mouse events; x and y in drawing units, buttons as the mask
    // 1 left, 2 right, 4 middle.
    void mouseDown();
    void mouseUp();
    ScopeTexts mouseMove(int16_t buttons, float x, float y);

    // A new picture for another screen, redrawn at once.
    ScopeTexts setDevicePixelRatio(qreal devicePixelRatio);

private:
    ScopeTexts withRedraw(ScopeTexts texts);

    VarnexState& state_;
    ScopeRenderer renderer_;
};

}  // namespace varnex::scope
