// The main window's side of the oscilloscope: the redraw, the scale buttons,
// the cursor switches and the screen's mouse events.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "app/ScopeWidget.h"
#include "app/ShapeWidget.h"
#include "app/Varnex.h"
#include "dialogs/FormBuilder.h"

#include <type_traits>

namespace varnex {

void Varnex::connectScope() {
    const VarnexControls& c = controls_;
    using Step = scope::ScopeReadouts (scope::ScopeController::*)();
    const std::pair<QPushButton*, Step> buttons[] = {
        {c.btnLdec, &scope::ScopeController::raiseVxGain},
        {c.btnLinc, &scope::ScopeController::lowerVxGain},
        {c.btnRdec, &scope::ScopeController::raiseVrGain},
        {c.btnRinc, &scope::ScopeController::lowerVrGain},
        {c.btnTBdec, &scope::ScopeController::shortenTimePerDivision},
        {c.btnTBinc, &scope::ScopeController::lengthenTimePerDivision},
    };
    for (const auto& [button, step] : buttons)
        connect(button, &QPushButton::clicked, this,
                [this, step = step] { showScopeReadouts((scope_.get()->*step)()); });

    connect(picture1_, &ScopeWidget::mousePressed, this,
            [this](int16_t, float, float) { scope_->mouseDown(); });
    connect(picture1_, &ScopeWidget::mouseReleased, this,
            [this](int16_t, float, float) { scope_->mouseUp(); });
    connect(picture1_, &ScopeWidget::mouseMoved, this, [this](int16_t buttons, float x, float y) {
        showScopeReadouts(scope_->mouseMove(buttons, x, y));
    });
    connect(picture1_, &ScopeWidget::devicePixelRatioChanged, this,
            [this](qreal ratio) { showScopeReadouts(scope_->setDevicePixelRatio(ratio)); });
}

void Varnex::showScopeReadouts(const scope::ScopeReadouts& r) {
    const VarnexControls& c = controls_;
    auto write = [](auto* control, const std::optional<std::string>& value) {
        if (!value) return;
        if constexpr (std::is_same_v<decltype(control), QLineEdit*>)
            showText(*control, *value);
        else
            control->setText(QString::fromStdString(*value));
    };
    write(c.Label8, r.timePerDivision);
    write(c.Text15, r.cursorDifference);
    write(c.Label10, r.differenceKind);
    write(c.Text9, r.vxAtCursor);
    write(c.Text12, r.vrAtCursor);
    write(c.Text20, r.vxScale);
    write(c.Text11, r.vrScale);
    if (r.redrawFinished) setLamp(kLampIdle);
    picture1_->refresh();
    if (r.redrawFinished) emit scopeDrawn();
}

void Varnex::doscope() {
    drawScope();
    // Drawn from the arrays as they stand; a measurement under way redraws
    // again when its weights and arrays are final.
    if (instrument_->measuring()) instrument_->redrawWhenDone();
}

void Varnex::drawScope() {
    showScopeReadouts(scope_->doscope());
}

void Varnex::Update() {
    controls_.Label8->setText(QString::fromStdString(scope_->update()));
}

void Varnex::Check1_Click() {
    showScopeReadouts(scope_->showCursors(controls_.Check1->checkState() == Qt::Checked));
}

void Varnex::Check2_Click() {
    showScopeReadouts(scope_->switchDifferenceKind());
}

}  // namespace varnex
