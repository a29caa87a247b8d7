#pragma once

#include <QString>

// Opens a file, a folder or an address ("http:", "mailto:") with the
// desktop's own association.
class ShellOpener {
public:
    virtual ~ShellOpener() = default;
    // False when the desktop could not hand it to any program; what that
    // program makes of it is not reported.
    virtual bool open(const QString &pathOrAddress) = 0;
};
