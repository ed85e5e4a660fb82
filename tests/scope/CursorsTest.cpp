// Dragging the cursors: which cursor moves, what the readouts show, and that
// the picture stays consistent with the stored positions.
#include <gtest/gtest.h>

#include <limits>

#include "ScopeTestSupport.h"
#include "scope/Cursors.h"
#include "scope/Oscilloscope.h"

namespace varnex::scope {
namespace {

using namespace testing;

// Cursors shown and drawn, a button held.
struct DragFixture {
    ScopeState state = blankState();
    ScopeRenderer renderer;

    DragFixture() {
        state.settings.GridOn = 1;
        state.settings.CursorsOn = 1;
        doscope(state.settings, state.view, state.traces(), renderer);
        mouseDown(state.view);
    }

    // The picture a full redraw gives for the current variables.
    QImage redrawn() {
        ScopeState copy = state;
        ScopeRenderer fresh;
        doscope(copy.settings, copy.view, copy.traces(), fresh);
        return fresh.image();
    }
};

TEST(Cursors, MouseButtonsSetAndClearMouseDn) {
    ScopeState state;
    mouseDown(state.view);
    EXPECT_EQ(state.view.MouseDn, -1);
    mouseUp(state.view);
    EXPECT_EQ(state.view.MouseDn, 0);
    EXPECT_EQ(state.settings.Cursor1, 1000) << "a click without moving moves no cursor";
    EXPECT_EQ(state.settings.Cursor2, 3000);
}

TEST(Cursors, Check1SetsCursorsOnOnlyWhenTicked) {
    ScopeState state;
    showCursors(state.settings, true);
    EXPECT_EQ(state.settings.CursorsOn, 1);
    showCursors(state.settings, false);
    EXPECT_EQ(state.settings.CursorsOn, 0);
}

TEST(Cursors, LeftDragMovesCursorOneInsideTheScreenOnly) {
    struct Row {
        float x;
        bool moves;
        int32_t cursor1;
    };
    const Row rows[] = {
        {2000.4f, true, 2000}, {2000.5f, true, 2000}, {2001.5f, true, 2002}, {0.4f, true, 0},
        {6994.9f, true, 6995}, {0, false, 1000},      {-50, false, 1000},    {6995, false, 1000},
        {7100, false, 1000},   {1e9f, false, 1000},   {-1e9f, false, 1000},
    };
    for (const Row& row : rows) {
        DragFixture f;
        const ScopeReadouts texts = mouseMove(f.state.settings, f.state.view, f.state.traces(),
                                              f.renderer, kLeftButton, row.x);
        EXPECT_EQ(f.state.settings.Cursor1, row.cursor1) << "x " << row.x;
        EXPECT_EQ(texts.vxAtCursor.has_value(), row.moves) << "x " << row.x;
        EXPECT_EQ(texts.vrAtCursor.has_value(), row.moves) << "x " << row.x;
        EXPECT_EQ(texts.differenceKind, "Freq")
            << "x " << row.x << ": readout refreshed on every step";
        EXPECT_TRUE(texts.cursorDifference) << "x " << row.x;
        EXPECT_EQ(f.renderer.image(), f.redrawn())
            << "x " << row.x << ": picture matches the positions";
    }
}

TEST(Cursors, RightDragMovesCursorTwoOffScreenAndBack) {
    DragFixture f;
    const QImage start = f.renderer.image().copy();
    ScopeReadouts texts =
        mouseMove(f.state.settings, f.state.view, f.state.traces(), f.renderer, kRightButton, 8000);
    EXPECT_EQ(f.state.settings.Cursor2, 8000);
    EXPECT_EQ(countColumn(f.renderer.image(), px(3000), kRed), 0) << "old line removed";
    EXPECT_FALSE(texts.vxAtCursor) << "cursor 2 has no voltage readout";
    EXPECT_EQ(texts.cursorDifference, "199.9 Hz");
    EXPECT_EQ(f.renderer.image(), f.redrawn());

    mouseMove(f.state.settings, f.state.view, f.state.traces(), f.renderer, kRightButton, -700);
    EXPECT_EQ(f.state.settings.Cursor2, -700);
    mouseMove(f.state.settings, f.state.view, f.state.traces(), f.renderer, kRightButton, 3000);
    EXPECT_EQ(f.state.settings.Cursor2, 3000);
    EXPECT_EQ(f.renderer.image(), start) << "back where it started, every pixel restored";
}

TEST(Cursors, PointerBeyondSixteenBitsIsHeldAtTheEnds) {
    struct Row {
        float x;
        int16_t mouseX;
    };
    const Row rows[] = {{1e6f, 32767},
                        {-1e6f, -32768},
                        {32767.4f, 32767},
                        {-32768.6f, -32768},
                        {std::numeric_limits<float>::infinity(), 32767},
                        {-std::numeric_limits<float>::infinity(), -32768}};
    for (const Row& row : rows) {
        DragFixture f;
        mouseMove(f.state.settings, f.state.view, f.state.traces(), f.renderer, kRightButton,
                  row.x);
        EXPECT_EQ(f.state.view.MouseX, row.mouseX) << "x " << row.x;
        EXPECT_EQ(f.state.settings.Cursor2, row.mouseX) << "x " << row.x;
    }
    DragFixture f;
    mouseMove(f.state.settings, f.state.view, f.state.traces(), f.renderer, kRightButton,
              std::numeric_limits<float>::quiet_NaN());
    EXPECT_EQ(f.state.settings.Cursor2, 3000) << "a NaN pointer is ignored";
}

TEST(Cursors, OtherButtonStatesMoveNothingButRefreshTheReadout) {
    for (int16_t buttons : {int16_t(0), int16_t(3), int16_t(4), int16_t(5), int16_t(7)}) {
        DragFixture f;
        f.state.settings.TimeReadout = 1;
        const QImage start = f.renderer.image().copy();
        const ScopeReadouts texts =
            mouseMove(f.state.settings, f.state.view, f.state.traces(), f.renderer, buttons, 2500);
        EXPECT_EQ(f.state.settings.Cursor1, 1000) << "buttons " << buttons;
        EXPECT_EQ(f.state.settings.Cursor2, 3000) << "buttons " << buttons;
        EXPECT_EQ(f.renderer.image(), start) << "buttons " << buttons;
        EXPECT_EQ(texts.differenceKind, "Time") << "buttons " << buttons;
        EXPECT_EQ(texts.cursorDifference, "1.428 ms") << "buttons " << buttons;
        EXPECT_FALSE(texts.vxAtCursor) << "buttons " << buttons;
    }
}

TEST(Cursors, HiddenCursorsOrNoButtonDownIgnoreDragging) {
    struct Row {
        int16_t cursorsOn;
        int16_t mouseDn;
    };
    for (const Row& row : {Row{0, -1}, Row{2, -1}, Row{1, 0}}) {
        DragFixture f;
        f.state.settings.CursorsOn = row.cursorsOn;
        f.state.view.MouseDn = row.mouseDn;
        const QImage start = f.renderer.image().copy();
        for (int16_t buttons : {kLeftButton, kRightButton}) {
            const ScopeReadouts texts = mouseMove(f.state.settings, f.state.view, f.state.traces(),
                                                  f.renderer, buttons, 2500);
            EXPECT_FALSE(texts.differenceKind || texts.cursorDifference || texts.vxAtCursor)
                << "CursorsOn " << row.cursorsOn << " MouseDn " << row.mouseDn;
        }
        EXPECT_EQ(f.state.settings.Cursor1, 1000) << "CursorsOn " << row.cursorsOn;
        EXPECT_EQ(f.state.settings.Cursor2, 3000) << "CursorsOn " << row.cursorsOn;
        EXPECT_EQ(f.state.view.MouseX, 0) << "CursorsOn " << row.cursorsOn;
        EXPECT_EQ(f.renderer.image(), start) << "CursorsOn " << row.cursorsOn;
    }
}

TEST(Cursors, VoltageReadoutsAtTheSampleUnderCursorOne) {
    struct Row {
        float x;
        int32_t myx;
        const char* text9;
        const char* text12;
    };
    // TBscale 10, TrigPt 100: sample 100 + x / 10, halves to even.
    const Row rows[] = {
        {1234, 223, "2.230 v", "-0.223 v"}, {1235, 224, "2.240 v", "-0.224 v"},  // 123.5 -> 124
        {1245, 224, "2.240 v", "-0.224 v"},                                      // 124.5 -> 124
        {5, 100, "1.000 v", "-0.100 v"},                                         // 0.5 -> 0
        {15, 102, "1.020 v", "-0.102 v"},                                        // 1.5 -> 2
    };
    for (const Row& row : rows) {
        DragFixture f;
        f.state.Captured = 1;
        f.state.settings.TBscale = 10;
        f.state.TrigPt = 100;
        for (int i = 0; i <= kLastIndex; ++i) {
            f.state.Vx[i] = i / 100.0f;
            f.state.Vr[i] = -i / 1000.0f;
        }
        const ScopeReadouts texts = mouseMove(f.state.settings, f.state.view, f.state.traces(),
                                              f.renderer, kLeftButton, row.x);
        EXPECT_EQ(f.state.view.myx, row.myx) << "x " << row.x;
        EXPECT_EQ(texts.vxAtCursor, row.text9) << "x " << row.x;
        EXPECT_EQ(texts.vrAtCursor, row.text12) << "x " << row.x;
    }

    DragFixture before;  // no capture yet
    const ScopeReadouts texts =
        mouseMove(before.state.settings, before.state.view, before.state.traces(), before.renderer,
                  kLeftButton, 1500);
    EXPECT_EQ(before.state.settings.Cursor1, 1500);
    EXPECT_EQ(texts.vxAtCursor, "--- v");
    EXPECT_EQ(texts.vrAtCursor, "--- v");
}

TEST(Cursors, SampleIndexStaysInsideTheArrays) {
    struct Row {
        float tbScale;
        int32_t trigPt;
        int32_t myx;
    };
    const float inf = std::numeric_limits<float>::infinity();
    const Row rows[] = {
        {10, 44090, 44100},
        {31.746f, 0, 95},
        {0, 0, 44100},
        {-1, 0, 0},
        {1e-30f, 0, 44100},
        {1e-44f, 0, 44100},
        {inf, 0, 0},
        {-inf, 7, 7},
        {std::numeric_limits<float>::quiet_NaN(), 0, 0},
        {10, std::numeric_limits<int32_t>::min(), 0},
    };
    for (const Row& row : rows) {
        DragFixture f;
        f.state.Captured = 1;
        f.state.settings.TBscale = row.tbScale;
        f.state.TrigPt = row.trigPt;
        const ScopeReadouts texts = mouseMove(f.state.settings, f.state.view, f.state.traces(),
                                              f.renderer, kLeftButton, 3000);
        EXPECT_EQ(f.state.view.myx, row.myx)
            << "TBscale " << row.tbScale << " TrigPt " << row.trigPt;
        EXPECT_EQ(texts.vxAtCursor, "0.000 v") << "TBscale " << row.tbScale;
    }
}

TEST(Cursors, CursorOneOntoCursorTwoMakesBothVanish) {
    for (int16_t timeReadout : {int16_t(0), int16_t(1)}) {
        DragFixture f;
        f.state.settings.TimeReadout = timeReadout;
        const ScopeReadouts texts = mouseMove(f.state.settings, f.state.view, f.state.traces(),
                                              f.renderer, kLeftButton, 3000);
        EXPECT_EQ(countColumn(f.renderer.image(), px(3000), kRed), 0)
            << "TimeReadout " << timeReadout;
        EXPECT_EQ(countColour(f.renderer.image(), kRed), 0) << "TimeReadout " << timeReadout;
        if (timeReadout == 0)
            EXPECT_FALSE(texts.cursorDifference) << "frequency mode keeps its text";
        else
            EXPECT_EQ(texts.cursorDifference, "0 us");
    }
}

TEST(Cursors, ScopeModeFourDragsLikeAnyOtherMode) {
    DragFixture f;
    f.state.settings.ScopeMode = 4;
    doscope(f.state.settings, f.state.view, f.state.traces(), f.renderer);
    const ScopeReadouts texts =
        mouseMove(f.state.settings, f.state.view, f.state.traces(), f.renderer, kLeftButton, 2200);
    EXPECT_EQ(f.state.settings.Cursor1, 2200);
    EXPECT_EQ(texts.cursorDifference, "1749. Hz");
    EXPECT_EQ(countColumn(f.renderer.image(), px(2200), kRed), f.renderer.image().height() - 8)
        << "cursor 1 vertical";
    EXPECT_EQ(f.renderer.image(), f.redrawn());
}

}  // namespace
}  // namespace varnex::scope
