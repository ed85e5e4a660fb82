#include <QRadioButton>
#include <QSignalSpy>

#include "DialogFixture.h"
#include "dialogs/FormBuilder.h"

namespace varnex {
namespace {

using RmFormTest = testing::DialogFixture;

constexpr const char* kOptions[] = {"optRm10", "optRm100", "optRm1000", "optRm10000",
                                    "optRm100000"};

TEST_F(RmFormTest, LoadShowsTheResistorsAndTheSelectedOption) {
    window->menuRm_Click();
    QWidget* form = openWindow("RmForm");
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->windowTitle(), "Rm Setting");
    const TwipsScale scale = twipsScaleOf(form);
    EXPECT_EQ(form->size(), QSize(scale.pixels(2955), scale.pixels(2385)));
    EXPECT_EQ(box(form, "txtRm10")->text(), " 10.1");
    EXPECT_EQ(box(form, "txtRm100")->text(), " 100.3");
    EXPECT_EQ(box(form, "txtRm1000")->text(), " 1000");
    EXPECT_EQ(box(form, "txtRm10000")->text(), " 10000");
    EXPECT_EQ(box(form, "txtRm100000")->text(), " 100000");
    for (int k = 1; k <= 5; ++k)
        EXPECT_EQ(button(form, kOptions[k - 1])->isChecked(), k == 1) << kOptions[k - 1];
    EXPECT_EQ(button(form, "cmdClose")->text(), "Close");
}

TEST_F(RmFormTest, CloseMakesTheSelectedValueRmAndMeasuresAfterUnloading) {
    holdACapture();
    window->menuRm_Click();
    QPointer<QWidget> form = openWindow("RmForm");
    click(button(form, "optRm1000"));
    typeInto(box(form, "txtRm1000"), "998.7");
    bool unloadedBeforeMeasuring = false;
    QString txtRmWhenMeasured;
    QObject::connect(window.get(), &Varnex::measured, [&] {
        unloadedBeforeMeasuring = !form || !form->isVisible();
        txtRmWhenMeasured = window->controls().txtRm->text();
    });
    QSignalSpy measured(window.get(), &Varnex::measured);
    QSignalSpy drawn(window.get(), &Varnex::scopeDrawn);
    click(button(form, "cmdClose"));

    EXPECT_EQ(settings().resistors.Rm, 998.7f);
    EXPECT_EQ(settings().resistors.RmOptFlag, 3);
    EXPECT_EQ(settings().resistors.Rm1000, 998.7f);
    EXPECT_EQ(window->controls().txtRm->text(), " 998.7");
    EXPECT_EQ(measured.count(), 1);
    EXPECT_EQ(drawn.count(), 0) << "the oscilloscope is not redrawn";
    EXPECT_TRUE(unloadedBeforeMeasuring);
    EXPECT_EQ(txtRmWhenMeasured, " 998.7");
    EXPECT_EQ(openCount("RmForm"), 0);
}

TEST_F(RmFormTest, EditingAnUnselectedResistorStoresOnlyItsValue) {
    struct Row {
        const char* typed;
        float stored;
    };
    const Row rows[] = {{"1 000", 1000}, {"1,5", 1},         {"", 0}, {"abc", 0}, {"-47", -47},
                        {"2.2E3", 2200}, {"  12 .5 ", 12.5f}};
    for (const Row& row : rows) {
        settings().resistors.RmOptFlag = 2;
        settings().resistors.Rm = 100.3f;
        window->menuRm_Click();
        QWidget* form = openWindow("RmForm");
        typeInto(box(form, "txtRm10000"), row.typed);
        click(button(form, "cmdClose"));
        EXPECT_EQ(settings().resistors.Rm10000, row.stored) << "typed '" << row.typed << "'";
        EXPECT_EQ(settings().resistors.Rm, 100.3f) << "typed '" << row.typed << "'";
        EXPECT_EQ(settings().resistors.Rm10, 10.1f) << "typed '" << row.typed << "'";
    }
}

TEST_F(RmFormTest, FlagOutsideOneToFiveSelectsNoneAndCloseKeepsRm) {
    for (int16_t flag : {0, 6, -1}) {
        settings().resistors.RmOptFlag = flag;
        settings().resistors.Rm = 47;
        window->controls().txtRm->setText("old");
        window->menuRm_Click();
        QWidget* form = openWindow("RmForm");
        for (const char* option : kOptions)
            EXPECT_FALSE(button(form, option)->isChecked()) << "flag " << flag << " " << option;
        typeInto(box(form, "txtRm100"), "99");
        holdACapture();
        QSignalSpy measured(window.get(), &Varnex::measured);
        click(button(form, "cmdClose"));
        EXPECT_EQ(settings().resistors.Rm, 47) << "flag " << flag;
        EXPECT_EQ(settings().resistors.RmOptFlag, flag);
        EXPECT_EQ(settings().resistors.Rm100, 99) << "flag " << flag;
        EXPECT_EQ(window->controls().txtRm->text(), " 47") << "flag " << flag;
        EXPECT_EQ(measured.count(), 1) << "flag " << flag;
    }
}

TEST_F(RmFormTest, TitleBarCloseBoxDiscardsEverything) {
    holdACapture();
    window->menuRm_Click();
    QWidget* form = openWindow("RmForm");
    click(button(form, "optRm100000"));
    typeInto(box(form, "txtRm100000"), "123");
    QSignalSpy measured(window.get(), &Varnex::measured);
    form->close();
    EXPECT_EQ(settings().resistors.Rm, 100);
    EXPECT_EQ(settings().resistors.RmOptFlag, 1);
    EXPECT_EQ(settings().resistors.Rm100000, 100000);
    EXPECT_EQ(window->controls().txtRm->text(), " 100");
    EXPECT_EQ(measured.count(), 0);
    EXPECT_EQ(openCount("RmForm"), 0);
}

}  // namespace
}  // namespace varnex
