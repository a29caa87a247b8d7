#include "cli/profileselection.h"

#include "settings/profiles.h"

ProfileSelection::ProfileSelection(const QString &profilePath)
    : m_profile(ReadProfile(profilePath))
{
    if (m_profile) {
        m_selection = InitialSelection(*m_profile);
        m_outputExtension = m_profile->outputExtension;
    }
}

bool ProfileSelection::choose(const QString &section, const QString &value)
{
    const int position = m_profile ? ProfileValuePosition(*m_profile, section, value) : -1;
    if (position < 0)
        return false;
    if (section == ChaptersSection)
        m_selection.chapters = position;
    else if (section == LoudnessSection)
        m_selection.loudness = position;
    else
        return false;
    return true;
}
