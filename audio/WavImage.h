// modWAV: builds the test tone as a complete RIFF WAVE image in memory that
// holds a whole number of sine cycles, so that a player looping it has no
// click at the seam.
#pragma once

#include <cstdint>
#include <vector>

namespace varnex {

// Size of the plain PCM header in front of the samples.
inline constexpr int kWavHeaderBytes = 44;

// Byte n (0..3) of value, little-endian; byte 3 has its top bit cleared.
uint8_t ByteOf(int32_t value, int n);

// A level outside 0..1 (or not a number) would wrap the 16-bit samples; the
// settings file is hand-editable, so every level is clamped here.
double clampLevel(double level);

// Keeps the parameters of MakeHeader for the MakeSine that follows, as the
// two building steps of one image.
//
// Channel modes: 0 mono (left level); 1 stereo, both channels; 2 stereo, right
// written as zero bytes; 3 stereo, left written as zero bytes.
class modWAV {
public:
    // Replaces buffer by the 44-byte header; both size fields stay 0 until
    // MakeSine fills them. bits is 8 or 16 (any other value builds 16).
    void MakeHeader(std::vector<uint8_t>& buffer, int32_t sampleRate, int16_t bits, int16_t mode,
                    double leftLevel, double rightLevel);

    // Appends the frames of C whole cycles (C = 100 above 1000 Hz, else 10)
    // and fills in the size fields. A frequency that is not above 0 and at
    // most half the sample rate appends no frame: the cycle search would
    // never end.
    void MakeSine(std::vector<uint8_t>& buffer, double frequency) const;

private:
    int32_t sampleRate_ = 44100;
    int16_t bits_ = 16;
    int16_t mode_ = 1;
    int16_t channels_ = 2;
    int16_t bytesPerSample_ = 2;
    double leftLevel_ = 0;
    double rightLevel_ = 0;
};

// The program's test tone: 16-bit stereo at 44100 frames/s, both channels at
// `level` (clamped to 0..1), whole cycles of `frequency`.  Rebuilds `buffer`.
void buildTestTone(std::vector<uint8_t>& buffer, double frequency, double level);

}  // namespace varnex
