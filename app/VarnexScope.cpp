// The main window's side of the oscilloscope: the redraw, the scale buttons,
// the cursor switches and Picture1's mouse events.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "app/ShapeWidget.h"
#include "app/Varnex.h"
#include "scope/ScopeWidget.h"

namespace varnex {

void Varnex::connectScope() {
    const VarnexControls& c = controls_;
    using Step = scope::ScopeTexts (scope::ScopeController::*)();
    const std::pair<QPushButton*, Step> buttons[] = {
        {c.btnLdec, &scope::ScopeController::btnLdecClick},
        {c.btnLinc, &scope::ScopeController::btnLincClick},
        {c.btnRdec, &scope::ScopeController::btnRdecClick},
        {c.btnRinc, &scope::ScopeController::btnRincClick},
        {c.btnTBdec, &scope::ScopeController::btnTBdecClick},
        {c.btnTBinc, &scope::ScopeController::btnTBincClick},
    };
    for (const auto& [button, step] : buttons)
        connect(button, &QPushButton::clicked, this,
                [this, step = step] { showScopeTexts((scope_.get()->*step)()); });

    connect(picture1_, &scope::ScopeWidget::mousePressed, this,
            [this](int16_t, float, float) { scope_->mouseDown(); });
    connect(picture1_, &scope::ScopeWidget::mouseReleased, this,
            [this](int16_t, float, float) { scope_->mouseUp(); });
    connect(picture1_, &scope::ScopeWidget::mouseMoved, this,
            [this](int16_t buttons, float x, float y) {
                showScopeTexts(scope_->mouseMove(buttons, x, y));
            });
    connect(picture1_, &scope::ScopeWidget::devicePixelRatioChanged, this,
            [this](qreal ratio) { showScopeTexts(scope_->setDevicePixelRatio(ratio)); });
}

void Varnex::showScopeTexts(const scope::ScopeTexts& texts) {
    const VarnexControls& c = controls_;
    auto write = [](auto* control, const std::optional<std::string>& value) {
        if (value) control->setText(QString::fromStdString(*value));
    };
    write(c.Label8, texts.Label8);
    write(c.Text15, texts.Text15);
    write(c.Label10, texts.Label10);
    write(c.Text9, texts.Text9);
    write(c.Text12, texts.Text12);
    write(c.Text20, texts.Text20);
    write(c.Text11, texts.Text11);
    if (texts.redrawFinished) c.shTrigRdy->setFillColor(QColor(128, 255, 128));
    picture1_->refresh();
    if (texts.redrawFinished) emit scopeDrawn();
}

void Varnex::doscope() {
    drawScope();
    // Drawn from the arrays as they stand; a measurement under way redraws
    // again when its weights and arrays are final.
    if (measurement_->running()) measurement_->redrawWhenDone();
}

void Varnex::drawScope() { showScopeTexts(scope_->doscope()); }

void Varnex::Update() { controls_.Label8->setText(QString::fromStdString(scope_->update())); }

void Varnex::Check1_Click() {
    showScopeTexts(scope_->check1Click(controls_.Check1->checkState() == Qt::Checked));
}

void Varnex::Check2_Click() { showScopeTexts(scope_->check2Click()); }

}  // namespace varnex
