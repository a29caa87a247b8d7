#pragma once

#include "platform/shellopener.h"

// Opens through the desktop's associations (xdg-open).
class QtShellOpener : public ShellOpener {
public:
    bool open(const QString &pathOrAddress) override;
};
