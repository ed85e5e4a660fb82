#include "audio/AudioBackends.h"

#include "audio/ComponentDescription.h"
#include "audio/PortAudioTonePlayer.h"
#include "audio/PortAudioWaveInput.h"
#include "audio/SimulatedBridge.h"

#include <cstdlib>
#include <random>

namespace varnex {
namespace {

AudioBackends soundCard(const SoundCardChoice& card, std::string problem) {
    return {std::make_unique<PortAudioTonePlayer>(card.output),
            std::make_unique<PortAudioWaveInput>(card.input), nullptr, std::move(problem)};
}

}  // namespace

AudioBackends makeAudioBackends(const SoundCardChoice& card) {
    return makeAudioBackends(std::getenv(kSimulateVariable), std::getenv(kSimulateRmVariable),
                             card);
}

AudioBackends makeAudioBackends(const char* component, const char* referenceResistor,
                                const SoundCardChoice& card) {
    if (component == nullptr || *component == '\0') return soundCard(card, {});
    SimulatedBridgeOptions options;
    std::string error;
    const std::optional<SimulationDescription> parsed = parseSimulation(component, &error);
    if (!parsed)
        return soundCard(card,
                         std::string(kSimulateVariable) + ": " + error + "; using the sound card");
    options.circuit.component = parsed->component;
    if (parsed->noiseSteps) options.noiseSteps = *parsed->noiseSteps;
    // Fresh noise on every run, unless the description asks for a repeatable
    // run: then the captures also follow one another on the card's own clock,
    // as from a tone that has long been playing.
    options.noiseSeed = parsed->noiseSeed ? *parsed->noiseSeed : std::random_device()();
    if (parsed->noiseSeed) {
        options.followsWallClock = false;
        options.startSilenceFrames = 0;
    }
    if (referenceResistor != nullptr && *referenceResistor != '\0') {
        const std::optional<double> rm = parseResistance(referenceResistor);
        if (!rm)
            return soundCard(card, std::string(kSimulateRmVariable) + ": cannot read \"" +
                                       referenceResistor + "\" as ohms; using the sound card");
        options.circuit.referenceResistance = *rm;
    } else {
        // No resistor of its own: the one the program measures with is wired in.
        options.referenceFollows = true;
    }
    SimulatedBridge bridge = makeSimulatedBridge(options);
    return {std::move(bridge.player), std::move(bridge.input), std::move(bridge.reference), {}};
}

}  // namespace varnex
