// The one way every form of the program (the main window and each dialog)
// places its controls: positions in twips, as the forms were designed, named
// so tests and tools find each control by its objectName.
#pragma once

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>

#include <string>
#include <string_view>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QWidget;

namespace varnex {

// 15 twips make one pixel at 96 dpi; a screen with a larger logical dpi
// gets proportionally larger forms.
class TwipsScale {
public:
    explicit TwipsScale(double logicalDpi = 96);
    int pixels(int twips) const;
    QRect rect(int left, int top, int width, int height) const;

private:
    double factor_;
};

// The scale of the screen the widget is on (or of the primary screen).
TwipsScale twipsScaleOf(const QWidget* widget);

// The forms were laid out for a narrow 8.25 pt bitmap sans serif; Liberation
// Sans needs about 7.5 pt to fit the same labels and buttons.
inline constexpr double kFormFontPoints = 7.5;

// The forms' text font: a sans serif of the given size.  A family with
// Liberation Sans's letter widths (Liberation Sans, Arimo, Nimbus Sans) is
// taken when one is installed; any other sans serif is scaled down until the
// forms' captions are no wider than in those, so they fit their controls.
QFont formFont(double pointSize = kFormFontPoints, bool bold = false);

// The factor formFont applies to every size: 1 for a metric-compatible
// family, less for a wider one.
double formFontScale();

// Width of the text in ems when set in Liberation Sans or a family with the
// same letter widths (characters outside printable ASCII count as a digit).
double metricCompatibleWidth(QStringView text);

// The point size a form was designed in, in the form font's scale.
double formPoints(double designPoints);

// Fills the widget's ground and sets its text colour.
void setColors(QWidget* widget, const QColor& ground, const QColor& text = Qt::black);

// Makes the widget a window of its own with the given client area (twips):
// named, captioned, fixed in size, in the forms' font.
void setUpForm(QWidget& form, const QString& name, const QString& caption, int clientWidth,
               int clientHeight);

// Moves the window so that its client area is centred on its screen.
void centreOnScreen(QWidget& form);

// Text of a box for the number conversions, and back.
std::string textOf(const QLineEdit& box);
QString qtext(std::string_view text);

// Every text the program puts into a box goes through here.  setText leaves
// the cursor at the end, and a text wider than its box then shows its end:
// " .8116778" would read as "8116778".  The start is shown instead.
void showText(QLineEdit& box, const QString& text);
void showText(QLineEdit& box, std::string_view text);

// Creates controls on one form (or its client area), each at its place in
// twips, in the form font, under its name.
class FormBuilder {
public:
    explicit FormBuilder(QWidget& parent);

    // Places any control and names it.
    void place(QWidget* control, const char* name, int l, int t, int w, int h) const;

    // Static text, top-left aligned unless told, wrapped.
    QLabel* label(const char* name, const char* caption, int l, int t, int w, int h,
                  Qt::Alignment align = Qt::AlignLeft | Qt::AlignTop);
    // A box the user types into.
    QLineEdit* textBox(const char* name, const char* text, int l, int t, int w, int h,
                       Qt::Alignment align = Qt::AlignLeft);
    // A box the program writes and never reads: read-only, white.
    QLineEdit* displayBox(const char* name, const char* text, int l, int t, int w, int h,
                          Qt::Alignment align = Qt::AlignLeft);
    QPushButton* commandButton(const char* name, const char* caption, int l, int t, int w, int h);
    // A button showing a 16 x 16 black triangle on grey instead of a caption.
    QPushButton* pictureButton(const char* name, bool pointsUp, int l, int t, int w, int h);
    // An option button; without a caption it is only as wide as its indicator.
    QRadioButton* optionButton(const char* name, const char* caption, int l, int t, int w, int h);
    QCheckBox* checkBox(const char* name, const char* caption, int l, int t, int w, int h);
    // A one-pixel black horizontal line.
    QWidget* line(const char* name, int l, int t, int w);

private:
    QWidget& parent_;
    TwipsScale scale_;
};

}  // namespace varnex
