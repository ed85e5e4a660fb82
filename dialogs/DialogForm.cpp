#include "dialogs/DialogForm.h"

#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QWidget>

namespace varnex {
namespace {

// The size the main window's font stands for (MS Sans Serif 8.25 pt).
constexpr double kDesignFontPoints = 8.25;

}  // namespace

double formPoints(double designPoints) {
    return designPoints * kFormFontPoints / kDesignFontPoints;
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

FormBuilder::FormBuilder(QWidget& form) : form_(form), scale_(twipsScaleOf(&form)) {}

QRadioButton* FormBuilder::optionButton(const char* name, const char* caption, int l, int t,
                                        int w, int h) {
    auto* option = new QRadioButton(QString::fromUtf8(caption), &form_);
    place(option, name, scale_, l, t, w, h);
    return option;
}

QLineEdit* FormBuilder::textBox(const char* name, const char* text, int l, int t, int w, int h,
                                Qt::Alignment align) {
    auto* box = new QLineEdit(QString::fromUtf8(text), &form_);
    place(box, name, scale_, l, t, w, h);
    box->setAlignment(align | Qt::AlignVCenter);
    box->setTextMargins(0, 0, 0, 0);
    return box;
}

QLabel* FormBuilder::label(const char* name, const char* caption, int l, int t, int w, int h) {
    auto* label = new QLabel(QString::fromUtf8(caption), &form_);
    place(label, name, scale_, l, t, w, h);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setWordWrap(true);
    return label;
}

QPushButton* FormBuilder::commandButton(const char* name, const char* caption, int l, int t,
                                        int w, int h) {
    auto* button = new QPushButton(QString::fromUtf8(caption), &form_);
    place(button, name, scale_, l, t, w, h);
    return button;
}

std::string textOf(const QLineEdit& box) { return box.text().toStdString(); }

QString qtext(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace varnex
