#include "cli/profileselection.h"

#include "settings/profiles.h"

ProfileSelection::ProfileSelection(const QString &profilePath)
{
    if (const std::optional<OutputProfile> profile = ReadProfile(profilePath)) {
        m_selection = InitialSelection(*profile);
        m_outputExtension = profile->outputExtension;
    }
}
