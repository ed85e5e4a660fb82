#include "measure/Estimator.h"

#include "measure/Quadrature.h"

#include "common/Single.h"

namespace varnex {
namespace {

void yieldTo(const YieldFn& yield) {
    if (yield) yield();
}

float toFloat(double value) { return toSingle(value); }

// Vx = left, Vr = right * Bal, still in sample steps for the trigger search.
void splitChannels(VarnexState& s, int h) {
    for (int i = 0; i <= h; ++i) {
        s.Vx[i] = s.Samples[2 * i];
        s.Vr[i] = s.Samples[2 * i + 1];
        s.Vr[i] = toFloat(double(s.Vr[i]) * s.Bal);
    }
}

// First strictly negative sample followed directly by a strictly positive
// one; a crossing through an exact 0 does not count.  None: TrigPt stays.
void findTrigger(VarnexState& s, int h) {
    // i = H would compare with Vr(H+1), which is never filled and reads 0.
    for (int i = 0; i < h; ++i) {
        if (s.Vr[i] < 0 && s.Vr[i + 1] > 0) {
            s.TrigPt = i;
            return;
        }
    }
}

void toVolts(VarnexState& s, int h) {
    for (int i = 0; i <= h; ++i) s.Vr[i] = toFloat(double(s.Vr[i]) - s.Vx[i]);
    for (int i = 0; i <= h; ++i) {
        s.Vx[i] = toFloat(double(s.Vx[i]) * s.Vperbit);
        s.Vr[i] = toFloat(double(s.Vr[i]) * s.Vperbit);
    }
}

// One pass k = QuadLag..H, in the order of the update.  The weights travel
// from one update to the next in registers and the step's products with a
// single rounding (Beta / Pwr, error x step) are done in float, which rounds
// exactly as double-then-float would: the digits are those of evaluating every
// right-hand side in double.
void runPass(VarnexState& s, int h, const Quadrature& quad) {
    const int lag = quad.QuadLag;
    const float beta = s.Beta;
    const double oneMinusBeta = 1.0 - double(s.Beta);
    const double quadA = quad.QuadA;
    const double quadB = quad.QuadB;
    float pwr = s.Pwr;
    float u = s.uLMS;
    float muErr = s.MuErr;
    const float* vx = s.Vx.data();
    const float* vr = s.Vr.data();
    float* wi = s.Wi.data();
    float* wq = s.Wq.data();
    float* err = s.ErrLMS.data();
    float wiK = wi[lag];
    float wqK = wq[lag];
    for (int k = lag; k <= h; ++k) {
        const double vrK = vr[k];
        pwr = toFloat(vrK * beta * vrK + oneMinusBeta * pwr);
        u = beta / pwr;
        const float q = toFloat(quadA * vrK + quadB * vr[k - lag]);
        const float e = toFloat(double(vx[k]) - double(wiK) * vrK - double(q) * wqK);
        err[k] = e;
        muErr = e * u;
        wiK = toFloat(double(wiK) + double(muErr) * vrK);
        wqK = toFloat(double(wqK) + double(muErr) * q);
        wi[k + 1] = wiK;
        wq[k + 1] = wqK;
    }
    s.Pwr = pwr;
    s.uLMS = u;
    s.MuErr = muErr;
    s.LMSIdx = static_cast<int16_t>(h + 1);
}

}  // namespace

// H must leave the right sample 2H + 1 inside `Samples` (and so Wi(H+1) inside
// the weight arrays).
int lastFrameIndex(const VarnexState& s) {
    const int h = s.SampleCount / 2;
    if (h < 1 || 2 * h + 1 > kLastIndex) return -1;
    return h;
}

bool runEstimator(VarnexState& s, const YieldFn& yield) {
    if (s.DataReady == kFalse) return false;
    const int h = lastFrameIndex(s);
    if (h < 0) return false;

    yieldTo(yield);
    splitChannels(s, h);
    findTrigger(s, h);
    toVolts(s, h);
    s.Beta = kLmsBeta;
    s.Pwr = kLmsBeta;

    for (s.Pass = 1; s.Pass <= kLmsPasses; ++s.Pass) {
        // Taken together before the seed: a tone started by a handler during
        // the yield below changes them only from the next pass on, so the
        // seed, the indices and the regressor of a pass always belong together.
        const Quadrature quad{s.QuadLag, s.QuadA, s.QuadB};
        const bool lagUsable = quad.QuadLag >= 0 && quad.QuadLag <= h;
        if (lagUsable) {
            s.Wi[quad.QuadLag] = s.Wi[h];
            s.Wq[quad.QuadLag] = s.Wq[h];
        }
        yieldTo(yield);
        if (lagUsable) runPass(s, h, quad);
    }
    return true;
}

void resetWeights(VarnexState& s) {
    const int h = lastFrameIndex(s);
    if (h < 0) return;
    for (int i = 1; i <= h; ++i) {
        s.Wi[i] = 0;
        s.Wq[i] = 0;
    }
    s.LMSIdx = static_cast<int16_t>(h + 1);
}

}  // namespace varnex
