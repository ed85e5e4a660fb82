#include "dialogs/FormBuilder.h"

#include <QCheckBox>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPalette>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStyle>
#include <QWidget>

#include <algorithm>
#include <array>
#include <cmath>

#include "common/Twips.h"

namespace varnex {
namespace {

// The size the main window's font stands for (MS Sans Serif 8.25 pt).
constexpr double kDesignFontPoints = 8.25;

const QColor kFormGrey(192, 192, 192);
// Grey text of a disabled control, readable on the grey, white and black grounds.
const QColor kDisabledText(128, 128, 128);

// Families with Liberation Sans's letter widths, the widths the forms' captions
// were fitted to, in order of preference.
const QStringList kMetricCompatibleFamilies{"Liberation Sans", "Arimo", "Nimbus Sans",
                                            "Nimbus Sans L",   "Arial", "Helvetica"};

// Advance widths in thousandths of an em of the printable ASCII characters,
// from the blank to the tilde, shared by the metric-compatible families.
constexpr std::array<int, 95> kAdvances{278,  278, 355, 556, 556, 889, 667, 191, 333,
                                        333,  389, 584, 278, 333, 278, 278,  //  !"#$%&'()*+,-./
                                        556,  556, 556, 556, 556, 556, 556, 556, 556,
                                        556,  278, 278, 584, 584, 584, 556,  // 0-9 :;<=>?
                                        1015, 667, 667, 722, 722, 667, 611, 778, 722,
                                        278,  500, 667, 556, 833, 722, 778,  // @A-O
                                        667,  778, 722, 667, 611, 722, 667, 944, 667,
                                        667,  611, 278, 278, 278, 469, 556,  // P-Z [\]^_
                                        333,  556, 556, 500, 556, 556, 278, 556, 556,
                                        222,  222, 500, 222, 833, 556, 556,  // `a-o
                                        556,  556, 333, 500, 278, 556, 500, 722, 500,
                                        500,  500, 334, 260, 334, 584};  // p-z {|}~
constexpr int kDigitAdvance = 556;

// Captions of the forms that fill their controls: a wider family is scaled
// until each is no wider than in a metric-compatible one.
constexpr std::array<QStringView, 10> kTightCaptions{
    u"Stop before adjusting controls or parameters.",
    u"Cursors On",
    u"Err Data",
    u"Continuous Capture",
    u"Vr (R-L) Ch",
    u"0.5 ms/div",
    u"Parameters",
    u"Enter value in box for output level. See Help for more information.",
    u"Put your values of tare in the boxes and then close form.",
    u"Fastest convergence.. Large error"};

// How far a wider family may be scaled down, and in what steps.
constexpr double kSmallestFontScale = 0.6;
constexpr double kFontScaleStep = 0.01;

QFont preferredFont(double pointSize) {
    QFont font;
    // Without any of them the system's sans serif is taken (and scaled).
    font.setFamilies(kMetricCompatibleFamilies + QStringList{"Sans Serif"});
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(pointSize);
    return font;
}

QIcon triangleIcon(bool pointsUp) {
    QPixmap pixmap(16, 16);
    pixmap.fill(kFormGrey);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    const QPolygonF up{QPointF(8, 3), QPointF(14, 12), QPointF(2, 12)};
    const QPolygonF down{QPointF(2, 4), QPointF(14, 4), QPointF(8, 13)};
    painter.drawPolygon(pointsUp ? up : down);
    return QIcon(pixmap);
}

}  // namespace

TwipsScale::TwipsScale(double logicalDpi) : factor_(logicalDpi / kReferenceDpi) {}

int TwipsScale::pixels(int twips) const {
    return static_cast<int>(std::lround(twips / double(kTwipsPerPixel) * factor_));
}

QRect TwipsScale::rect(int left, int top, int width, int height) const {
    return QRect(pixels(left), pixels(top), pixels(width), pixels(height));
}

TwipsScale twipsScaleOf(const QWidget* widget) {
    const QScreen* screen = widget ? widget->screen() : nullptr;
    if (!screen) screen = QGuiApplication::primaryScreen();
    return TwipsScale(screen ? screen->logicalDotsPerInchX() : kReferenceDpi);
}

QFont formFont(double pointSize, bool bold) {
    QFont font = preferredFont(pointSize * formFontScale());
    font.setBold(bold);
    return font;
}

double formFontScale() {
    static const double scale = [] {
        const QFont font = preferredFont(kFormFontPoints);
        if (kMetricCompatibleFamilies.contains(QFontInfo(font).family(), Qt::CaseInsensitive))
            return 1.0;
        // As wide as in a metric-compatible family at kFormFontPoints;
        // hinting makes widths step, so each size is measured.
        const double pixels = kFormFontPoints * kReferenceDpi / 72.0;
        auto fits = [&](double scale) {
            const QFontMetricsF metrics(preferredFont(kFormFontPoints * scale));
            return std::all_of(kTightCaptions.begin(), kTightCaptions.end(),
                               [&](QStringView caption) {
                                   return metrics.horizontalAdvance(caption.toString()) <=
                                          metricCompatibleWidth(caption) * pixels;
                               });
        };
        double scale = 1;
        while (scale > kSmallestFontScale && !fits(scale)) scale -= kFontScaleStep;
        return scale;
    }();
    return scale;
}

double metricCompatibleWidth(QStringView text) {
    int thousandths = 0;
    for (QChar c : text) {
        const char16_t code = c.unicode();
        thousandths +=
            code >= 32 && code < 32 + kAdvances.size() ? kAdvances[code - 32] : kDigitAdvance;
    }
    return thousandths / 1000.0;
}

double formPoints(double designPoints) {
    return designPoints * kFormFontPoints / kDesignFontPoints;
}

void setColors(QWidget* widget, const QColor& ground, const QColor& text) {
    QPalette palette = widget->palette();
    for (QPalette::ColorRole role : {QPalette::Window, QPalette::Base, QPalette::Button})
        palette.setColor(role, ground);
    // The text colour is for enabled controls only: a disabled one (Start1
    // during continuous capture) must still look disabled, here and in every
    // child that inherits this palette.
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
        palette.setColor(QPalette::Active, role, text);
        palette.setColor(QPalette::Inactive, role, text);
        palette.setColor(QPalette::Disabled, role, kDisabledText);
    }
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

void setUpForm(QWidget& form, const QString& name, const QString& caption, int clientWidth,
               int clientHeight) {
    form.setObjectName(name);
    form.setWindowTitle(caption);
    form.setFont(formFont());
    const TwipsScale scale = twipsScaleOf(&form);
    form.setFixedSize(scale.pixels(clientWidth), scale.pixels(clientHeight));
}

void centreOnScreen(QWidget& form) {
    const QScreen* screen = form.screen() ? form.screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    QRect area(QPoint(0, 0), form.size());
    area.moveCenter(screen->availableGeometry().center());
    form.move(area.topLeft());
}

std::string textOf(const QLineEdit& box) {
    return box.text().toStdString();
}

QString qtext(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

void showText(QLineEdit& box, const QString& text) {
    box.setText(text);
    box.setCursorPosition(0);
}

void showText(QLineEdit& box, std::string_view text) {
    showText(box, qtext(text));
}

FormBuilder::FormBuilder(QWidget& parent) : parent_(parent), scale_(twipsScaleOf(&parent)) {}

void FormBuilder::place(QWidget* control, const char* name, int l, int t, int w, int h) const {
    control->setObjectName(name);
    control->setGeometry(scale_.rect(l, t, w, h));
}

QLabel* FormBuilder::label(const char* name, const char* caption, int l, int t, int w, int h,
                           Qt::Alignment align) {
    auto* label = new QLabel(QString::fromUtf8(caption), &parent_);
    place(label, name, l, t, w, h);
    label->setAlignment(align);
    label->setWordWrap(true);
    label->setFont(formFont());
    return label;
}

QLineEdit* FormBuilder::textBox(const char* name, const char* text, int l, int t, int w, int h,
                                Qt::Alignment align) {
    auto* box = new QLineEdit(&parent_);
    place(box, name, l, t, w, h);
    box->setFont(formFont());
    box->setAlignment(align | Qt::AlignVCenter);
    box->setTextMargins(0, 0, 0, 0);
    showText(*box, QString::fromUtf8(text));
    return box;
}

QLineEdit* FormBuilder::displayBox(const char* name, const char* text, int l, int t, int w, int h,
                                   Qt::Alignment align) {
    QLineEdit* box = textBox(name, text, l, t, w, h, align);
    box->setReadOnly(true);
    setColors(box, Qt::white);
    return box;
}

QPushButton* FormBuilder::commandButton(const char* name, const char* caption, int l, int t, int w,
                                        int h) {
    auto* button = new QPushButton(QString::fromUtf8(caption), &parent_);
    place(button, name, l, t, w, h);
    button->setFont(formFont());
    return button;
}

QPushButton* FormBuilder::pictureButton(const char* name, bool pointsUp, int l, int t, int w,
                                        int h) {
    QPushButton* button = commandButton(name, "", l, t, w, h);
    button->setIcon(triangleIcon(pointsUp));
    const int side = std::min(16, std::min(button->width(), button->height()) - 2);
    button->setIconSize(QSize(side, side));
    button->setStyleSheet("QPushButton { padding: 0px; }");
    return button;
}

QRadioButton* FormBuilder::optionButton(const char* name, const char* caption, int l, int t, int w,
                                        int h) {
    auto* option = new QRadioButton(QString::fromUtf8(caption), &parent_);
    place(option, name, l, t, w, h);
    option->setFont(formFont());
    // Some options were drawn lower than the style's circle ("1000 Hz" is
    // 13 pixels high): a smaller circle keeps it whole at the same place.
    const QStyle* style = option->style();
    const int indicator = style->pixelMetric(QStyle::PM_ExclusiveIndicatorHeight, nullptr, option);
    if (indicator > option->height() - 2) {
        const int side = std::max(option->height() - 2, 6);
        // Centred under the other options' circles, the caption in line with theirs.
        const int left = (indicator - side) / 2;
        const int spacing =
            style->pixelMetric(QStyle::PM_RadioButtonLabelSpacing, nullptr, option) + indicator -
            side - left;
        option->setStyleSheet(
            QString("QRadioButton { spacing: %1px; } "
                    "QRadioButton::indicator { width: %2px; height: %2px; margin-left: %3px; }")
                .arg(spacing)
                .arg(side)
                .arg(left));
    }
    return option;
}

QCheckBox* FormBuilder::checkBox(const char* name, const char* caption, int l, int t, int w,
                                 int h) {
    auto* box = new QCheckBox(QString::fromUtf8(caption), &parent_);
    place(box, name, l, t, w, h);
    box->setFont(formFont());
    return box;
}

QWidget* FormBuilder::line(const char* name, int l, int t, int w) {
    auto* line = new QWidget(&parent_);
    line->setObjectName(name);
    line->setGeometry(scale_.pixels(l), scale_.pixels(t), scale_.pixels(w), 1);
    setColors(line, Qt::black);
    return line;
}

}  // namespace varnex
