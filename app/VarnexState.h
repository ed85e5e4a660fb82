// Everything the main window knows for the whole run, under the program's own
// names and types: float for Single, double for Double, int16_t for Integer,
// int32_t for Long.  Flags hold -1 for True and 0 for False.  Every member
// starts at its start-up value.  The arrays are sized once, indices 0..44100,
// and never reallocated: the sound device and the oscilloscope hold on to them.
#pragma once

#include <array>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

namespace varnex {

inline constexpr int16_t kTrue = -1;
inline constexpr int16_t kFalse = 0;

// Highest index of every working array.
inline constexpr int kLastIndex = 44100;
// Highest index of the raw capture buffer.
inline constexpr int kCapBufLastIndex = 176400;

using SampleArray = std::array<int16_t, kLastIndex + 1>;
using VoltArray = std::array<float, kLastIndex + 1>;

// Colours are red + 256 * green + 65536 * blue.
constexpr int32_t rgb(int red, int green, int blue) { return red + 256 * green + 65536 * blue; }

struct VarnexState {
    // ---- Public: the dialogs read and write these. ----
    float freq = 1225;
    float Ctare = 0;
    float Ltare = 0;
    float Rtare = 0;
    float Rm10 = 10.1f;
    float Rm100 = 100.3f;
    float Rm1000 = 1000;
    float Rm10000 = 10000;
    float Rm100000 = 100000;
    int16_t RmOptFlag = 1;
    int16_t LMSOptFlag = 3;
    int16_t SigGenOptFlag = 2;
    float uLMS1 = 0.0055f;
    float uLMS2 = 0.025f;
    float uLMS3 = 0.055f;
    float uLMS4 = 0.075f;
    float uLMS5 = 0.095f;
    double SigGenLvl = 0.5;
    float Rm = 100;
    int32_t myx = 0;
    float uLMS = 0.055f;
    float Bal = 0.9955f;
    float Vperbit = 0.00002792f;
    int32_t TrigLev = 200;  // stored in the settings file, read by nothing

    // ---- Private to the main window, shared by its parts. ----
    float Pi = static_cast<float>(4 * std::atan(1.0));
    int16_t RunFlag = kFalse;
    int16_t Busy = kFalse;
    int16_t DataReady = kFalse;
    int16_t Captured = 0;
    int32_t hWaveIn = 0;
    SampleArray Samples{};
    int32_t SampleCount = 22048;
    std::vector<uint8_t> WavBuf;
    int16_t QuadLag = 0;
    float QuadA = 0;
    float QuadB = 0;
    float TimeBase = 20;
    float TBscale = static_cast<float>(20 * 1.5873);
    float Lgain = 1;
    float Rgain = 1;
    int16_t GridOn = 1;
    int16_t ScopeMode = 3;
    int16_t CursorsOn = 0;
    int32_t Cursor1 = 1000;
    int32_t Cursor2 = 3000;
    int16_t TimeReadout = 0;
    int32_t VxColor = rgb(0, 255, 0);
    int32_t VrColor = rgb(0, 0, 255);
    std::string Msg;
    std::string InitFile;

    // Raw capture buffer; the input device writes its first 22100 values.
    std::array<int16_t, kCapBufLastIndex + 1> CapBuf{};

    // Measurement working state.
    VoltArray Vx{};
    VoltArray Vr{};
    VoltArray Wi{};
    VoltArray Wq{};
    VoltArray ErrLMS{};
    float Pwr = 0;
    float Beta = 0;
    float MuErr = 0;
    int16_t LMSIdx = 0;
    int16_t Pass = 0;
    int32_t TrigPt = 0;

    // Results of the last run.
    float Zmag = 0;
    float Zang = 0;
    float Ls = 0;
    float Cs = 0;
    float ScaleVal = 0;  // scratch: the number just shown in a scale or Q/D box

    // Oscilloscope and cursors.
    double MsPerDiv = 0;
    int16_t MouseDn = 0;
    int16_t MouseX = 0;
};

}  // namespace varnex
