// Every caption fits its control, in whatever sans serif the machine has:
// CTest runs these tests a second time with DejaVu Sans as the only font.
#include <QCheckBox>
#include <QFontInfo>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>

#include "DialogFixture.h"
#include "dialogs/FormBuilder.h"

namespace varnex {
namespace {

using CaptionsFit = testing::DialogFixture;

// Room a push button's frame and margins take from its width.
constexpr int kButtonMargins = 6;
// Room a box's frame and margins take from its width.
constexpr int kBoxMargins = 4;

std::string nameOf(QWidget* form, QWidget* control) {
    return form->objectName().toStdString() + "/" + control->objectName().toStdString();
}

void expectCaptionsFit(QWidget* form) {
    ASSERT_NE(form, nullptr);
    int checked = 0;
    for (QWidget* control : form->findChildren<QWidget*>()) {
        if (control->isHidden()) continue;
        const QFontMetrics metrics = control->fontMetrics();
        if (auto* label = qobject_cast<QLabel*>(control)) {
            if (label->text().trimmed().isEmpty()) continue;
            ++checked;
            const int width = label->contentsRect().width();
            const int needed = label->wordWrap() ? label->heightForWidth(label->width())
                                                 : label->sizeHint().height();
            EXPECT_LE(needed, label->height())
                << nameOf(form, label) << " \"" << label->text().toStdString() << "\" is cut";
            // A word longer than the label is cut even when wrapped.
            for (const QString& word : label->text().split(' ', Qt::SkipEmptyParts))
                EXPECT_LE(metrics.horizontalAdvance(word), width)
                    << nameOf(form, label) << " " << word.toStdString();
        } else if (auto* option = qobject_cast<QAbstractButton*>(control);
                   option &&
                   (qobject_cast<QCheckBox*>(option) || qobject_cast<QRadioButton*>(option))) {
            ++checked;
            // The indicator and the caption where the style puts them.
            const bool radio = qobject_cast<QRadioButton*>(option);
            QStyleOptionButton styleOption;
            styleOption.initFrom(option);
            styleOption.text = option->text();
            const QRect indicator = option->style()->subElementRect(
                radio ? QStyle::SE_RadioButtonIndicator : QStyle::SE_CheckBoxIndicator,
                &styleOption, option);
            const QRect contents = option->style()->subElementRect(
                radio ? QStyle::SE_RadioButtonContents : QStyle::SE_CheckBoxContents, &styleOption,
                option);
            EXPECT_TRUE(option->rect().contains(indicator))
                << nameOf(form, option) << ": its indicator is clipped";
            if (option->text().isEmpty()) continue;
            EXPECT_LE(metrics.horizontalAdvance(option->text()), contents.width())
                << nameOf(form, option) << " \"" << option->text().toStdString() << "\" is cut";
            EXPECT_LE(metrics.height(), option->height()) << nameOf(form, option);
        } else if (auto* button = qobject_cast<QPushButton*>(control)) {
            if (button->text().isEmpty()) continue;
            ++checked;
            EXPECT_LE(metrics.horizontalAdvance(button->text()) + kButtonMargins, button->width())
                << nameOf(form, button) << " is cut";
            EXPECT_LE(metrics.height(), button->height()) << nameOf(form, button);
        } else if (auto* box = qobject_cast<QLineEdit*>(control); box && box->isReadOnly()) {
            ++checked;
            EXPECT_LE(metrics.horizontalAdvance(box->text().trimmed()) + kBoxMargins, box->width())
                << nameOf(form, box) << " \"" << box->text().toStdString() << "\" is cut";
        }
    }
    EXPECT_GT(checked, 0) << form->objectName().toStdString();
}

TEST_F(CaptionsFit, InTheWindowAndEveryDialog) {
    expectCaptionsFit(window.get());
    for (const auto& [open, name] : kSettingsDialogs) {
        (window.get()->*open)();
        expectCaptionsFit(openWindow(name));
    }
}

TEST_F(CaptionsFit, FormFontIsMetricCompatibleOrNoWider) {
    const QFont font = formFont();
    const QString family = QFontInfo(font).family();
    const bool compatible = QStringList{"Liberation Sans", "Arimo", "Nimbus Sans"}.contains(family);
    EXPECT_EQ(formFontScale() == 1, compatible) << family.toStdString();
    EXPECT_EQ(font.pointSizeF(), kFormFontPoints * formFontScale());
    const QString caption = "Stop before adjusting controls or parameters.";
    const double pixels = kFormFontPoints * 96 / 72;
    EXPECT_LE(QFontMetricsF(font).horizontalAdvance(caption),
              metricCompatibleWidth(caption) * pixels * 1.02)
        << family.toStdString() << " at " << font.pointSizeF() << " pt";
}

TEST_F(CaptionsFit, LetterWidthsAreLiberationSansWidths) {
    QFont liberation("Liberation Sans");
    liberation.setPixelSize(1000);
    if (QFontInfo(liberation).family() != "Liberation Sans") GTEST_SKIP() << "not installed";
    const QFontMetricsF metrics(liberation);
    for (char16_t c = u' '; c <= u'~'; ++c) {
        const QString letter(QChar{c});
        EXPECT_NEAR(metricCompatibleWidth(letter), metrics.horizontalAdvance(letter) / 1000, 0.0015)
            << "'" << letter.toStdString() << "'";
    }
}

}  // namespace
}  // namespace varnex
