#include "cli/SweepPlot.h"

#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QSvgGenerator>

#include <algorithm>
#include <cmath>
#include <memory>
#include <tuple>
#include <utility>

#include "common/NumberText.h"
#include "measure/ParallelReadings.h"

namespace varnex::cli {
namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 640;
const QColor kMagnitudeColour(0, 90, 200);
const QColor kAngleColour(200, 70, 0);
const QColor kGridColour(215, 215, 215);

// Fonts and painting need a GUI application; the command line has none, and
// no display, so one is made on the offscreen platform for the plot alone.
std::unique_ptr<QGuiApplication> guiForPainting() {
    if (QGuiApplication::instance()) return nullptr;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Its notes (no runtime folder and the like) are nothing the user asked about.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    static int argc = 1;
    static char name[] = "varnex";
    static char* argv[] = {name, nullptr};
    return std::make_unique<QGuiApplication>(argc, argv);
}

// Whole decades around the positive values given: (120, 3675) -> 100, 10000.
std::pair<double, double> decadesAround(double least, double most) {
    if (!(least > 0) || !(most > 0)) return {1, 10};
    double low = std::pow(10.0, std::floor(std::log10(least)));
    double high = std::pow(10.0, std::ceil(std::log10(most)));
    if (high <= low) high = low * 10;
    return {low, high};
}

// A panel's place on the page and the range of its axes.
struct Panel {
    QRectF area;
    double xLow, xHigh;  // hertz
    double yLow, yHigh;
    bool logY;

    double x(double hertz) const {
        const double t = std::log10(hertz / xLow) / std::log10(xHigh / xLow);
        return area.left() + t * area.width();
    }
    double y(double value) const {
        const double t = logY ? std::log10(value / yLow) / std::log10(yHigh / yLow)
                              : (value - yLow) / (yHigh - yLow);
        return area.bottom() - t * area.height();
    }
};

QString ohms(double value) {
    if (value >= 1e6) return QString::fromStdString(plainForm(value / 1e6)) + " M";
    if (value >= 1e3) return QString::fromStdString(plainForm(value / 1e3)) + " k";
    return QString::fromStdString(plainForm(value));
}

void drawFrame(QPainter& p, const Panel& panel, const QString& yLabel,
               const std::vector<double>& frequencies, bool frequencyLabels) {
    p.setPen(QPen(kGridColour, 1));
    for (double f : frequencies)
        p.drawLine(QPointF(panel.x(f), panel.area.top()), QPointF(panel.x(f), panel.area.bottom()));
    p.setPen(QPen(Qt::black, 1));
    p.drawRect(panel.area);
    if (frequencyLabels) {
        // A label too close to the one before goes on a second row.
        constexpr double kLabelWidth = 44;
        double lastEnd = -1e9;
        for (double f : frequencies) {
            const double x = panel.x(f);
            const bool crowded = x - kLabelWidth / 2 < lastEnd;
            const double top = panel.area.bottom() + (crowded ? 20 : 4);
            p.drawText(QRectF(x - kLabelWidth / 2, top, kLabelWidth, 18),
                       Qt::AlignHCenter | Qt::AlignTop, QString::number(f));
            if (!crowded) lastEnd = x + kLabelWidth / 2;
        }
        p.drawText(QRectF(panel.area.left(), panel.area.bottom() + 40, panel.area.width(), 20),
                   Qt::AlignHCenter | Qt::AlignTop, "Frequency (Hz)");
    }
    p.save();
    p.translate(panel.area.left() - 62, panel.area.center().y());
    p.rotate(-90);
    p.drawText(QRectF(-panel.area.height() / 2, -10, panel.area.height(), 20), Qt::AlignCenter,
               yLabel);
    p.restore();
}

void drawCurve(QPainter& p, const Panel& panel, const std::vector<QPointF>& points,
               const QColor& colour) {
    if (points.empty()) return;
    QPainterPath path(QPointF(panel.x(points[0].x()), panel.y(points[0].y())));
    for (size_t i = 1; i < points.size(); ++i)
        path.lineTo(panel.x(points[i].x()), panel.y(points[i].y()));
    p.setPen(QPen(colour, 2));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
    p.setBrush(colour);
    for (const QPointF& point : points)
        p.drawEllipse(QPointF(panel.x(point.x()), panel.y(point.y())), 4, 4);
}

void paint(QPainter& p, const std::vector<ImpedanceReading>& readings) {
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(QRect(0, 0, kWidth, kHeight), Qt::white);
    QFont font = p.font();
    font.setPixelSize(13);
    p.setFont(font);

    std::vector<double> frequencies;
    std::vector<QPointF> magnitude, angle;
    for (const ImpedanceReading& r : readings) {
        frequencies.push_back(r.frequency);
        const double z = std::abs(impedanceOf(r));
        if (std::isfinite(z) && z > 0) magnitude.emplace_back(r.frequency, z);
        // The angle of Z in its own quadrant: the readings' principal value
        // jumps between +90 and -90 for a capacitor whose Rs comes out near 0.
        const double phase = fullAngle(impedanceOf(r));
        if (std::isfinite(phase)) angle.emplace_back(r.frequency, phase);
    }
    // Frequency and |Z| between whole decades around the measured values.
    auto [fLow, fHigh] = decadesAround(1, 10);
    if (!frequencies.empty()) {
        const auto [least, most] = std::minmax_element(frequencies.begin(), frequencies.end());
        std::tie(fLow, fHigh) = decadesAround(*least, *most);
    }
    auto [low, high] = decadesAround(1, 10);
    if (!magnitude.empty()) {
        const auto [least, most] = std::minmax_element(
            magnitude.begin(), magnitude.end(), [](QPointF a, QPointF b) { return a.y() < b.y(); });
        std::tie(low, high) = decadesAround(least->y(), most->y());
    }
    const Panel top{QRectF(100, 60, kWidth - 140, 300), fLow, fHigh, low, high, true};
    const Panel bottom{QRectF(100, 400, kWidth - 140, 160), fLow, fHigh, -180, 180, false};

    p.setPen(Qt::black);
    QFont titleFont = font;
    titleFont.setPixelSize(16);
    titleFont.setBold(true);
    p.setFont(titleFont);
    p.drawText(QRectF(0, 10, kWidth, 30), Qt::AlignCenter,
               QString::fromStdString(sweepPlotTitle(readings)));
    p.setFont(font);

    drawFrame(p, top, "|Z| (\u03a9)", frequencies, false);
    p.setPen(QPen(kGridColour, 1));
    for (double decade = low; decade <= high * 1.0001; decade *= 10) {
        p.setPen(QPen(kGridColour, 1));
        p.drawLine(QPointF(top.area.left(), top.y(decade)),
                   QPointF(top.area.right(), top.y(decade)));
        p.setPen(Qt::black);
        p.drawText(QRectF(top.area.left() - 56, top.y(decade) - 9, 50, 18),
                   Qt::AlignRight | Qt::AlignVCenter, ohms(decade));
    }
    drawFrame(p, bottom, "Angle of Z (degrees)", frequencies, true);
    for (int degrees = -180; degrees <= 180; degrees += 90) {
        p.setPen(QPen(kGridColour, 1));
        p.drawLine(QPointF(bottom.area.left(), bottom.y(degrees)),
                   QPointF(bottom.area.right(), bottom.y(degrees)));
        p.setPen(Qt::black);
        p.drawText(QRectF(bottom.area.left() - 56, bottom.y(degrees) - 9, 50, 18),
                   Qt::AlignRight | Qt::AlignVCenter, QString::number(degrees));
    }
    drawCurve(p, top, magnitude, kMagnitudeColour);
    drawCurve(p, bottom, angle, kAngleColour);
}

}  // namespace

std::string sweepPlotTitle(const std::vector<ImpedanceReading>& readings) {
    bool inductive = false, capacitive = false;
    for (const ImpedanceReading& r : readings)
        (seriesReadings(r).kind == ReactanceKind::Inductive ? inductive : capacitive) = true;
    const std::string kind = inductive && capacitive ? "Inductive and capacitive"
                             : capacitive            ? "Capacitive"
                                                     : "Inductive";
    const float rm = readings.empty() ? 0 : readings.front().referenceResistance;
    return kind + " component, Rm = " + plainForm(rm) + " \u03a9";
}

std::string writeSweepPlot(const std::vector<ImpedanceReading>& readings, const std::string& file) {
    const auto application = guiForPainting();
    const QString path = QString::fromStdString(file);
    if (path.endsWith(".svg", Qt::CaseInsensitive)) {
        // QSvgGenerator reports no failure: the file is tried first.
        QFile probe(path);
        if (!probe.open(QIODevice::WriteOnly)) return probe.errorString().toStdString();
        probe.close();
        QSvgGenerator svg;
        svg.setFileName(path);
        svg.setSize(QSize(kWidth, kHeight));
        svg.setViewBox(QRect(0, 0, kWidth, kHeight));
        svg.setTitle(QString::fromStdString(sweepPlotTitle(readings)));
        QPainter painter;
        if (!painter.begin(&svg)) return "the SVG could not be started";
        paint(painter, readings);
        painter.end();
        return {};
    }
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    {
        QPainter painter(&image);
        paint(painter, readings);
    }
    QFile out(path);
    if (!out.open(QIODevice::WriteOnly)) return out.errorString().toStdString();
    if (!image.save(&out, "PNG")) return "the PNG could not be written";
    return {};
}

}  // namespace varnex::cli
