#include "scope/ScaleLadders.h"

#include <algorithm>
#include <cmath>

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
    return index < 0 ? timeBase
                     : kTimeBaseLadder[neighbour<kTimeBaseLadder.size()>(index, direction)];
}

void stepTimeBase(ScopeSettings& settings, int direction) {
    settings.TimeBase = timeBaseStep(settings.TimeBase, direction);
    // Recomputed even off the ladder: the redraw reads TBscale alone.
    settings.TBscale = toSingle(static_cast<double>(settings.TimeBase) * kTBscalePerTimeBase);
}

ScopeReadouts vxScaleStep(float& gain, GainStep step) {
    ScopeReadouts readouts;
    readouts.vxScale = voltsPerDivText(stepGain(gain, step));
    return readouts;
}

ScopeReadouts vrScaleStep(float& gain, GainStep step) {
    ScopeReadouts readouts;
    readouts.vrScale = voltsPerDivText(stepGain(gain, step));
    return readouts;
}

}  // namespace

std::string voltsPerDivText(float voltsPerDiv) {
    return plainForm(voltsPerDiv) + " v/div";
}

std::string voltsPerDivTextOfGain(float gain) {
    return voltsPerDivText(toSingle(quotient(1, gain)));
}

std::optional<std::string> startUpScaleText(float gain) {
    const float voltsPerDiv = toSingle(quotient(1, gain));
    if (!std::isfinite(voltsPerDiv)) return std::nullopt;
    return voltsPerDivText(voltsPerDiv);
}

float stepGain(float& gain, GainStep step) {
    const int index = ladderIndex(kGainLadder, gain);
    if (index < 0) return toSingle(quotient(1, gain));
    const int next = neighbour<kGainLadder.size()>(index, step == GainStep::Up ? 1 : -1);
    gain = kGainLadder[next];
    return kVoltsPerDivLadder[next];
}

ScopeReadouts raiseVxGain(ScopeSettings& settings) {
    return vxScaleStep(settings.Lgain, GainStep::Up);
}
ScopeReadouts lowerVxGain(ScopeSettings& settings) {
    return vxScaleStep(settings.Lgain, GainStep::Down);
}
ScopeReadouts raiseVrGain(ScopeSettings& settings) {
    return vrScaleStep(settings.Rgain, GainStep::Up);
}
ScopeReadouts lowerVrGain(ScopeSettings& settings) {
    return vrScaleStep(settings.Rgain, GainStep::Down);
}

void shortenTimePerDivision(ScopeSettings& settings) {
    stepTimeBase(settings, 1);
}
void lengthenTimePerDivision(ScopeSettings& settings) {
    stepTimeBase(settings, -1);
}

ScopeReadouts switchDifferenceKind(ScopeSettings& settings, const ScopeView& view) {
    ScopeReadouts readouts;
    if (settings.TimeReadout == 0) {
        settings.TimeReadout = 1;
        readouts.cursorDifference = timeReadout(settings, view);
    } else if (settings.TimeReadout == 1) {
        settings.TimeReadout = 0;
        readouts.cursorDifference = frequencyReadout(settings, view);
    } else {
        return readouts;
    }
    readouts.differenceKind = readoutKindText(settings);
    return readouts;
}

}  // namespace varnex::scope
