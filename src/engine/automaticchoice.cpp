#include "automaticchoice.h"

#include "engine/copycheck.h"
#include "engine/firstvideo.h"
#include "settings/inifile.h"
#include "settings/outputchoices.h"
#include "settings/profiles.h"

#include <QCoreApplication>

namespace {

// The re-encoding profile's picture codec as its list shows it ("H.264");
// the profile's name when it has none.
QString codecCaption(const OutputProfile &profile, const QString &name)
{
    for (const ProfileOption &option : profile.options) {
        if (option.section == VideoCodecSection && option.index >= 0 &&
            option.index < option.captions.size())
            return option.captions.at(option.index);
    }
    return name;
}

// The re-encoding profile's initial choices, but the first video's size and
// rate, and the chapters and loudness the user chose in the automatic
// profile: "None" there must not come back as the other profile's "One per
// video". An automatic profile without the choice leaves the other's.
WorkingSelection reencodingSelection(const OutputProfile &profile, const ProbeResult &first,
                                     const WorkingSelection &automatic, const OutputChoices &chosen)
{
    WorkingSelection selection = InitialSelection(profile);
    if (automatic.chapters >= 0)
        selection.chapters = ProfileValuePosition(
            profile, ChaptersSection, chosen.chapters ? ChapterPerVideoValue : NoChaptersValue);
    if (automatic.loudness >= 0)
        selection.loudness = ProfileValuePosition(
            profile, LoudnessSection, chosen.evenLoudness ? EvenLoudnessValue : AsRecordedValue);
    const int size = ProfileValuePosition(profile, VideoSizeSection, SameAsFirstVideoValue);
    if (size >= 0 && FirstVideoFrame(first)) {
        selection.listSize = true;
        selection.videoSize = size;
    }
    const int rate = ProfileValuePosition(profile, FrameRateSection, SameAsFirstVideoValue);
    if (rate >= 0 && FirstVideoRate(first))
        selection.frameRate = rate;
    return selection;
}

QString differenceText(const CopyDifference &difference)
{
    const int video = difference.input + 1;
    if (difference.fact == QLatin1String("streams"))
        return QCoreApplication::translate("Job", "video %1 has other streams").arg(video);
    return QCoreApplication::translate("Job", "video %1 has a different %2")
        .arg(video)
        .arg(difference.fact);
}

QString shown(const QString &value)
{
    return value.isEmpty() ? QCoreApplication::translate("Job", "none") : value;
}

} // namespace

AutomaticChoice ChooseForInputs(const QString &programDir, const QString &automaticPath,
                                const WorkingSelection &automaticSelection,
                                const QList<PlanInput> &inputs)
{
    QList<ProbeResult> facts;
    for (const PlanInput &input : inputs)
        facts << input.facts;
    AutomaticChoice choice;
    const OutputChoices chosen = ReadOutputChoices(automaticSelection, automaticPath);
    const std::optional<CopyDifference> difference = FirstCopyDifference(facts);
    if (!difference && !chosen.evenLoudness) {
        choice.copy = true;
        choice.reason = QCoreApplication::translate(
            "Job", "Joining without re-encoding: every video has the same format");
        return choice;
    }
    const QString name = IniFile(automaticPath).readString(QStringLiteral("Main"), ReencodeWithKey);
    choice.profilePath = ProfilePath(programDir, name);
    const OutputProfile profile = ReadProfile(choice.profilePath).value_or(OutputProfile());
    choice.selection = reencodingSelection(profile, facts.first(), automaticSelection, chosen);
    const QString why =
        difference ? differenceText(*difference)
                   : QCoreApplication::translate(
                         "Job", "the sound is evened out, which a join without re-encoding "
                                "cannot do");
    choice.reason = QCoreApplication::translate("Job", "Re-encoding to %1: %2")
                        .arg(codecCaption(profile, name), why);
    if (difference)
        choice.detail = QStringLiteral("(%1, not %2)")
                            .arg(shown(difference->found), shown(difference->expected));
    return choice;
}
