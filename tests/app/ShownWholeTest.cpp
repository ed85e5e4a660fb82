// Numbers the program writes into its boxes are read from their first
// character: a text wider than its box loses its end, never its start.
#include <QCheckBox>
#include <QStyle>
#include <QStyleOptionFrame>

#include "DialogFixture.h"
#include "common/NumberText.h"

namespace varnex {
namespace {

using ShownWholeTest = testing::DialogFixture;

// The index of the character at the left edge of what the box shows (0 when
// its start is visible).  Painting is what scrolls a box to its cursor.
int firstVisibleCharacter(QLineEdit* box) {
    box->grab();
    QStyleOptionFrame option;
    option.initFrom(box);
    option.lineWidth =
        box->hasFrame() ? box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth) : 0;
    const QRect contents = box->style()->subElementRect(QStyle::SE_LineEditContents, &option, box);
    return box->cursorPositionAt(QPoint(contents.left() + 3, box->height() / 2));
}

// Every box of the form whose text is cut shows its first character.
void expectStartsShown(QWidget* form, const std::string& after) {
    ASSERT_NE(form, nullptr) << after;
    int checked = 0;
    for (QLineEdit* box : form->findChildren<QLineEdit*>()) {
        if (box->isHidden()) continue;
        ++checked;
        EXPECT_EQ(firstVisibleCharacter(box), 0)
            << after << ": " << box->objectName().toStdString() << " shows \""
            << box->text().toStdString() << "\" from a later character";
    }
    EXPECT_GT(checked, 0) << after;
}

TEST_F(ShownWholeTest, WindowBoxesShowTheirStartAfterEveryWriter) {
    expectStartsShown(window.get(), "start-up");
    // Each step writes texts wider than their boxes.
    holdACapture();
    ASSERT_EQ(instrument().capture().Captured, 1);
    QLineEdit* uLMS = box(window.get(), "txtuLMS");
    ASSERT_GT(uLMS->fontMetrics().horizontalAdvance(uLMS->text()), uLMS->width())
        << "the test needs a text wider than its box";
    expectStartsShown(window.get(), "a measurement");

    window->controls().Check1->setChecked(true);
    expectStartsShown(window.get(), "the cursor readouts");

    settings().tare = {3.3e-9f, -3.25f, -12345.5f};
    settings().resistors.Rm = 123456.7f;
    settings().steps.uLMS = 0.8116778f;
    window->showTare(TareWriter::StartUp);
    window->showReferenceResistance();
    window->showStepSize();
    expectStartsShown(window.get(), "the parameter row's writers");

    window->myManTare_Click();
    QWidget* manTare = openWindow("ManTare");
    typeInto(box(manTare, "txtL"), "-4250000");
    click(button(manTare, "Command1"));
    expectStartsShown(window.get(), "Manual Tare's Close");

    window->menuRm_Click();
    QWidget* rmForm = openWindow("RmForm");
    typeInto(box(rmForm, "txtRm10"), "234567.8");
    click(button(rmForm, "optRm10"));
    click(button(rmForm, "cmdClose"));
    expectStartsShown(window.get(), "Rm Setting's Close");
}

TEST_F(ShownWholeTest, DialogBoxesShowTheirStartWhenLoaded) {
    settings().SigGenLvl = 0.3333;
    settings().calibration = {0.99551234f, 2.7923456e-5f};
    settings().resistors.Rm100000 = 123456.7f;
    settings().steps.uLMS1 = 0.012345678f;
    settings().tare = {-3.3e-6f, -3.25f, -12345.5f};
    for (const auto& [open, name] : kSettingsDialogs) {
        (window.get()->*open)();
        expectStartsShown(openWindow(name), name);
    }
}

}  // namespace
}  // namespace varnex
