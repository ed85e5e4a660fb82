#include "scope/ScopeRenderer.h"

#include <QPen>

#include <cmath>

#include "common/Rgb.h"
#include "scope/LineClip.h"
#include "scope/ScopeGeometry.h"

namespace varnex::scope {
namespace {

// Beyond this a screen would be larger than any display; it also bounds the image size.
constexpr qreal kMaxRatio = 8;

qreal sanitisedRatio(qreal ratio) {
    if (!std::isfinite(ratio) || ratio <= 0 || ratio > kMaxRatio) return 1;
    return ratio;
}

}  // namespace

QRgb toQRgb(int32_t colour) {
    return qRgb(redOf(colour), greenOf(colour), blueOf(colour));
}

ScopeRenderer::ScopeRenderer(qreal devicePixelRatio) {
    setDevicePixelRatio(devicePixelRatio);
}

void ScopeRenderer::setDevicePixelRatio(qreal devicePixelRatio) {
    ratio_ = sanitisedRatio(devicePixelRatio);
    image_ = QImage(toPixel(kVisibleRight) + 1, toPixel(kVisibleBottom) + 1, QImage::Format_RGB32);
    clear();
}

void ScopeRenderer::clear() {
    image_.fill(toQRgb(kBackgroundColour));
    dirty_ = image_.rect();
}

int ScopeRenderer::toPixel(double units) const {
    return static_cast<int>(std::floor(units * ratio_ / kUnitsPerPixel));
}

QRect ScopeRenderer::takeDirtyRect() {
    const QRect dirty = dirty_;
    dirty_ = QRect();
    return dirty;
}

ScopeCanvas::ScopeCanvas(ScopeRenderer& renderer)
    : renderer_(renderer), painter_(&renderer.image_) {
    painter_.setRenderHint(QPainter::Antialiasing, false);
}

void ScopeCanvas::setXorMode(bool on) {
    painter_.setCompositionMode(on ? QPainter::RasterOp_SourceXorDestination
                                   : QPainter::CompositionMode_SourceOver);
}

void ScopeCanvas::usePen(int32_t colour) {
    if (colour == penColour_) return;
    // Width 1 with square caps: both end pixels are drawn, one device pixel wide.
    QPen pen{QColor(toQRgb(colour))};
    pen.setWidth(1);
    pen.setCapStyle(Qt::SquareCap);
    painter_.setPen(pen);
    penColour_ = colour;
}

void ScopeCanvas::line(double x1, double y1, double x2, double y2, int32_t colour) {
    const auto clipped = clipToVisible({x1, y1, x2, y2});
    if (!clipped) return;
    const QPoint from(renderer_.toPixel(clipped->x1), renderer_.toPixel(clipped->y1));
    const QPoint to(renderer_.toPixel(clipped->x2), renderer_.toPixel(clipped->y2));
    usePen(colour);
    painter_.drawLine(from, to);
    renderer_.markDirty(QRect(from, to).normalized());
}

void ScopeCanvas::verticalLine(double x, int32_t colour) {
    line(x, 0, x, kVisibleBottom, colour);
}

}  // namespace varnex::scope
