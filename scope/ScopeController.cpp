#include "scope/ScopeController.h"

#include "scope/Cursors.h"
#include "scope/Oscilloscope.h"
#include "scope/ScaleLadders.h"

namespace varnex::scope {

ScopeController::ScopeController(ScopeSettings& settings, const Traces& traces,
                                 qreal devicePixelRatio)
    : settings_(settings), traces_(traces), renderer_(devicePixelRatio) {}

std::string ScopeController::update() {
    return scope::update(settings_, view_);
}

ScopeReadouts ScopeController::doscope() {
    return scope::doscope(settings_, view_, traces_, renderer_);
}

ScopeReadouts ScopeController::withRedraw(ScopeReadouts readouts) {
    readouts.mergeFrom(doscope());
    return readouts;
}

ScopeReadouts ScopeController::raiseVxGain() {
    return withRedraw(scope::raiseVxGain(settings_));
}
ScopeReadouts ScopeController::lowerVxGain() {
    return withRedraw(scope::lowerVxGain(settings_));
}
ScopeReadouts ScopeController::raiseVrGain() {
    return withRedraw(scope::raiseVrGain(settings_));
}
ScopeReadouts ScopeController::lowerVrGain() {
    return withRedraw(scope::lowerVrGain(settings_));
}

ScopeReadouts ScopeController::shortenTimePerDivision() {
    scope::shortenTimePerDivision(settings_);
    return doscope();
}

ScopeReadouts ScopeController::lengthenTimePerDivision() {
    scope::lengthenTimePerDivision(settings_);
    return doscope();
}

ScopeReadouts ScopeController::showCursors(bool ticked) {
    scope::showCursors(settings_, ticked);
    return doscope();
}

ScopeReadouts ScopeController::switchDifferenceKind() {
    return scope::switchDifferenceKind(settings_, view_);
}

void ScopeController::mouseDown() {
    scope::mouseDown(view_);
}
void ScopeController::mouseUp() {
    scope::mouseUp(view_);
}

ScopeReadouts ScopeController::mouseMove(int16_t buttons, float x, float /*y*/) {
    return scope::mouseMove(settings_, view_, traces_, renderer_, buttons, x);
}

ScopeReadouts ScopeController::setDevicePixelRatio(qreal devicePixelRatio) {
    renderer_.setDevicePixelRatio(devicePixelRatio);
    return doscope();
}

}  // namespace varnex::scope
