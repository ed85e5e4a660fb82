#include "audio/AudioBackends.h"

#include "audio/ComponentDescription.h"
#include "audio/PortAudioTonePlayer.h"
#include "audio/PortAudioWaveInput.h"
#include "audio/SimulatedBridge.h"

#include <cstdlib>

namespace varnex {
namespace {

AudioBackends soundCard(std::string problem) {
    return {std::make_unique<PortAudioTonePlayer>(), std::make_unique<PortAudioWaveInput>(),
            std::move(problem)};
}

}  // namespace

AudioBackends makeAudioBackends() {
    return makeAudioBackends(std::getenv(kSimulateVariable), std::getenv(kSimulateRmVariable));
}

AudioBackends makeAudioBackends(const char* component, const char* referenceResistor) {
    if (component == nullptr || *component == '\0') return soundCard({});
    SimulatedBridgeOptions options;
    std::string error;
    const std::optional<Component> parsed = parseComponent(component, &error);
    if (!parsed)
        return soundCard(std::string(kSimulateVariable) + ": " + error + "; using the sound card");
    options.circuit.component = *parsed;
    if (referenceResistor != nullptr && *referenceResistor != '\0') {
        const std::optional<double> rm = parseResistance(referenceResistor);
        if (!rm)
            return soundCard(std::string(kSimulateRmVariable) + ": cannot read \"" +
                             referenceResistor + "\" as ohms; using the sound card");
        options.circuit.referenceResistance = *rm;
    }
    SimulatedBridge bridge = makeSimulatedBridge(options);
    return {std::move(bridge.player), std::move(bridge.input), {}};
}

}  // namespace varnex
