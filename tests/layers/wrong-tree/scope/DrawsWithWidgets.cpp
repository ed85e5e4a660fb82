// The oscilloscope with a widget and a header of the instrument above it: two findings.
#include <QImage>
#include <QWidget>
#include "instrument/Instrument.h"
