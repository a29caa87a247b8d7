#pragma once

#include <QString>
#include <QStringList>

// The extensions of input files the program adds from folders, drops and
// the command line (".flv" is not among them).
QStringList InputExtensions();
// "*" + extension + ";" for each input extension, the final ";" kept.
QString InputMask();
// The patterns of InputMask one by one ("*.avi", "*.mpg", ...).
QStringList InputPatterns();

// The extension of the file-name part, from its last "." on (empty when the
// name has none), with only its letters A to Z made lower case.
QString LowerCasedExtension(const QString &path);
// Whether LowerCasedExtension(path) is one of InputExtensions.
bool IsSupportedExt(const QString &path);

// The open dialog's filter for input files, in "Caption|patterns|..." form.
QString OpenDialogFilterText();

// The types offered for the output file, in the order of the save dialog.
QStringList OutputFileTypes();
// The save dialog's filter for the output file, in "Caption|patterns|..." form.
QString SaveDialogFilterText();

// Turns a filter in "Caption|pat;pat|Caption|pat" form into one chooser
// filter per caption, "Caption (pat pat)". The chooser reads the patterns
// from the last parenthesised group, space-separated, so a caption that
// already ends in exactly that group is kept alone; otherwise the group is
// appended after the caption, which stays as it was. "*.*" stands for every
// file, named or not, and becomes "*".
QStringList FilterTextToChooserFilters(const QString &windowsFilter);

// The name up to, not including, its last "."; a name without "." comes back
// whole. Only a point in the file-name part counts: a point in a folder name
// of a path is not an extension.
QString StripExtension(const QString &fileName);

// The folder with a "/" appended unless it already ends with one. An empty
// text stays empty: it names no folder, and turning it into "/" would make
// it name the root folder, so a caller that falls back on another folder
// when a box was left empty can still see that it was empty.
QString AddTrailingSeparator(const QString &folder);
