#include "app/Form.h"

#include <QGuiApplication>
#include <QPalette>
#include <QScreen>
#include <QWidget>

#include <cmath>

namespace varnex {

int TwipsScale::pixels(int twips) const {
    return static_cast<int>(std::lround(twips / 15.0 * factor_));
}

QRect TwipsScale::rect(int left, int top, int width, int height) const {
    return QRect(pixels(left), pixels(top), pixels(width), pixels(height));
}

TwipsScale twipsScaleOf(const QWidget* widget) {
    const QScreen* screen = widget ? widget->screen() : nullptr;
    if (!screen) screen = QGuiApplication::primaryScreen();
    return TwipsScale(screen ? screen->logicalDotsPerInchX() : 96.0);
}

QColor colorFromRgbValue(int32_t value) {
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

int32_t rgbValueOf(const QColor& color) {
    return color.red() + 256 * color.green() + 65536 * color.blue();
}

QFont formFont(double pointSize, bool bold) {
    QFont font;
    // Metric-compatible with the narrow sans serif the forms were laid out for.
    font.setFamilies({"Liberation Sans", "Arial", "Helvetica", "DejaVu Sans", "Sans Serif"});
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

void setColors(QWidget* widget, const QColor& ground, const QColor& text) {
    QPalette palette = widget->palette();
    for (QPalette::ColorRole role : {QPalette::Window, QPalette::Base, QPalette::Button})
        palette.setColor(role, ground);
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(role, text);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

void place(QWidget* widget, const QString& name, const TwipsScale& scale, int left, int top,
           int width, int height) {
    widget->setObjectName(name);
    widget->setGeometry(scale.rect(left, top, width, height));
}

}  // namespace varnex
