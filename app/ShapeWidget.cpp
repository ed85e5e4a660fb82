#include "app/ShapeWidget.h"

#include <QPainter>

namespace varnex {

ShapeWidget::ShapeWidget(QWidget* parent) : QWidget(parent) {}

void ShapeWidget::setFillColor(const QColor& color) {
    if (color == fill_) return;
    fill_ = color;
    // Painted at once: a recording follows that handles no events, and the
    // lamp must show red while it lasts.
    repaint();
}

void ShapeWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), fill_);
    painter.setPen(Qt::black);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

}  // namespace varnex
