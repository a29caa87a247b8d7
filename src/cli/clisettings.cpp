#include "cli/clisettings.h"

OverwriteButtons OverwriteButtonsFor(OverwriteChoice choice, const Preferences &preferences)
{
    OverwriteButtons buttons;
    switch (choice) {
    case OverwriteChoice::Ask:
        buttons.ask = true;
        break;
    case OverwriteChoice::Overwrite:
        buttons.overwrite = true;
        break;
    case OverwriteChoice::Rename:
        buttons.rename = true;
        break;
    case OverwriteChoice::FromPreferences:
        buttons.rename = preferences.rename;
        buttons.overwrite = preferences.overwrite && !buttons.rename;
        buttons.ask = preferences.ask && !buttons.overwrite && !buttons.rename;
        break;
    }
    return buttons;
}

CliSettings::CliSettings(const Preferences &preferences, OverwriteChoice choice,
                         const std::optional<QString> &tempDirOverride,
                         std::optional<int> conversionsAtOnce)
    : m_tempDir(tempDirOverride.value_or(preferences.tempDir))
    , m_buttons(OverwriteButtonsFor(choice, preferences))
    , m_conversionsAtOnce(conversionsAtOnce.value_or(preferences.conversionsAtOnce))
{
}
