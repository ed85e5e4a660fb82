// Picture1: it shows the picture and reports mouse events in drawing units.
#include "app/ScopeWidget.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>

#include "ScopeTestSupport.h"
#include "scope/Cursors.h"
#include "scope/Oscilloscope.h"

namespace varnex {
namespace {

using namespace scope;
using namespace scope::testing;

// Created once and never destroyed: a QApplication destroyed among the static
// destructors at exit outlives Qt's own globals and crashes.
QApplication& application() {
    static int argc = 1;
    static char name[] = "scope_widget_tests";
    static char* argv[] = {name, nullptr};
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}

struct Event {
    int16_t buttons;
    float x, y;
};

TEST(ScopeWidget, PositionsBecomeDrawingUnits) {
    struct Row {
        QPointF widget;
        QPointF units;
    };
    const Row rows[] = {{{1, 1}, {0, 0}},
                        {{11, 21}, {150, 300}},
                        {{0.5, 1.2}, {-7.5, 3}},
                        {{-100, 2000}, {-1515, 29985}}};
    for (const Row& row : rows) {
        const QPointF units = ScopeWidget::toUnits(row.widget);
        EXPECT_DOUBLE_EQ(units.x(), row.units.x()) << row.widget.x() << "," << row.widget.y();
        EXPECT_DOUBLE_EQ(units.y(), row.units.y()) << row.widget.x() << "," << row.widget.y();
    }
}

TEST(ScopeWidget, ButtonMaskMatchesTheDragStates) {
    struct Row {
        Qt::MouseButtons buttons;
        int16_t mask;
    };
    const Row rows[] = {{Qt::NoButton, 0},
                        {Qt::LeftButton, kLeftButton},
                        {Qt::RightButton, kRightButton},
                        {Qt::MiddleButton, kMiddleButton},
                        {Qt::LeftButton | Qt::RightButton, 3},
                        {Qt::BackButton, 0}};
    for (const Row& row : rows)
        EXPECT_EQ(ScopeWidget::buttonMask(row.buttons), row.mask) << int(row.buttons);
}

TEST(ScopeWidget, ReportsMouseEventsWithButtonsAndUnits) {
    application();
    ScopeRenderer renderer;
    ScopeWidget widget(renderer);
    EXPECT_EQ(widget.objectName(), "Picture1");
    std::vector<std::pair<char, Event>> seen;
    QObject::connect(&widget, &ScopeWidget::mousePressed, [&](int16_t b, float x, float y) {
        seen.push_back({'d', {b, x, y}});
    });
    QObject::connect(&widget, &ScopeWidget::mouseMoved, [&](int16_t b, float x, float y) {
        seen.push_back({'m', {b, x, y}});
    });
    QObject::connect(&widget, &ScopeWidget::mouseReleased, [&](int16_t b, float x, float y) {
        seen.push_back({'u', {b, x, y}});
    });

    const QPointF at(101, 51);
    QMouseEvent press(QEvent::MouseButtonPress, at, widget.mapToGlobal(at), Qt::RightButton,
                      Qt::LeftButton | Qt::RightButton, Qt::NoModifier);
    QMouseEvent move(QEvent::MouseMove, at + QPointF(10, 0), widget.mapToGlobal(at), Qt::NoButton,
                     Qt::LeftButton | Qt::RightButton, Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, at, widget.mapToGlobal(at), Qt::LeftButton,
                        Qt::RightButton, Qt::NoModifier);
    QApplication::sendEvent(&widget, &press);
    QApplication::sendEvent(&widget, &move);
    QApplication::sendEvent(&widget, &release);

    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[0].first, 'd');
    EXPECT_EQ(seen[0].second.buttons, kRightButton) << "the button that went down";
    EXPECT_FLOAT_EQ(seen[0].second.x, 1500);
    EXPECT_FLOAT_EQ(seen[0].second.y, 750);
    EXPECT_EQ(seen[1].first, 'm');
    EXPECT_EQ(seen[1].second.buttons, 3) << "both buttons held";
    EXPECT_FLOAT_EQ(seen[1].second.x, 1650);
    EXPECT_EQ(seen[2].first, 'u');
    EXPECT_EQ(seen[2].second.buttons, kLeftButton);
}

TEST(ScopeWidget, ShowsThePictureInsideItsBorder) {
    application();
    ScopeState state = blankState();
    state.settings.GridOn = 1;
    state.settings.CursorsOn = 1;
    ScopeRenderer renderer;
    doscope(state.settings, state.view, state.traces(), renderer);
    ScopeWidget widget(renderer);
    widget.resize(widget.sizeHint());
    EXPECT_EQ(widget.sizeHint(), QSize(467 + 2, 374 + 2));
    const QImage shown = widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
    const int b = ScopeWidget::kBorder;
    for (int y = 0; y < renderer.image().height(); y += 7)
        for (int x = 0; x < renderer.image().width(); x += 5)
            ASSERT_EQ(shown.pixel(x + b, y + b), renderer.image().pixel(x, y)) << x << "," << y;
    EXPECT_EQ(shown.pixel(b + px(1000), b + 10), kRed) << "cursor 1 on screen";
}

}  // namespace
}  // namespace varnex
