#include "audio/AudioBackends.h"

#include "audio/ComponentDescription.h"
#include "audio/PortAudioTonePlayer.h"
#include "audio/PortAudioWaveInput.h"
#include "audio/SimulatedBridge.h"

#include <cstdlib>

namespace varnex {
namespace {

AudioBackends soundCard(const SoundCardChoice& card, std::string problem) {
    return {std::make_unique<PortAudioTonePlayer>(card.output),
            std::make_unique<PortAudioWaveInput>(card.input), std::move(problem)};
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
    if (referenceResistor != nullptr && *referenceResistor != '\0') {
        const std::optional<double> rm = parseResistance(referenceResistor);
        if (!rm)
            return soundCard(card, std::string(kSimulateRmVariable) + ": cannot read \"" +
                                       referenceResistor + "\" as ohms; using the sound card");
        options.circuit.referenceResistance = *rm;
    }
    SimulatedBridge bridge = makeSimulatedBridge(options);
    return {std::move(bridge.player), std::move(bridge.input), {}};
}

}  // namespace varnex
