// The impedance curve of a sweep: |Z| on a logarithmic axis and the angle of
// Z (in its own quadrant, -180 to 180 degrees), against frequency on a
// logarithmic axis, the measured points marked and joined.  Drawn with Qt's painting classes,
// without a display.
#pragma once

#include <string>
#include <vector>

#include "measure/Readings.h"

namespace varnex::cli {

// Writes the plot as PNG or SVG, by the file's extension.  Returns what went
// wrong, or nothing.  Readings whose |Z| or angle is not finite leave no point.
std::string writeSweepPlot(const std::vector<ImpedanceReading>& readings, const std::string& file);

// The plot's title: the kind of component ("Capacitive", "Inductive", or
// both when the sweep saw both) and the reference resistor.
std::string sweepPlotTitle(const std::vector<ImpedanceReading>& readings);

}  // namespace varnex::cli
