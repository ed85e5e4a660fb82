#include "audio/LoopResponse.h"

#include <fftw3.h>

#include <complex>
#include <memory>

namespace varnex {
namespace {

// fftw's arrays are aligned for its vector code: they come from fftw_malloc.
struct FftwFree {
    void operator()(void* p) const { fftw_free(p); }
};
template <typename T>
using FftwArray = std::unique_ptr<T[], FftwFree>;

template <typename T>
FftwArray<T> fftwArray(size_t count) {
    return FftwArray<T>(static_cast<T*>(fftw_malloc(sizeof(T) * count)));
}

struct PlanDestroy {
    void operator()(fftw_plan plan) const { fftw_destroy_plan(plan); }
};
using Plan = std::unique_ptr<std::remove_pointer_t<fftw_plan>, PlanDestroy>;

// One channel: the drive's spectrum times the channel's gain at each
// harmonic, back to the time domain.
void respond(const std::vector<std::complex<double>>& gains, const fftw_complex* spectrum,
             std::vector<double>& out) {
    const size_t n = out.size();
    const size_t bins = gains.size();
    auto product = fftwArray<fftw_complex>(bins);
    auto samples = fftwArray<double>(n);
    for (size_t k = 0; k < bins; ++k) {
        const std::complex<double> y =
            std::complex<double>(spectrum[k][0], spectrum[k][1]) * gains[k];
        // fftw's inverse is not normalised.
        product[k][0] = y.real() / static_cast<double>(n);
        product[k][1] = y.imag() / static_cast<double>(n);
    }
    const Plan inverse(
        fftw_plan_dft_c2r_1d(static_cast<int>(n), product.get(), samples.get(), FFTW_ESTIMATE));
    fftw_execute(inverse.get());
    for (size_t m = 0; m < n; ++m) out[m] = samples[m];
}

}  // namespace

BridgeResponse respondToLoop(const BridgeCircuit& circuit, std::span<const double> drive,
                             double framesPerSecond) {
    const size_t n = drive.size();
    BridgeResponse response;
    response.left.assign(n, 0);
    response.right.assign(n, 0);
    if (n == 0) return response;

    // A real signal: bins 0..n/2 carry everything.
    const size_t bins = n / 2 + 1;
    auto samples = fftwArray<double>(n);
    auto spectrum = fftwArray<fftw_complex>(bins);
    for (size_t m = 0; m < n; ++m) samples[m] = drive[m];
    const Plan forward(
        fftw_plan_dft_r2c_1d(static_cast<int>(n), samples.get(), spectrum.get(), FFTW_ESTIMATE));
    fftw_execute(forward.get());

    std::vector<std::complex<double>> left(bins), right(bins);
    for (size_t k = 0; k < bins; ++k) {
        const ChannelGains gains = channelGainsAt(
            circuit, static_cast<double>(k) * framesPerSecond / static_cast<double>(n));
        left[k] = gains.left;
        right[k] = gains.right;
    }
    respond(left, spectrum.get(), response.left);
    respond(right, spectrum.get(), response.right);
    return response;
}

}  // namespace varnex
