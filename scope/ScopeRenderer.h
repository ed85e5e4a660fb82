// The oscilloscope's persistent picture: what is drawn stays until cleared, so
// single cursor lines can be XORed over it and removed again.  QtGui only.
#pragma once

#include <QImage>
#include <QPainter>
#include <QRect>

#include <cstdint>

namespace varnex::scope {

class ScopeCanvas;

class ScopeRenderer {
public:
    // devicePixelRatio: device pixels per logical pixel of the screen widget;
    // values that are not finite, not positive or absurdly large fall back to 1.
    explicit ScopeRenderer(qreal devicePixelRatio = 1);
    ScopeRenderer(const ScopeRenderer&) = delete;
    ScopeRenderer& operator=(const ScopeRenderer&) = delete;

    // Format_RGB32, one pixel per 15 drawing units times the device pixel
    // ratio, covering the visible area 0..6995 x 0..5595.  Its own device
    // pixel ratio stays 1: the widget scales it to logical size.
    const QImage& image() const { return image_; }
    qreal devicePixelRatio() const { return ratio_; }

    // A new, black picture at another ratio; the caller redraws.
    void setDevicePixelRatio(qreal devicePixelRatio);

    // Black everywhere.
    void clear();

    // The device pixel that holds a drawing-unit coordinate.  The one place
    // where units become pixels; only called with coordinates inside the
    // visible area.
    int toPixel(double units) const;

    // The pixels changed since the last call (empty when none), then forgets them.
    QRect takeDirtyRect();

private:
    friend class ScopeCanvas;
    void markDirty(const QRect& pixels) { dirty_ |= pixels; }

    qreal ratio_ = 1;
    QImage image_;
    QRect dirty_;
};

// A drawing session on a renderer: one-pixel lines in drawing units, clipped to
// the visible area, antialiasing off.  Copy mode replaces pixels; XOR mode
// combines the line's colour with them by exclusive or, so drawing the same
// line twice restores every pixel.
class ScopeCanvas {
public:
    explicit ScopeCanvas(ScopeRenderer& renderer);
    ScopeCanvas(const ScopeCanvas&) = delete;
    ScopeCanvas& operator=(const ScopeCanvas&) = delete;

    void setXorMode(bool on);

    // colour: red + 256 * green + 65536 * blue.
    void line(double x1, double y1, double x2, double y2, int32_t colour);

    // A cursor: the vertical line from (x, 0) to (x, 5595).
    void verticalLine(double x, int32_t colour);

private:
    void usePen(int32_t colour);

    ScopeRenderer& renderer_;
    QPainter painter_;
    int32_t penColour_ = -1;  // no pen chosen yet
};

// The QRgb of a colour written red + 256 * green + 65536 * blue.
QRgb toQRgb(int32_t colour);

}  // namespace varnex::scope
