#include <QSignalSpy>

#include "DialogFixture.h"

namespace varnex {
namespace {

using SigGenTest = testing::DialogFixture;

TEST_F(SigGenTest, FirstOpeningShows1225HzAndTheStoredLevel) {
    window->menuSigGen_Click();
    QWidget* form = openWindow("SigGen");
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->windowTitle(), "SigGen Settings");
    EXPECT_TRUE(button(form, "opt1225Hz")->isChecked());
    EXPECT_EQ(button(form, "opt120Hz")->text(), "120Hz");
    EXPECT_EQ(box(form, "txtSigGenLvl")->text(), "0.5");
    EXPECT_EQ(settings().SigGenLvl, 0.5);
}

TEST_F(SigGenTest, TypedLevelIsHeldToZeroToOneAndStoredAtOnce) {
    struct Row {
        const char* typed;
        const char* shown;
        double stored;
    };
    const Row rows[] = {{"1.5", "1", 1},   {"-0.2", "0", 0},       {"-", "-", 0},
                        {".", ".", 0},     {"0.25", "0.25", 0.25}, {"7", "1", 1},
                        {"abc", "abc", 0}, {"1", "1", 1},          {"0.3 V", "0.3 V", 0.3}};
    window->menuSigGen_Click();
    QLineEdit* level = box(openWindow("SigGen"), "txtSigGenLvl");
    for (const Row& row : rows) {
        settings().SigGenLvl = 0.5;
        typeInto(level, row.typed);
        EXPECT_EQ(level->text(), row.shown) << "typed '" << row.typed << "'";
        EXPECT_EQ(settings().SigGenLvl, row.stored) << "typed '" << row.typed << "'";
    }
}

TEST_F(SigGenTest, LoadLimitsAStoredLevelThroughTheNestedChangeEvent) {
    struct Row {
        double stored;
        const char* shown;
        double after;
    };
    for (const Row& row : {Row{1.5, "1", 1}, Row{-3, "0", 0}, Row{0.125, "0.125", 0.125}}) {
        settings().SigGenLvl = row.stored;
        window->menuSigGen_Click();
        QWidget* form = openWindow("SigGen");
        EXPECT_EQ(box(form, "txtSigGenLvl")->text(), row.shown) << "level " << row.stored;
        EXPECT_EQ(settings().SigGenLvl, row.after) << "level " << row.stored;
        form->close();
    }
}

TEST_F(SigGenTest, CloseTakesTheFrequencyAndRestartsTheToneBeforeUnloading) {
    struct Row {
        const char* option;
        float freq;
        int16_t flag;
        const char* shown;
    };
    const Row rows[] = {{"opt120Hz", 120, 5, "120 Hz"},    {"opt525Hz", 525, 1, "525 Hz"},
                        {"opt1000Hz", 1000, 4, "1000 Hz"}, {"opt1225Hz", 1225, 2, "1225 Hz"},
                        {"opt2205Hz", 2205, 3, "2205 Hz"}, {"opt3675Hz", 3675, 6, "3675 Hz"}};
    for (const Row& row : rows) {
        window->menuSigGen_Click();
        QPointer<QWidget> form = openWindow("SigGen");
        click(button(form, row.option));
        float freqAtRestart = 0;
        bool openAtRestart = false;
        auto spy = QObject::connect(window.get(), &Varnex::toneRestarted, [&] {
            freqAtRestart = instrument().tone().freq;
            openAtRestart = form && form->isVisible();
        });
        QSignalSpy restarted(window.get(), &Varnex::toneRestarted);
        click(button(form, "btnClose"));
        QObject::disconnect(spy);
        EXPECT_EQ(instrument().tone().freq, row.freq) << row.option;
        EXPECT_EQ(window->SigGenOptFlag(), row.flag) << row.option;
        EXPECT_EQ(window->controls().txtFreq->text(), row.shown) << row.option;
        EXPECT_EQ(restarted.count(), 1) << row.option;
        EXPECT_EQ(freqAtRestart, row.freq) << row.option;
        EXPECT_TRUE(openAtRestart) << row.option << ": the tone restarts, then the dialog unloads";
        EXPECT_EQ(openCount("SigGen"), 0) << row.option;

        window->menuSigGen_Click();
        EXPECT_TRUE(button(openWindow("SigGen"), row.option)->isChecked())
            << row.option << " is selected at the next opening";
        openWindow("SigGen")->close();
    }
}

TEST_F(SigGenTest, FlagOutsideOneToSixLeaves1225HzSelected) {
    for (int16_t flag : {0, 7}) {
        window->SigGenOptFlag() = flag;
        window->menuSigGen_Click();
        QWidget* form = openWindow("SigGen");
        EXPECT_TRUE(button(form, "opt1225Hz")->isChecked()) << "flag " << flag;
        form->close();
    }
}

TEST_F(SigGenTest, TitleBarCloseBoxKeepsTheLevelButDiscardsTheFrequency) {
    window->menuSigGen_Click();
    QWidget* form = openWindow("SigGen");
    typeInto(box(form, "txtSigGenLvl"), "0.25");
    click(button(form, "opt120Hz"));
    QSignalSpy restarted(window.get(), &Varnex::toneRestarted);
    form->close();
    EXPECT_EQ(settings().SigGenLvl, 0.25);
    EXPECT_EQ(instrument().tone().freq, 1225);
    EXPECT_EQ(window->SigGenOptFlag(), 2);
    EXPECT_EQ(window->controls().txtFreq->text(), "1225 Hz");
    EXPECT_EQ(restarted.count(), 0);
}

}  // namespace
}  // namespace varnex
