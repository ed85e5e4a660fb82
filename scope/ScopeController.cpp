#include "scope/ScopeController.h"

#include "scope/Cursors.h"
#include "scope/Oscilloscope.h"
#include "scope/ScaleLadders.h"

namespace varnex::scope {

ScopeController::ScopeController(VarnexState& state, qreal devicePixelRatio)
    : state_(state), renderer_(devicePixelRatio) {}

std::string ScopeController::update() { return scope::update(state_); }

ScopeTexts ScopeController::doscope() { return scope::doscope(state_, renderer_); }

ScopeTexts ScopeController::withRedraw(ScopeTexts texts) {
    texts.mergeFrom(doscope());
    return texts;
}

ScopeTexts ScopeController::scaleBoxTexts() const {
    ScopeTexts texts;
    texts.Text20 = voltsPerDivTextOfGain(state_.Lgain);
    texts.Text11 = voltsPerDivTextOfGain(state_.Rgain);
    return texts;
}

ScopeTexts ScopeController::btnLdecClick() { return withRedraw(btnLdec(state_)); }
ScopeTexts ScopeController::btnLincClick() { return withRedraw(btnLinc(state_)); }
ScopeTexts ScopeController::btnRdecClick() { return withRedraw(btnRdec(state_)); }
ScopeTexts ScopeController::btnRincClick() { return withRedraw(btnRinc(state_)); }

ScopeTexts ScopeController::btnTBdecClick() {
    btnTBdec(state_);
    return doscope();
}

ScopeTexts ScopeController::btnTBincClick() {
    btnTBinc(state_);
    return doscope();
}

ScopeTexts ScopeController::check1Click(bool ticked) {
    scope::check1Click(state_, ticked);
    return doscope();
}

ScopeTexts ScopeController::check2Click() { return scope::check2Click(state_); }

void ScopeController::mouseDown() { scope::mouseDown(state_); }
void ScopeController::mouseUp() { scope::mouseUp(state_); }

ScopeTexts ScopeController::mouseMove(int16_t buttons, float x, float /*y*/) {
    return scope::mouseMove(state_, renderer_, buttons, x);
}

ScopeTexts ScopeController::setDevicePixelRatio(qreal devicePixelRatio) {
    renderer_.setDevicePixelRatio(devicePixelRatio);
    return doscope();
}

}  // namespace varnex::scope
