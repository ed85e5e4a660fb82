// Picture1: the oscilloscope screen.  Shows the renderer's picture on a black
// ground (the role of Picture2) inside a one-pixel border, and reports its
// mouse events in drawing units for the cursors.
#pragma once

#include <QPointF>
#include <QWidget>

#include <cstdint>

#include "scope/ScopeRenderer.h"

namespace varnex {

class ScopeWidget : public QWidget {
    Q_OBJECT

public:
    // Logical pixels of border around the picture.
    static constexpr int kBorder = 1;

    // The renderer must outlive the widget; the widget only reads its picture
    // and takes its changed area.
    explicit ScopeWidget(scope::ScopeRenderer& renderer, QWidget* parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

    // Repaints what the renderer changed since the last call; call after every
    // scope operation.
    void refresh();

    // A widget position in logical pixels as drawing units of the screen.
    static QPointF toUnits(QPointF widgetPosition);

    // The Qt buttons as the mask 1 left, 2 right, 4 middle.
    static int16_t buttonMask(Qt::MouseButtons buttons);

signals:
    void mousePressed(int16_t button, float x, float y);
    void mouseMoved(int16_t buttons, float x, float y);
    void mouseReleased(int16_t button, float x, float y);
    // The screen's device pixel ratio differs from the picture's: the owner
    // should give the controller the new ratio, which redraws.
    void devicePixelRatioChanged(qreal ratio);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QSizeF pictureLogicalSize() const;

    scope::ScopeRenderer& renderer_;
    qreal announcedRatio_ = 0;  // last ratio reported, so a mismatch is reported once
};

}  // namespace varnex
