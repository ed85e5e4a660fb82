// The public operations other forms call.  Placeholders until the measurement,
// oscilloscope and sound layers are wired in.
#include "app/Varnex.h"

namespace varnex {

void Varnex::docalib() {
    if (state_->DataReady == kFalse) return;
    emit measured();
}

void Varnex::doscope() { emit scopeDrawn(); }

void Varnex::Update() {}

void Varnex::cmdPlay_Click() { emit toneRestarted(); }

}  // namespace varnex
