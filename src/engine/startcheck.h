#pragma once

#include "settings/encoderpieces.h"
#include "settings/workingselection.h"

#include <QString>
#include <QStringList>
#include <optional>

// The checks Start makes before a job may touch any file.

// Why Start refuses, and where the focus goes then.
struct StartRefusal {
    enum Focus { KeepFocus, FocusOutputFile };
    QString title;
    QString text;
    Focus focus = KeepFocus;
};

// What the job would write and delete must never be an input, nor may the
// output be one of its own temporaries (the joining run would read and write
// the same file, and the clean-up would delete the output). Every path must
// also survive quoting on the encoder's command line. tempFolders are the
// folders the temporaries may go to. Paths are compared by the file they
// name (see PathIndex), each path's identity made once.
std::optional<StartRefusal> CheckJobPaths(const QStringList &inputs, const QString &outputPath,
                                          const QStringList &tempFolders);

// The joining options limit an "MP2" audio bitrate to 128, which needs the
// bitrate as a whole number; a text that is none is refused before anything
// is converted, rather than handed on unchecked.
std::optional<StartRefusal> CheckAudioBitrate(const WorkingSelection &selection);

// Every value the job would hand to the encoder has its form (the pieces
// find the first that has not); a profile is a file people share, and its
// text must not become part of the encoder's filters or options.
std::optional<StartRefusal> RefusalOfUnusableValue(const std::optional<UnusableValue> &value,
                                                   const QString &profilePath);

// The output must be a file that can be made in its folder, under a name the
// folder takes, and no path the job writes may hold a control character
// (the encoder's list of parts is one path a line). Checks what a job would
// otherwise find only after all conversions. The writing test makes and
// removes the job's own hidden partial file, and leaves nothing.
std::optional<StartRefusal> CheckOutputPlace(const QString &outputPath,
                                             const QStringList &tempFolders);
