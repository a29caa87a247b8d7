#pragma once

#include "settings/profiles.h"
#include "settings/workingselection.h"

#include <optional>

// The Output Settings dialog right after a profile is loaded, without the
// dialog: every box at the profile's initial choice, the size taken from the
// list. A profile that is not there leaves everything unselected and no
// output extension, as a window with no profile selected has.
class ProfileSelection {
public:
    explicit ProfileSelection(const QString &profilePath);

    WorkingSelection workingSelection() const { return m_selection; }
    QString outputExtension() const { return m_outputExtension; }

    // Selects the choice of the section whose value is `value`, as picking
    // it in the dialog does; false when the profile offers no such choice.
    bool choose(const QString &section, const QString &value);

private:
    std::optional<OutputProfile> m_profile;
    WorkingSelection m_selection;
    QString m_outputExtension;
};
