// The public operations other forms call.  Placeholder until the sound layer
// is wired in.
#include "app/Varnex.h"

namespace varnex {

void Varnex::cmdPlay_Click() { emit toneRestarted(); }

}  // namespace varnex
