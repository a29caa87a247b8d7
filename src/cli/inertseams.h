#pragma once

#include "platform/poweroff.h"
#include "platform/shellopener.h"

// The command line's settings never ask for the window's after-completion
// actions; should they ever be asked for, nothing is opened and nothing is
// powered off.
class NoShellOpener : public ShellOpener {
public:
    bool open(const QString &) override { return false; }
};

class NoPowerOff : public PowerOff {
public:
    void powerOff() override {}
};
