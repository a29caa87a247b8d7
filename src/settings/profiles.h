#pragma once

#include "workingselection.h"

class IniDocument;

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// Output profiles: read-only INI files with the extension ".bpf" in the
// "Profiles" folder of the program directory. Each option section lists the
// choices offered for one encoder option ("Items", "Caption"+k, "value"+k),
// the one chosen at first ("Index") and a help text ("Description").

// The option sections, in the order a profile is loaded.
inline const QString VideoCodecSection = QStringLiteral("Video Codec");
inline const QString VideoSizeSection = QStringLiteral("Video Size");
inline const QString VideoBitrateSection = QStringLiteral("Video Bitrate");
inline const QString AspectSection = QStringLiteral("Aspect");
inline const QString AudioCodecSection = QStringLiteral("Audio Codec");
inline const QString Mp3EncodeSection = QStringLiteral("MP3 Encode");
inline const QString VbrQualitySection = QStringLiteral("VBR Quality");
inline const QString AbrCbrBitrateSection = QStringLiteral("ABR CBR Bitrate");
inline const QString AudioBitrateSection = QStringLiteral("Audio Bitrate");
inline const QString SampleRateSection = QStringLiteral("Sample Rate");
inline const QString ChannelsSection = QStringLiteral("Channels");
// Rate control of the encoders that have a constant quality: a CRF, or the
// value "bitrate" for the Video Bitrate box. A profile without it uses the
// bitrate.
inline const QString VideoQualitySection = QStringLiteral("Video Quality");
// The encoder's preset (a name, or VP9's speed number); a profile without it
// leaves the encoder's own.
inline const QString SpeedSection = QStringLiteral("Speed");
// Pictures a second of the output, which the conversions make exact; 30
// when the profile has no choice.
inline const QString FrameRateSection = QStringLiteral("Frame Rate");
// Whether the output marks where each video starts (see outputchoices.h);
// none when the profile has no choice.
inline const QString ChaptersSection = QStringLiteral("Chapters");
// Whether every video's sound is brought to one loudness; the sound as
// recorded when the profile has no choice.
inline const QString LoudnessSection = QStringLiteral("Loudness");

// The value of a Video Size or Frame Rate choice that takes the first
// video's own (see FirstVideoFrame, FirstVideoRate): other videos are fitted
// into its frame and brought to its rate.
inline const QString SameAsFirstVideoValue = QStringLiteral("first");

// The sections above in loading order.
QStringList ProfileOptionSections();

// One option section as loaded: its captions, the position chosen at first
// (-1: nothing chosen; it may also lie outside the captions) and its help text.
struct ProfileOption {
    QString section;
    QStringList captions;
    int index = -1;
    QString description;
};

// The "Main"/"Type" of a profile that joins the inputs as they are, copying
// their streams: it has no options, and the output takes the inputs' own
// container and extension.
inline const QString CopyProfileType = QStringLiteral("copy");

// The "Main"/"Type" of a profile that chooses for the inputs at Start: it
// copies their streams when they can be joined that way, and otherwise
// re-encodes with the profile its "Main"/"Re-encode With" names, at the
// first video's size and rate. It has no options of its own.
inline const QString AutomaticProfileType = QStringLiteral("auto");
inline const QString ReencodeWithKey = QStringLiteral("Re-encode With");

struct OutputProfile {
    QString path;
    QString outputExtension;       // "." + "Main"/"Type"; empty for a copying profile
    QList<ProfileOption> options;  // in loading order
    bool copiesStreams = false;    // "Main"/"Type" is CopyProfileType
    bool choosesForInputs = false; // "Main"/"Type" is AutomaticProfileType
};

// The ordinary files (no folders, no hidden files) in folder whose extension,
// from the last dot on, equals extension without regard to case; sorted by
// name without regard to case. A missing folder gives an empty list.
QStringList FindProfiles(const QString &folder, const QString &extension);

// The entries of the profile list: each ".bpf" file of programDir + "Profiles/"
// without its extension.
QStringList ProfileCatalogue(const QString &programDir);

// The file of a catalogue entry: programDir + "Profiles/" + entryText + its
// extension as the file spells it (".bpf" when no such file exists).
QString ProfilePath(const QString &programDir, const QString &entryText);

// The captions, initial choices and descriptions of every option section and
// the output extension, from one read of the file; nothing when no file is at
// path.
std::optional<OutputProfile> ReadProfile(const QString &path);

// The same from a profile's text already read; path is only recorded.
OutputProfile ProfileFromDocument(const IniDocument &doc, const QString &path);

// Whether the profile file at path joins by copying the streams.
bool ProfileCopiesStreams(const QString &path);

// Whether the profile file at path chooses for the inputs at Start.
bool ProfileChoosesForInputs(const QString &path);

// The working selection right after the profile is loaded: every box at its
// "Index" (nothing selected when that lies outside the choices, and then an
// editable box shows no text), the size taken from the list.
WorkingSelection InitialSelection(const OutputProfile &profile);

// The "Description" text of section, empty when absent.
QString ReadProfileDescription(const QString &path, const QString &section);

// The encoder value of the choice at position ("value" + position, "value-1"
// when nothing is chosen); fallback when absent or when no file is at path.
QString ReadProfileValue(const QString &path, const QString &section, int position,
                         const QString &fallback);

// The key that holds the encoder value of a choice.
QString ProfileValueKey(int position);

// The position of the section's choice whose value is `value`; -1 when the
// profile offers none.
int ProfileValuePosition(const OutputProfile &profile, const QString &section,
                         const QString &value);
