#pragma once

#include <QString>

// Opens a file, a folder or an address ("http:", "mailto:") with the
// desktop's own association. The outcome is not reported.
class ShellOpener {
public:
    virtual ~ShellOpener() = default;
    virtual void open(const QString &pathOrAddress) = 0;
};
