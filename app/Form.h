// Small helpers every form of the program uses to place and colour its
// controls: positions are given in twips, as the forms were designed.
#pragma once

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>

#include <cstdint>

class QWidget;

namespace varnex {

// 15 twips make one pixel at 96 dpi; a screen with a larger logical dpi
// gets proportionally larger forms.
class TwipsScale {
public:
    explicit TwipsScale(double logicalDpi = 96) : factor_(logicalDpi / 96.0) {}
    int pixels(int twips) const;
    QRect rect(int left, int top, int width, int height) const;

private:
    double factor_;
};

// The scale of the screen the widget is on (or of the primary screen).
TwipsScale twipsScaleOf(const QWidget* widget);

// A colour written red + 256 * green + 65536 * blue.
QColor colorFromRgbValue(int32_t value);
int32_t rgbValueOf(const QColor& color);

// The forms were laid out for a narrow 8.25 pt bitmap sans serif; Liberation
// Sans needs about 7.5 pt to fit the same labels and buttons.
inline constexpr double kFormFontPoints = 7.5;

// The forms' text font: a sans serif of the given size.
QFont formFont(double pointSize = kFormFontPoints, bool bold = false);

// Fills the widget's ground and sets its text colour.
void setColors(QWidget* widget, const QColor& ground, const QColor& text = Qt::black);

// Places a control in twips and names it, so tests and tools find it.
void place(QWidget* widget, const QString& name, const TwipsScale& scale, int left, int top,
           int width, int height);

}  // namespace varnex
