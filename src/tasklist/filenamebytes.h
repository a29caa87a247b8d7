#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// File names as the file system keeps them: bytes. The program reads them as
// text in the system's encoding (UTF-8); a name that is not valid there
// cannot be turned back into the same bytes, so it cannot be opened through
// its text. Such a name is shown escaped, never left out in silence.

// Whether the bytes survive the way to text and back.
bool NameRoundTrips(const QByteArray &name);

// The name for a message: valid text as it is, every other byte and every
// control character as "\xHH".
QString EscapedName(const QByteArray &name);
// The same for a text: its control characters as "\xHH".
QString EscapedName(const QString &name);

// Whether a text holds a control character (a line break, a tab, ...).
bool HoldsControlCharacter(const QString &text);

// The names in folder (files only, subfolders left out) whose bytes do not
// survive the way to text and back, with a video extension, in the order
// the folder lists them.
QList<QByteArray> UnreadableVideoNamesIn(const QString &folder);

// The start of the message that lists such names, one a line after it.
QString UnreadableNamesLead();
