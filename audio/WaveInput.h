// Records from the default input: open for a format, start, hand over one
// buffer, poll its done flag, reset, close. Modelled on a driver that fills a
// caller's buffer and marks its header done from its own thread.
//
// Every call comes from the user-interface thread. The device writes the
// buffer and the header's atomics from its audio thread between addBuffer
// and the moment it sets kHeaderDone (or reset/close returns); after that it
// never touches them again.
#pragma once

#include "common/AudioFormat.h"

#include <atomic>
#include <cstdint>
#include <string>

namespace varnex {

// The wave format given to open: PCM, 16-bit stereo at 44100 frames/s.
struct WaveFormat {
    uint16_t formatTag = 1;
    uint16_t channels = kStereoChannels;
    uint32_t samplesPerSec = kFramesPerSecond;
    uint32_t avgBytesPerSec = kFramesPerSecond * kBytesPerFrame;
    uint16_t blockAlign = kBytesPerFrame;
    uint16_t bitsPerSample = kToneBits;
    uint16_t extraSize = 0;
};

// Bit 0 of WaveHeader::flags: the buffer is full (or was given back by reset).
inline constexpr uint32_t kHeaderDone = 1;

// Bit of WaveHeader::status: frames were lost while the buffer filled (the
// sound system's input overflow or underflow).
inline constexpr uint32_t kStatusDropout = 1;

struct WaveHeader {
    int16_t* data = nullptr;    // interleaved frames, left first
    uint32_t bufferLength = 0;  // bytes
    std::atomic<uint32_t> bytesRecorded{0};
    std::atomic<uint32_t> flags{0};   // written by the device with release order
    std::atomic<uint32_t> status{0};  // kStatusDropout, set before done
};

inline bool isDone(const WaveHeader& header) {
    return (header.flags.load(std::memory_order_acquire) & kHeaderDone) != 0;
}

class WaveInput {
public:
    WaveInput() = default;
    WaveInput(const WaveInput&) = delete;
    WaveInput& operator=(const WaveInput&) = delete;
    virtual ~WaveInput() = default;

    // Opens the default input. Returns a non-zero handle, or 0 when there is
    // no input device, it refuses the format, or a device is already open.
    virtual int32_t open(const WaveFormat& format) = 0;
    // Starts recording; frames that arrive while no buffer is given are
    // dropped.  False when the device would not start (it stays open).
    virtual bool start(int32_t handle) = 0;
    // Hands over one buffer; header.bytesRecorded, flags and status are cleared here.
    // One buffer at a time: a second one while the first is pending is ignored.
    virtual void addBuffer(int32_t handle, WaveHeader& header) = 0;
    // Stops recording and gives a pending buffer back marked done; when it
    // returns the device no longer writes the buffer.
    virtual void reset(int32_t handle) = 0;
    // Resets and closes. Calls with a handle that is not open (0 included) do
    // nothing.
    virtual void close(int32_t handle) = 0;

    // The device's name, for messages ("the input 'pulse'").
    virtual std::string deviceName() const = 0;
};

}  // namespace varnex
