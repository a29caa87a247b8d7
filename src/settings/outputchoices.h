#pragma once

#include "optionbuilder.h"
#include "workingselection.h"

#include <QString>

#include <optional>

// The profile's choices that shape the output beyond its codecs: chapters
// and the loudness of the sound. Their values are the program's own words,
// never handed to the encoder as they are: the job turns them into the
// encoder's options.

// "Chapters" values: a chapter per video, or none.
inline const QString ChapterPerVideoValue = QStringLiteral("each");
inline const QString NoChaptersValue = QStringLiteral("none");
// "Loudness" values: the sound as recorded, or every video's sound evened
// out to one loudness (EBU R128).
inline const QString AsRecordedValue = QStringLiteral("recorded");
inline const QString EvenLoudnessValue = QStringLiteral("ebur128");

// The choices the selection makes in the profile, read from its file once:
// a chapter per video, every video's sound evened out (never for a profile
// that copies the streams: copied sound cannot change), and the first
// Chapters or Loudness value that is neither of its section's words.
struct OutputChoices {
    bool chapters = false;
    bool evenLoudness = false;
    std::optional<UnusableValue> unusable;
};
OutputChoices ReadOutputChoices(const WorkingSelection &s, const QString &profilePath);

// Whether the selection asks for a chapter per video.
bool ChaptersChosen(const WorkingSelection &s, const QString &profilePath);

// Whether an output of this extension (".mp4") keeps chapters: MP4,
// QuickTime and Matroska.
bool CarriesChapters(const QString &outputExtension);

// Whether the selection evens out the loudness of the videos' sound. Never
// for a profile that copies the streams: copied sound cannot change.
bool LoudnessEvened(const WorkingSelection &s, const QString &profilePath);

// A Chapters or Loudness value of the selection that is neither of its
// section's words; a profile with neither section has none.
std::optional<UnusableValue> FindUnusableChoice(const WorkingSelection &s,
                                                const QString &profilePath);
