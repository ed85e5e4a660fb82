#include "scope/ScaleLadders.h"

#include <algorithm>

#include "common/NumberText.h"
#include "scope/DifferenceReadout.h"
#include "scope/ScopeMath.h"

namespace varnex::scope {
namespace {

// The position of a value on a ladder by exact Single equality, or -1.
template <size_t N>
int ladderIndex(const std::array<float, N>& ladder, float value) {
    const auto found = std::find(ladder.begin(), ladder.end(), value);
    return found == ladder.end() ? -1 : static_cast<int>(found - ladder.begin());
}

template <size_t N>
int neighbour(int index, int direction) {
    return std::clamp(index + direction, 0, static_cast<int>(N) - 1);
}

float timeBaseStep(float timeBase, int direction) {
    const int index = ladderIndex(kTimeBaseLadder, timeBase);
    return index < 0 ? timeBase : kTimeBaseLadder[neighbour<kTimeBaseLadder.size()>(index, direction)];
}

void stepTimeBase(VarnexState& state, int direction) {
    state.TimeBase = timeBaseStep(state.TimeBase, direction);
    // Recomputed even off the ladder: the redraw reads TBscale alone.
    state.TBscale = toSingle(static_cast<double>(state.TimeBase) * kTBscalePerTimeBase);
}

}  // namespace

std::string voltsPerDivText(float voltsPerDiv) { return plainForm(voltsPerDiv) + " v/div"; }

std::string voltsPerDivTextOfGain(float gain) {
    return voltsPerDivText(toSingle(quotient(1, gain)));
}

std::string stepGain(float& gain, float& scaleVal, GainStep step) {
    const int index = ladderIndex(kGainLadder, gain);
    if (index < 0) {
        scaleVal = toSingle(quotient(1, gain));
    } else {
        const int next = neighbour<kGainLadder.size()>(index, step == GainStep::Up ? 1 : -1);
        gain = kGainLadder[next];
        scaleVal = kVoltsPerDivLadder[next];
    }
    return voltsPerDivText(scaleVal);
}

ScopeTexts btnLdec(VarnexState& state) {
    ScopeTexts texts;
    texts.Text20 = stepGain(state.Lgain, state.ScaleVal, GainStep::Up);
    return texts;
}

ScopeTexts btnLinc(VarnexState& state) {
    ScopeTexts texts;
    texts.Text20 = stepGain(state.Lgain, state.ScaleVal, GainStep::Down);
    return texts;
}

ScopeTexts btnRdec(VarnexState& state) {
    ScopeTexts texts;
    texts.Text11 = stepGain(state.Rgain, state.ScaleVal, GainStep::Up);
    return texts;
}

ScopeTexts btnRinc(VarnexState& state) {
    ScopeTexts texts;
    texts.Text11 = stepGain(state.Rgain, state.ScaleVal, GainStep::Down);
    return texts;
}

float fasterTimeBase(float timeBase) { return timeBaseStep(timeBase, 1); }
float slowerTimeBase(float timeBase) { return timeBaseStep(timeBase, -1); }

void btnTBdec(VarnexState& state) { stepTimeBase(state, 1); }
void btnTBinc(VarnexState& state) { stepTimeBase(state, -1); }

ScopeTexts check2Click(VarnexState& state) {
    ScopeTexts texts;
    if (state.TimeReadout == 0) {
        state.TimeReadout = 1;
        texts.Text15 = timeReadout(state);
    } else if (state.TimeReadout == 1) {
        state.TimeReadout = 0;
        texts.Text15 = frequencyReadout(state);
    } else {
        return texts;
    }
    texts.Label10 = readoutKindText(state);
    return texts;
}

}  // namespace varnex::scope
