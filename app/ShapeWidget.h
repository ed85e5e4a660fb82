// A filled rectangle with a thin black border, such as the trigger lamp.
#pragma once

#include <QColor>
#include <QWidget>

namespace varnex {

class ShapeWidget : public QWidget {
    Q_OBJECT
public:
    explicit ShapeWidget(QWidget* parent = nullptr);
    void setFillColor(const QColor& color);
    QColor fillColor() const { return fill_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor fill_ = Qt::white;
};

}  // namespace varnex
