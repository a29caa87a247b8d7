#pragma once

// Asks the system to power off. Failures are not reported.
class PowerOff {
public:
    virtual ~PowerOff() = default;
    virtual void powerOff() = 0;
};
