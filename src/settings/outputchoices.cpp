#include "outputchoices.h"

#include "inifile.h"
#include "profiles.h"

namespace {

// The section's value at the selected position; empty when the profile
// has no such section or nothing is selected.
QString choice(const IniDocument &profile, const QString &section, int position)
{
    return profile.readString(section, ProfileValueKey(position), QString());
}

bool copiesStreams(const IniDocument &profile)
{
    return profile.readString(QStringLiteral("Main"), QStringLiteral("Type"), QString())
               .compare(CopyProfileType, Qt::CaseInsensitive) == 0;
}

std::optional<UnusableValue> unusableChoice(const WorkingSelection &s, const IniDocument &profile)
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
        const QString value = choice(profile, c.section, c.position);
        // A profile without the section, or nothing chosen, keeps today's
        // output.
        if (value.isEmpty())
            continue;
        if (!c.words.contains(value))
            return UnusableValue{c.section, value};
    }
    return std::nullopt;
}

} // namespace

OutputChoices ReadOutputChoices(const WorkingSelection &s, const QString &profilePath)
{
    const IniDocument profile = IniDocument::load(profilePath);
    OutputChoices choices;
    choices.chapters = choice(profile, ChaptersSection, s.chapters) == ChapterPerVideoValue;
    choices.evenLoudness = !copiesStreams(profile) &&
                           choice(profile, LoudnessSection, s.loudness) == EvenLoudnessValue;
    choices.unusable = unusableChoice(s, profile);
    return choices;
}

bool ChaptersChosen(const WorkingSelection &s, const QString &profilePath)
{
    return ReadOutputChoices(s, profilePath).chapters;
}

bool CarriesChapters(const QString &outputExtension)
{
    const QString type = outputExtension.toLower();
    return type == QLatin1String(".mp4") || type == QLatin1String(".mov") ||
           type == QLatin1String(".mkv");
}

bool LoudnessEvened(const WorkingSelection &s, const QString &profilePath)
{
    return ReadOutputChoices(s, profilePath).evenLoudness;
}

std::optional<UnusableValue> FindUnusableChoice(const WorkingSelection &s,
                                                const QString &profilePath)
{
    return ReadOutputChoices(s, profilePath).unusable;
}
