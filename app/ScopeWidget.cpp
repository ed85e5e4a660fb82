#include "app/ScopeWidget.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include <cmath>

#include "scope/Cursors.h"
#include "scope/ScopeGeometry.h"

namespace varnex {
namespace {

const QColor kBorderColour(128, 128, 128);

}  // namespace

ScopeWidget::ScopeWidget(scope::ScopeRenderer& renderer, QWidget* parent)
    : QWidget(parent), renderer_(renderer) {
    setObjectName("Picture1");
    setAttribute(Qt::WA_OpaquePaintEvent);
    setCursor(Qt::CrossCursor);
}

QSizeF ScopeWidget::pictureLogicalSize() const {
    return QSizeF(renderer_.image().size()) / renderer_.devicePixelRatio();
}

QSize ScopeWidget::sizeHint() const {
    const QSizeF picture = pictureLogicalSize();
    return QSize(static_cast<int>(std::ceil(picture.width())) + 2 * kBorder,
                 static_cast<int>(std::ceil(picture.height())) + 2 * kBorder);
}

QPointF ScopeWidget::toUnits(QPointF widgetPosition) {
    return (widgetPosition - QPointF(kBorder, kBorder)) * scope::kUnitsPerPixel;
}

int16_t ScopeWidget::buttonMask(Qt::MouseButtons buttons) {
    int16_t mask = 0;
    if (buttons & Qt::LeftButton) mask |= scope::kLeftButton;
    if (buttons & Qt::RightButton) mask |= scope::kRightButton;
    if (buttons & Qt::MiddleButton) mask |= scope::kMiddleButton;
    return mask;
}

void ScopeWidget::refresh() {
    const QRect dirty = renderer_.takeDirtyRect();
    if (dirty.isEmpty()) return;
    // Device pixels to logical ones, widened for fractional ratios.
    const qreal ratio = renderer_.devicePixelRatio();
    const QRectF logical(dirty.x() / ratio, dirty.y() / ratio, dirty.width() / ratio,
                         dirty.height() / ratio);
    update(logical.toAlignedRect().adjusted(kBorder - 1, kBorder - 1, kBorder + 1, kBorder + 1));
}

void ScopeWidget::paintEvent(QPaintEvent* event) {
    const qreal ratio = devicePixelRatioF();
    if (ratio != renderer_.devicePixelRatio() && ratio != announcedRatio_) {
        announcedRatio_ = ratio;
        emit devicePixelRatioChanged(ratio);
    }
    QPainter painter(this);
    painter.setClipRegion(event->region());
    painter.fillRect(rect(), Qt::black);
    painter.setPen(kBorderColour);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    painter.drawImage(QRectF(QPointF(kBorder, kBorder), pictureLogicalSize()), renderer_.image());
}

void ScopeWidget::mousePressEvent(QMouseEvent* event) {
    const QPointF units = toUnits(event->position());
    emit mousePressed(buttonMask(event->button()), static_cast<float>(units.x()),
                      static_cast<float>(units.y()));
}

void ScopeWidget::mouseMoveEvent(QMouseEvent* event) {
    const QPointF units = toUnits(event->position());
    emit mouseMoved(buttonMask(event->buttons()), static_cast<float>(units.x()),
                    static_cast<float>(units.y()));
}

void ScopeWidget::mouseReleaseEvent(QMouseEvent* event) {
    const QPointF units = toUnits(event->position());
    emit mouseReleased(buttonMask(event->button()), static_cast<float>(units.x()),
                       static_cast<float>(units.y()));
}

}  // namespace varnex
