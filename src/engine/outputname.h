#pragma once

#include <QString>

// The output file of a job: how its text is split, completed and, under the
// rename policy, moved aside.

// The folder part of a path, up to and including its last "/"; empty when the
// text holds no "/".
QString FolderPart(const QString &path);
// The file-name part of a path, after its last "/".
QString FileNamePart(const QString &path);

// The output text with the profile's extension appended, unless the text
// already ends in that extension (letter case aside). So "clip" becomes
// "clip.avi", "clip.AVI" stays, and "clip.mpg" becomes "clip.mpg.avi".
QString WithOutputExtension(const QString &outputText, const QString &outputExtension);

// The output path the rename policy takes instead of an existing file: the
// first of folder + name without extension + "_1", "_2", ... + the profile's
// extension that names nothing yet. It never picks a name that exists, so
// an earlier renamed output is not written over. A name too long for the
// folder loses the end of its stem rather than the number.
QString FirstFreeRenamedPath(const QString &outputPath, const QString &outputExtension);

// The longest file name, in bytes, that folder takes (the working folder
// for an empty text).
int LongestNameIn(const QString &folder);

// The folder to open after a job: the folder part without its trailing "/"
// (the root folder stays "/").
QString OutputFolderToOpen(const QString &outputPath);

// The hidden name in the output's folder that a join writes to; only a
// checked result is moved onto the output path, so a failed or stopped join
// never leaves a broken file there nor destroys an earlier one. The
// extension stays last, as the encoder chooses the container by it. A
// name too long for the folder loses the end of its base; the pattern stays
// whole, so a leftover is always known for one.
QString PartialOutputPath(const QString &outputPath);

// Moves from onto to in one step, replacing a file at to. False when it
// cannot (from is then left as it was).
bool ReplaceFile(const QString &from, const QString &to);
