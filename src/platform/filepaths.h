#pragma once

#include <QString>

// How the program spells paths: "/" between folders, and a folder it keeps
// as text ends with "/".

// The folder with a "/" appended unless it already ends with one. An empty
// text stays empty: it names no folder, and turning it into "/" would make
// it name the root folder, so a caller that falls back on another folder
// when a box was left empty can still see that it was empty.
QString AddTrailingSeparator(const QString &folder);

// The extension of the file-name part, from its last "." on; empty when the
// name has none. A point in a folder name of a path is not an extension.
QString ExtensionOf(const QString &path);

// The path up to, not including, the last "." of its file-name part; a name
// without "." comes back whole.
QString StripExtension(const QString &path);
