#include "audio/SimulatedBridge.h"

#include "audio/SimulatedCard.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstring>
#include <limits>
#include <thread>
#include <vector>

namespace varnex {
namespace {

class SimulatedTonePlayer final : public TonePlayer {
public:
    explicit SimulatedTonePlayer(std::shared_ptr<SimulatedCard> card) : card_(std::move(card)) {}
    bool play(std::span<const uint8_t> image) override { return card_->play(image); }
    void stop() override { card_->stop(); }
    std::string deviceName() const override { return "the simulated bridge's output"; }

private:
    std::shared_ptr<SimulatedCard> card_;
};

class SimulatedWaveInput final : public WaveInput {
public:
    explicit SimulatedWaveInput(std::shared_ptr<SimulatedCard> card) : card_(std::move(card)) {}
    ~SimulatedWaveInput() override { close(handle_); }

    int32_t open(const WaveFormat& format) override {
        const WaveFormat wanted;
        if (!card_->options().hasInput || handle_ != 0) return 0;
        if (format.formatTag != wanted.formatTag || format.channels != wanted.channels ||
            format.samplesPerSec != wanted.samplesPerSec ||
            format.bitsPerSample != wanted.bitsPerSample)
            return 0;
        lastHandle_ = lastHandle_ == std::numeric_limits<int32_t>::max() ? 1 : lastHandle_ + 1;
        handle_ = lastHandle_;
        return handle_;
    }

    bool start(int32_t handle) override {
        if (handle == 0 || handle != handle_) return false;
        if (started_) return true;
        started_ = true;
        if (pending_) deliver();
        return true;
    }

    void addBuffer(int32_t handle, WaveHeader& header) override {
        if (handle == 0 || handle != handle_) return;
        if (pending_) {
            // Still filling; the caller may hand the same header again once
            // it has it back, so the card keeps its own count.
            if (!filled_.load(std::memory_order_acquire)) return;
            stopWorker();  // finished already; only joins
            pending_ = nullptr;
        }
        filled_.store(false, std::memory_order_relaxed);
        header.bytesRecorded.store(0, std::memory_order_relaxed);
        header.status.store(0, std::memory_order_relaxed);
        header.flags.store(0, std::memory_order_relaxed);
        pending_ = &header;
        if (started_) deliver();
    }

    void reset(int32_t handle) override {
        if (handle == 0 || handle != handle_) return;
        stopWorker();
        started_ = false;
        if (pending_) {
            pending_->flags.fetch_or(kHeaderDone, std::memory_order_release);
            pending_ = nullptr;
        }
    }

    void close(int32_t handle) override {
        if (handle == 0 || handle != handle_) return;
        reset(handle);
        handle_ = 0;
    }

    std::string deviceName() const override { return "the simulated bridge's input"; }

private:
    // The block is computed here, on the caller's thread, from what plays now.
    void deliver() {
        WaveHeader& header = *pending_;
        const size_t frames = header.bufferLength / kBytesPerFrame;
        block_.assign(frames * kStereoChannels, 0);
        card_->record(block_);
        if (!card_->options().realTime) {
            std::memcpy(header.data, block_.data(), frames * kBytesPerFrame);
            finish(header, static_cast<uint32_t>(frames * kBytesPerFrame));
            return;
        }
        cancel_.store(false, std::memory_order_relaxed);
        worker_ = std::thread([this, &header, frames] { fillInRealTime(header, frames); });
    }

    // The card's audio thread: no locks, no allocation.
    void fillInRealTime(WaveHeader& header, size_t frames) {
        constexpr size_t kChunkFrames = kFramesPerSecond / 100;  // 10 ms
        const auto begin = std::chrono::steady_clock::now();
        size_t delivered = 0;
        while (delivered < frames) {
            const size_t target = std::min(frames, delivered + kChunkFrames);
            std::this_thread::sleep_until(begin +
                                          std::chrono::microseconds(static_cast<int64_t>(target) *
                                                                    1000000 / kFramesPerSecond));
            if (cancel_.load(std::memory_order_acquire)) return;
            std::memcpy(header.data + delivered * kStereoChannels,
                        block_.data() + delivered * kStereoChannels,
                        (target - delivered) * kBytesPerFrame);
            delivered = target;
            header.bytesRecorded.store(static_cast<uint32_t>(delivered * kBytesPerFrame),
                                       std::memory_order_relaxed);
        }
        finish(header, static_cast<uint32_t>(frames * kBytesPerFrame));
    }

    void finish(WaveHeader& header, uint32_t bytes) {
        filled_.store(true, std::memory_order_release);
        header.bytesRecorded.store(bytes, std::memory_order_relaxed);
        header.flags.fetch_or(kHeaderDone, std::memory_order_release);
    }

    void stopWorker() {
        cancel_.store(true, std::memory_order_release);
        if (worker_.joinable()) worker_.join();
    }

    std::shared_ptr<SimulatedCard> card_;
    int32_t handle_ = 0;
    int32_t lastHandle_ = 0;
    bool started_ = false;
    WaveHeader* pending_ = nullptr;    // given by addBuffer, not yet given back by reset
    std::atomic<bool> filled_{false};  // the pending buffer is full (set by the audio thread)
    std::vector<int16_t> block_;       // read by the worker while it runs
    std::atomic<bool> cancel_{false};
    std::thread worker_;
};

class SimulatedReferenceSwitch final : public ReferenceSwitch {
public:
    explicit SimulatedReferenceSwitch(std::shared_ptr<SimulatedCard> card)
        : card_(std::move(card)) {}
    void select(double ohms) override { card_->selectReference(ohms); }

private:
    std::shared_ptr<SimulatedCard> card_;
};

}  // namespace

SimulatedBridge makeSimulatedBridge(const SimulatedBridgeOptions& options) {
    // Player, input and switch are faces of one card and keep it alive together.
    auto card = std::make_shared<SimulatedCard>(options);
    SimulatedBridge bridge{std::make_unique<SimulatedTonePlayer>(card),
                           std::make_unique<SimulatedWaveInput>(card), nullptr};
    if (options.referenceFollows)
        bridge.reference = std::make_unique<SimulatedReferenceSwitch>(card);
    return bridge;
}

}  // namespace varnex
