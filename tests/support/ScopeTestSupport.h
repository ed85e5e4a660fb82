// Helpers shared by the oscilloscope tests: reading the rendered picture.
#pragma once

#include <QImage>

#include <cstdint>

#include "scope/ScopeRenderer.h"
#include "scope/ScopeSettings.h"

namespace varnex::scope::testing {

inline constexpr QRgb kBlack = 0xff000000;
inline constexpr QRgb kGrey = 0xff555555;
inline constexpr QRgb kGreen = 0xff00ff00;
inline constexpr QRgb kBlue = 0xff0000ff;
inline constexpr QRgb kRed = 0xffff0000;

// Pixel of a drawing-unit coordinate at device pixel ratio 1: 15 units a pixel.
inline int px(double units) {
    return static_cast<int>(units) / 15;
}

inline int countColumn(const QImage& image, int column, QRgb colour) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) count += image.pixel(column, y) == colour;
    return count;
}

inline int countRow(const QImage& image, int row, QRgb colour) {
    int count = 0;
    for (int x = 0; x < image.width(); ++x) count += image.pixel(x, row) == colour;
    return count;
}

inline int countColour(const QImage& image, QRgb colour) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) count += countRow(image, y, colour);
    return count;
}

// Everything the oscilloscope works on, in one place: its settings and view
// and the traces it reads.
struct ScopeState {
    ScopeSettings settings;
    ScopeView view;
    VoltArray Vx{};
    VoltArray Vr{};
    int32_t TrigPt = 0;
    int16_t Captured = 0;

    Traces traces() const { return {Vx, Vr, TrigPt, Captured}; }
};

// A state that draws nothing but what a test switches on.
inline ScopeState blankState() {
    ScopeState state;
    state.settings.GridOn = 0;
    state.settings.CursorsOn = 0;
    state.Captured = 0;
    return state;
}

}  // namespace varnex::scope::testing
