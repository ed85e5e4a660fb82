// The public operations other forms call.  Placeholders until the measurement
// and sound layers are wired in.
#include "app/Varnex.h"

namespace varnex {

void Varnex::docalib() {
    if (state_->DataReady == kFalse) return;
    emit measured();
}

void Varnex::cmdPlay_Click() { emit toneRestarted(); }

}  // namespace varnex
