// Chooses the sound devices at start-up: the sound card through PortAudio, or
// the simulated bridge when the environment asks for it, so the program can be
// tried without hardware:
//
//   VARNEX_SIMULATE="C=100n"        component on the bridge (see parseComponent)
//   VARNEX_SIMULATE_RM="100.3"      true reference resistor in ohms (default: the
//                                   one the program measures with)
#pragma once

#include "audio/ReferenceSwitch.h"
#include "audio/TonePlayer.h"
#include "audio/WaveInput.h"

#include <memory>
#include <optional>
#include <string>

namespace varnex {

inline constexpr const char* kSimulateVariable = "VARNEX_SIMULATE";
inline constexpr const char* kSimulateRmVariable = "VARNEX_SIMULATE_RM";

// The sound card's devices by PortAudio index; the defaults when empty.
struct SoundCardChoice {
    std::optional<int> input;
    std::optional<int> output;
};

struct AudioBackends {
    std::unique_ptr<TonePlayer> player;
    std::unique_ptr<WaveInput> input;
    // The simulated bridge's reference resistor when it follows the program's.
    std::unique_ptr<ReferenceSwitch> reference;
    // Empty, or why the simulation asked for could not be set up; the sound
    // card is used then.
    std::string problem;
};

// Reads the two variables from the environment.
AudioBackends makeAudioBackends(const SoundCardChoice& card = {});

// The same choice from given texts; a null or empty component means the card.
AudioBackends makeAudioBackends(const char* component, const char* referenceResistor,
                                const SoundCardChoice& card = {});

}  // namespace varnex
