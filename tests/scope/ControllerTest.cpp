// The controller as the main window uses it: each event gives the texts to write.
#include "scope/ScopeController.h"

#include <gtest/gtest.h>

#include "ScopeTestSupport.h"
#include "scope/Cursors.h"
#include "scope/ScaleLadders.h"

namespace varnex::scope {
namespace {

using namespace testing;

TEST(ScopeController, StartUpTextsAndFirstRedraw) {
    ScopeState state;
    ScopeController controller(state.settings, state.traces());
    EXPECT_EQ(startUpScaleText(state.settings.Lgain), "1 v/div");
    EXPECT_EQ(startUpScaleText(state.settings.Rgain), "1 v/div");

    const ScopeReadouts texts = controller.doscope();
    EXPECT_EQ(texts.timePerDivision, "0.5 ms/div");
    EXPECT_FALSE(texts.cursorDifference) << "cursors are off by default";
    EXPECT_TRUE(texts.redrawFinished);
    EXPECT_EQ(countRow(controller.renderer().image(), px(2800), kGrey),
              controller.renderer().image().width());
}

TEST(ScopeController, ScaleButtonsWriteTheirBoxAndRedraw) {
    struct Row {
        const char* name;
        ScopeReadouts (ScopeController::*press)();
        std::optional<std::string> text20, text11;
        const char* label8;
        int vxRow;               // pixel row of the flat 0.5 V Vx trace after the press
        int traceColumns = 467;  // to the right edge, or where 401 segments end
    };
    const Row rows[] = {
        {"btnLdec", &ScopeController::raiseVxGain, "0.5 v/div", std::nullopt, "0.5 ms/div",
         px(2100)},
        {"btnLinc", &ScopeController::lowerVxGain, "2 v/div", std::nullopt, "0.5 ms/div", px(2625)},
        {"btnRdec", &ScopeController::raiseVrGain, std::nullopt, "0.5 v/div", "0.5 ms/div",
         px(2450)},
        {"btnRinc", &ScopeController::lowerVrGain, std::nullopt, "2 v/div", "0.5 ms/div", px(2450)},
        {"btnTBdec", &ScopeController::shortenTimePerDivision, std::nullopt, std::nullopt,
         "0.2 ms/div", px(2450)},
        {"btnTBinc", &ScopeController::lengthenTimePerDivision, std::nullopt, std::nullopt,
         "1 ms/div", px(2450), px(401 * 15.873) + 1},
    };
    for (const Row& row : rows) {
        ScopeState state = blankState();
        state.Captured = 1;
        state.settings.ScopeMode = 1;
        state.Vx.fill(0.5f);
        ScopeController controller(state.settings, state.traces());
        controller.doscope();
        const ScopeReadouts texts = (controller.*row.press)();
        EXPECT_EQ(texts.vxScale, row.text20) << row.name;
        EXPECT_EQ(texts.vrScale, row.text11) << row.name;
        EXPECT_EQ(texts.timePerDivision, row.label8) << row.name;
        EXPECT_TRUE(texts.redrawFinished) << row.name;
        EXPECT_EQ(countRow(controller.renderer().image(), row.vxRow, kGreen), row.traceColumns)
            << row.name;
    }
}

TEST(ScopeController, TimeBaseButtonsAtTheEndsStillRedraw) {
    ScopeState state;
    state.settings.TimeBase = 2;
    state.settings.TBscale = 3.1746f;
    ScopeController controller(state.settings, state.traces());
    EXPECT_EQ(controller.lengthenTimePerDivision().timePerDivision, "5 ms/div");
    state.settings.TimeBase = 100;
    state.settings.TBscale = 158.73f;
    const ScopeReadouts texts = controller.shortenTimePerDivision();
    EXPECT_EQ(texts.timePerDivision, "0.1 ms/div");
    EXPECT_TRUE(texts.redrawFinished);
}

TEST(ScopeController, Check1ShowsAndHidesTheCursors) {
    ScopeState state = blankState();
    ScopeController controller(state.settings, state.traces());
    controller.doscope();
    ScopeReadouts shown = controller.showCursors(true);
    EXPECT_EQ(state.settings.CursorsOn, 1);
    EXPECT_EQ(shown.cursorDifference, "699.9 Hz");
    EXPECT_EQ(countColour(controller.renderer().image(), kRed),
              2 * controller.renderer().image().height());

    ScopeReadouts hidden = controller.showCursors(false);
    EXPECT_EQ(state.settings.CursorsOn, 0);
    EXPECT_FALSE(hidden.cursorDifference);
    EXPECT_EQ(countColour(controller.renderer().image(), kRed), 0);
    EXPECT_EQ(state.settings.Cursor1, 1000) << "positions survive hiding";
}

TEST(ScopeController, DragThroughTheController) {
    ScopeState state = blankState();
    ScopeController controller(state.settings, state.traces());
    controller.showCursors(true);
    controller.mouseDown();
    const ScopeReadouts texts = controller.mouseMove(kLeftButton, 1700, 123);
    EXPECT_EQ(state.settings.Cursor1, 1700);
    EXPECT_EQ(texts.differenceKind, "Freq");
    EXPECT_EQ(texts.cursorDifference, "1076. Hz");
    controller.mouseUp();
    controller.mouseMove(kLeftButton, 2500, 0);
    EXPECT_EQ(state.settings.Cursor1, 1700) << "no drag after the button is released";
}

TEST(ScopeController, NewDevicePixelRatioRedrawsAtTheNewSize) {
    ScopeState state;
    ScopeController controller(state.settings, state.traces());
    controller.doscope();
    const ScopeReadouts texts = controller.setDevicePixelRatio(2);
    EXPECT_TRUE(texts.redrawFinished);
    const QImage& image = controller.renderer().image();
    EXPECT_EQ(image.width(), 933);
    // The centre line y = 2800 lies on device row 2800 * 2 / 15 = 373.
    EXPECT_EQ(countRow(image, 373, kGrey), image.width());
    EXPECT_EQ(countRow(image, 372, kGrey), 50) << "ten vertical lines and forty more centre ticks";
}

}  // namespace
}  // namespace varnex::scope
