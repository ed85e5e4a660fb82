// modWAV: builds the test tone as a complete RIFF WAVE image in memory that
// holds a whole number of sine cycles, so that a player looping it has no
// click at the seam.
#pragma once

#include <cstdint>
#include <vector>

#include "common/AudioFormat.h"

namespace varnex {

// The loop a tone plays: `cycles` whole sine cycles in `frames` frames, so its
// frequency is exactly kFramesPerSecond * cycles / frames.  frames 0: no tone.
struct ToneLoop {
    int32_t cycles = 0;
    int32_t frames = 0;
    double frequency() const;
};

// The longest loop: one second, so every whole hertz fits exactly and most
// other frequencies come within a thousandth of a hertz.
inline constexpr int32_t kLongestLoopFrames = kFramesPerSecond;

// The loop of at most kLongestLoopFrames whose frequency is nearest to
// `frequency` (the shortest such loop on a tie).  Where the generator's own
// count of cycles (100 above 1000 Hz, else 10) fits whole frames, the loop
// holds that many cycles, as the design's images do.  Nothing to play (frames
// 0) for a frequency that is not above 0 or is above half the frame rate.
ToneLoop toneLoopFor(double frequency);

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

    // Appends the loop's frames, sample k being sin(k * 2 pi f / rate) as in
    // MakeSine, and fills in the size fields.  The loop is given, not searched
    // for, so any frequency whose cycles fit ends without a jump at the seam.
    void MakeLoop(std::vector<uint8_t>& buffer, const ToneLoop& loop) const;

private:
    void appendFrames(std::vector<uint8_t>& buffer, double step, int64_t frames) const;

    int32_t sampleRate_ = 44100;
    int16_t bits_ = 16;
    int16_t mode_ = 1;
    int16_t channels_ = 2;
    int16_t bytesPerSample_ = 2;
    double leftLevel_ = 0;
    double rightLevel_ = 0;
};

// The program's test tone: 16-bit stereo at 44100 frames/s, both channels at
// `level` (clamped to 0..1), the loop toneLoopFor(frequency).  Rebuilds
// `buffer` and returns the frequency it plays.
double buildTestTone(std::vector<uint8_t>& buffer, double frequency, double level);

}  // namespace varnex
