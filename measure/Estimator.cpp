#include "measure/Estimator.h"

#include "common/Single.h"

namespace varnex {
namespace {

void yieldTo(const YieldFn& yield) {
    if (yield) yield();
}

// Vx = left, Vr = right * Bal, still in sample steps for the trigger search.
void splitChannels(const SampleArray& Samples, float Bal, EstimatorState& e, int h) {
    for (int i = 0; i <= h; ++i) {
        e.Vx[i] = Samples[2 * i];
        e.Vr[i] = Samples[2 * i + 1];
        e.Vr[i] = toSingle(double(e.Vr[i]) * Bal);
    }
}

// First strictly negative sample followed directly by a strictly positive
// one; a crossing through an exact 0 does not count.  None: TrigPt stays.
void findTrigger(EstimatorState& e, int h) {
    // i = H would compare with Vr(H+1), which is never filled and reads 0.
    for (int i = 0; i < h; ++i) {
        if (e.Vr[i] < 0 && e.Vr[i + 1] > 0) {
            e.TrigPt = i;
            return;
        }
    }
}

void toVolts(float Vperbit, EstimatorState& e, int h) {
    for (int i = 0; i <= h; ++i) e.Vr[i] = toSingle(double(e.Vr[i]) - e.Vx[i]);
    for (int i = 0; i <= h; ++i) {
        e.Vx[i] = toSingle(double(e.Vx[i]) * Vperbit);
        e.Vr[i] = toSingle(double(e.Vr[i]) * Vperbit);
    }
}

// One pass k = QuadLag..H, in the order of the update.  The weights travel
// from one update to the next in registers and the step's products with a
// single rounding (Beta / Pwr, error x step) are done in float, which rounds
// exactly as double-then-float would: the digits are those of evaluating every
// right-hand side in double.
void runPass(EstimatorState& e, float& uLMS, int h, const Quadrature& quad) {
    const int lag = quad.QuadLag;
    const float beta = e.Beta;
    const double oneMinusBeta = 1.0 - double(e.Beta);
    const double quadA = quad.QuadA;
    const double quadB = quad.QuadB;
    float pwr = e.Pwr;
    float u = uLMS;
    float muErr = e.MuErr;
    const float* vx = e.Vx.data();
    const float* vr = e.Vr.data();
    float* wi = e.Wi.data();
    float* wq = e.Wq.data();
    float* err = e.ErrLMS.data();
    float wiK = wi[lag];
    float wqK = wq[lag];
    for (int k = lag; k <= h; ++k) {
        const double vrK = vr[k];
        pwr = toSingle(vrK * beta * vrK + oneMinusBeta * pwr);
        u = beta / pwr;
        const float q = toSingle(quadA * vrK + quadB * vr[k - lag]);
        const float err_k = toSingle(double(vx[k]) - double(wiK) * vrK - double(q) * wqK);
        err[k] = err_k;
        muErr = err_k * u;
        wiK = toSingle(double(wiK) + double(muErr) * vrK);
        wqK = toSingle(double(wqK) + double(muErr) * q);
        wi[k + 1] = wiK;
        wq[k + 1] = wqK;
    }
    e.Pwr = pwr;
    uLMS = u;
    e.MuErr = muErr;
    e.LMSIdx = static_cast<int16_t>(h + 1);
}

}  // namespace

// H must leave the right sample 2H + 1 inside `Samples` (and so Wi(H+1) inside
// the weight arrays).
int lastFrameIndex(int32_t SampleCount) {
    const int h = SampleCount / 2;
    if (h < 1 || 2 * h + 1 > kLastIndex) return -1;
    return h;
}

bool runEstimator(const SampleArray& Samples, int32_t SampleCount, const Calibration& calibration,
                  const Quadrature& quadrature, EstimatorState& e, float& uLMS,
                  const YieldFn& yield) {
    const int h = lastFrameIndex(SampleCount);
    if (h < 0) return false;

    yieldTo(yield);
    splitChannels(Samples, calibration.Bal, e, h);
    findTrigger(e, h);
    toVolts(calibration.Vperbit, e, h);
    e.Beta = kLmsBeta;
    e.Pwr = kLmsBeta;

    for (e.Pass = 1; e.Pass <= kLmsPasses; ++e.Pass) {
        // Taken together before the seed: a tone started by a handler during
        // the yield below changes them only from the next pass on, so the
        // seed, the indices and the regressor of a pass always belong together.
        const Quadrature quad = quadrature;
        const bool lagUsable = quad.QuadLag >= 0 && quad.QuadLag <= h;
        if (lagUsable) {
            e.Wi[quad.QuadLag] = e.Wi[h];
            e.Wq[quad.QuadLag] = e.Wq[h];
        }
        yieldTo(yield);
        if (lagUsable) runPass(e, uLMS, h, quad);
    }
    return true;
}

void resetWeights(int32_t SampleCount, EstimatorState& e) {
    const int h = lastFrameIndex(SampleCount);
    if (h < 0) return;
    for (int i = 1; i <= h; ++i) {
        e.Wi[i] = 0;
        e.Wq[i] = 0;
    }
    e.LMSIdx = static_cast<int16_t>(h + 1);
}

}  // namespace varnex
