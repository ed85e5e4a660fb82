// A bridge that wires in whichever reference resistor the program measures
// with: the simulated bridge does when it is given no resistor of its own, so
// `--resistor 10k` or the Rm dialog's choice is what the circuit then holds.
// A bridge built by hand has no such switch.
#pragma once

namespace varnex {

class ReferenceSwitch {
public:
    ReferenceSwitch() = default;
    ReferenceSwitch(const ReferenceSwitch&) = delete;
    ReferenceSwitch& operator=(const ReferenceSwitch&) = delete;
    virtual ~ReferenceSwitch() = default;

    // From the next recording on, the reference resistor is `ohms`.  A value
    // that no resistor has (not positive, not finite) leaves the one in place.
    // User-interface thread.
    virtual void select(double ohms) = 0;
};

}  // namespace varnex
