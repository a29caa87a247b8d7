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
