// The controller as the main window uses it: each event gives the texts to write.
#include "scope/ScopeController.h"

#include <gtest/gtest.h>

#include "ScopeTestSupport.h"
#include "scope/Cursors.h"

namespace varnex::scope {
namespace {

using namespace testing;

TEST(ScopeController, StartUpTextsAndFirstRedraw) {
    VarnexState state;
    ScopeController controller(state);
    const ScopeTexts boxes = controller.scaleBoxTexts();
    EXPECT_EQ(boxes.Text20, "1 v/div");
    EXPECT_EQ(boxes.Text11, "1 v/div");

    const ScopeTexts texts = controller.doscope();
    EXPECT_EQ(texts.Label8, "0.5 ms/div");
    EXPECT_FALSE(texts.Text15) << "cursors are off by default";
    EXPECT_TRUE(texts.redrawFinished);
    EXPECT_EQ(countRow(controller.renderer().image(), px(2800), kGrey),
              controller.renderer().image().width());
}

TEST(ScopeController, ScaleButtonsWriteTheirBoxAndRedraw) {
    struct Row {
        const char* name;
        ScopeTexts (ScopeController::*press)();
        std::optional<std::string> text20, text11;
        const char* label8;
        int vxRow;  // pixel row of the flat 0.5 V Vx trace after the press
        int traceColumns = 467;  // to the right edge, or where 401 segments end
    };
    const Row rows[] = {
        {"btnLdec", &ScopeController::btnLdecClick, "0.5 v/div", std::nullopt, "0.5 ms/div", px(2100)},
        {"btnLinc", &ScopeController::btnLincClick, "2 v/div", std::nullopt, "0.5 ms/div", px(2625)},
        {"btnRdec", &ScopeController::btnRdecClick, std::nullopt, "0.5 v/div", "0.5 ms/div", px(2450)},
        {"btnRinc", &ScopeController::btnRincClick, std::nullopt, "2 v/div", "0.5 ms/div", px(2450)},
        {"btnTBdec", &ScopeController::btnTBdecClick, std::nullopt, std::nullopt, "0.2 ms/div", px(2450)},
        {"btnTBinc", &ScopeController::btnTBincClick, std::nullopt, std::nullopt, "1 ms/div", px(2450), px(401 * 15.873) + 1},
    };
    for (const Row& row : rows) {
        VarnexState state = blankState();
        state.Captured = 1;
        state.ScopeMode = 1;
        state.Vx.fill(0.5f);
        ScopeController controller(state);
        controller.doscope();
        const ScopeTexts texts = (controller.*row.press)();
        EXPECT_EQ(texts.Text20, row.text20) << row.name;
        EXPECT_EQ(texts.Text11, row.text11) << row.name;
        EXPECT_EQ(texts.Label8, row.label8) << row.name;
        EXPECT_TRUE(texts.redrawFinished) << row.name;
        EXPECT_EQ(countRow(controller.renderer().image(), row.vxRow, kGreen), row.traceColumns)
            << row.name;
    }
}

TEST(ScopeController, TimeBaseButtonsAtTheEndsStillRedraw) {
    VarnexState state;
    state.TimeBase = 2;
    state.TBscale = 3.1746f;
    ScopeController controller(state);
    EXPECT_EQ(controller.btnTBincClick().Label8, "5 ms/div");
    state.TimeBase = 100;
    state.TBscale = 158.73f;
    const ScopeTexts texts = controller.btnTBdecClick();
    EXPECT_EQ(texts.Label8, "0.1 ms/div");
    EXPECT_TRUE(texts.redrawFinished);
}

TEST(ScopeController, Check1ShowsAndHidesTheCursors) {
    VarnexState state = blankState();
    ScopeController controller(state);
    controller.doscope();
    ScopeTexts shown = controller.check1Click(true);
    EXPECT_EQ(state.CursorsOn, 1);
    EXPECT_EQ(shown.Text15, "699.9 Hz");
    EXPECT_EQ(countColour(controller.renderer().image(), kRed), 2 * controller.renderer().image().height());

    ScopeTexts hidden = controller.check1Click(false);
    EXPECT_EQ(state.CursorsOn, 0);
    EXPECT_FALSE(hidden.Text15);
    EXPECT_EQ(countColour(controller.renderer().image(), kRed), 0);
    EXPECT_EQ(state.Cursor1, 1000) << "positions survive hiding";
}

TEST(ScopeController, DragThroughTheController) {
    VarnexState state = blankState();
    ScopeController controller(state);
    controller.check1Click(true);
    controller.mouseDown();
    const ScopeTexts texts = controller.mouseMove(kLeftButton, 1700, 123);
    EXPECT_EQ(state.Cursor1, 1700);
    EXPECT_EQ(texts.Label10, "Freq");
    EXPECT_EQ(texts.Text15, "1076. Hz");
    controller.mouseUp();
    controller.mouseMove(kLeftButton, 2500, 0);
    EXPECT_EQ(state.Cursor1, 1700) << "no drag after the button is released";
}

TEST(ScopeController, NewDevicePixelRatioRedrawsAtTheNewSize) {
    VarnexState state;
    ScopeController controller(state);
    controller.doscope();
    const ScopeTexts texts = controller.setDevicePixelRatio(2);
    EXPECT_TRUE(texts.redrawFinished);
    const QImage& image = controller.renderer().image();
    EXPECT_EQ(image.width(), 933);
    // The centre line y = 2800 lies on device row 2800 * 2 / 15 = 373.
    EXPECT_EQ(countRow(image, 373, kGrey), image.width());
    EXPECT_EQ(countRow(image, 372, kGrey), 50) << "ten vertical lines and forty more centre ticks";
}

}  // namespace
}  // namespace varnex::scope
