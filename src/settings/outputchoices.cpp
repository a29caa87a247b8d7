#include "outputchoices.h"

#include "profiles.h"

namespace {

// The section's value at the selected position; empty when the profile
// has no such section or nothing is selected.
QString choice(const QString &profilePath, const QString &section, int position)
{
    return ReadProfileValue(profilePath, section, position, QString());
}

} // namespace

bool ChaptersChosen(const WorkingSelection &s, const QString &profilePath)
{
    return choice(profilePath, ChaptersSection, s.chapters) == ChapterPerVideoValue;
}

bool CarriesChapters(const QString &outputExtension)
{
    const QString type = outputExtension.toLower();
    return type == QLatin1String(".mp4") || type == QLatin1String(".mov") ||
           type == QLatin1String(".mkv");
}

bool LoudnessEvened(const WorkingSelection &s, const QString &profilePath)
{
    return !ProfileCopiesStreams(profilePath) &&
           choice(profilePath, LoudnessSection, s.loudness) == EvenLoudnessValue;
}

std::optional<UnusableValue> FindUnusableChoice(const WorkingSelection &s,
                                                const QString &profilePath)
{
    const struct {
        const QString &section;
        int position;
        QStringList words;
    } choices[] = {
        {ChaptersSection, s.chapters, {ChapterPerVideoValue, NoChaptersValue}},
        {LoudnessSection, s.loudness, {AsRecordedValue, EvenLoudnessValue}},
    };
    for (const auto &c : choices) {
        const QString value = choice(profilePath, c.section, c.position);
        // A profile without the section, or nothing chosen, keeps today's
        // output.
        if (value.isEmpty())
            continue;
        if (!c.words.contains(value))
            return UnusableValue{c.section, value};
    }
    return std::nullopt;
}
