// Building blocks shared by the settings dialogs: a top-level form without an
// owner window, and its controls placed in twips like the main window's.
#pragma once

#include <QString>

#include <string>
#include <string_view>

#include "app/Form.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QWidget;

namespace varnex {

// The point size the forms were designed in maps to the form font's size.
double formPoints(double designPoints);

// Makes the widget a window of its own with the given client area (twips):
// named, captioned, fixed in size, in the forms' font.
void setUpForm(QWidget& form, const QString& name, const QString& caption, int clientWidth,
               int clientHeight);

// Moves the window so that its client area is centred on its screen.
void centreOnScreen(QWidget& form);

// Controls of a form, placed in twips and named.
class FormBuilder {
public:
    explicit FormBuilder(QWidget& form);

    // An option button; without a caption it is only as wide as its indicator.
    QRadioButton* optionButton(const char* name, const char* caption, int l, int t, int w, int h);
    QLineEdit* textBox(const char* name, const char* text, int l, int t, int w, int h,
                       Qt::Alignment align = Qt::AlignLeft);
    QLabel* label(const char* name, const char* caption, int l, int t, int w, int h);
    QPushButton* commandButton(const char* name, const char* caption, int l, int t, int w, int h);

private:
    QWidget& form_;
    TwipsScale scale_;
};

// Text of a box for the number conversions, and back.
std::string textOf(const QLineEdit& box);
QString qtext(std::string_view text);

}  // namespace varnex
