#include "dialogs/FormBuilder.h"

#include <QCheckBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPalette>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QWidget>

#include <algorithm>
#include <cmath>

#include "common/Twips.h"

namespace varnex {
namespace {

// The size the main window's font stands for (MS Sans Serif 8.25 pt).
constexpr double kDesignFontPoints = 8.25;

const QColor kFormGrey(192, 192, 192);
// Grey text of a disabled control, readable on the grey, white and black grounds.
const QColor kDisabledText(128, 128, 128);

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
    QFont font;
    // Metric-compatible with the narrow sans serif the forms were laid out for.
    font.setFamilies({"Liberation Sans", "Arial", "Helvetica", "DejaVu Sans", "Sans Serif"});
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
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

std::string textOf(const QLineEdit& box) { return box.text().toStdString(); }

QString qtext(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

void showText(QLineEdit& box, const QString& text) {
    box.setText(text);
    box.setCursorPosition(0);
}

void showText(QLineEdit& box, std::string_view text) { showText(box, qtext(text)); }

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
    auto* box = new QLineEdit(QString::fromUtf8(text), &parent_);
    place(box, name, l, t, w, h);
    box->setFont(formFont());
    box->setAlignment(align | Qt::AlignVCenter);
    box->setTextMargins(0, 0, 0, 0);
    return box;
}

QLineEdit* FormBuilder::displayBox(const char* name, const char* text, int l, int t, int w, int h,
                                   Qt::Alignment align) {
    QLineEdit* box = textBox(name, text, l, t, w, h, align);
    box->setReadOnly(true);
    setColors(box, Qt::white);
    return box;
}

QPushButton* FormBuilder::commandButton(const char* name, const char* caption, int l, int t,
                                        int w, int h) {
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

QRadioButton* FormBuilder::optionButton(const char* name, const char* caption, int l, int t,
                                        int w, int h) {
    auto* option = new QRadioButton(QString::fromUtf8(caption), &parent_);
    place(option, name, l, t, w, h);
    option->setFont(formFont());
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
