// The three tare values every reading subtracts: a resistance from Rs, an
// inductance from Ls and a capacitance from Cs.  SI units; kept in the
// settings file.
#pragma once

namespace varnex {

struct Tare {
    float Ctare = 0;  // farads
    float Ltare = 0;  // henries
    float Rtare = 0;  // ohms
};

}  // namespace varnex
