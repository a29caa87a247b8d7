#pragma once

#include "cli/cliarguments.h"
#include "settings/preferences.h"

// The three buttons of "Output File Overwrite": at most one is selected.
struct OverwriteButtons {
    bool ask = false;
    bool overwrite = false;
    bool rename = false;
};

// The buttons the Settings dialog shows for the preferences (the three keys
// applied in the order Ask, Overwrite, Rename, each clearing the others, so
// a later one wins; none set selects none, and an existing output is then
// overwritten without a question), unless the command line chose.
OverwriteButtons OverwriteButtonsFor(OverwriteChoice choice, const Preferences &preferences);

// The Settings dialog's values for a job started from the command line: the
// preferences file as the dialog loads it, with the command line's choices
// over it (--jobs over "Conversions at once"). The after-completion actions are the window's own
// business: the command line never opens a folder, exits a window or turns the computer off.
class CliSettings {
public:
    CliSettings(const Preferences &preferences, OverwriteChoice choice,
                const std::optional<QString> &tempDirOverride,
                std::optional<int> conversionsAtOnce = std::nullopt);

    QString tempDir() const { return m_tempDir; }
    OverwriteButtons buttons() const { return m_buttons; }
    int conversionsAtOnce() const { return m_conversionsAtOnce; }

private:
    QString m_tempDir;
    OverwriteButtons m_buttons;
    int m_conversionsAtOnce;
};
