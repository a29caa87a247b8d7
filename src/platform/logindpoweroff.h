#pragma once

#include "platform/poweroff.h"

// Powers off through systemd-logind, without asking interactively.
class LogindPowerOff : public PowerOff {
public:
    void powerOff() override;
};
