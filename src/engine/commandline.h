#pragma once

#include <QString>
#include <QStringList>

// The encoder's command lines. They are built as one text, piece by piece,
// because that text is what the encoder is documented to receive; the run
// splits it into arguments again and never hands it to a shell.

// A path between double quotes. Nothing inside is escaped.
QString QuoteArgument(const QString &path);

// A path that survives quoting: it holds no double quote, which would end
// the quoted run early and let the rest of the path become arguments.
bool IsQuotable(const QString &path);

// ` "<input>" -o "<temp>" -oac mp3lame -ovc lavc -ofps 30 -vf scale=<frameSize>`
QString ConvertCommandLine(const QString &inputPath, const QString &tempPath,
                           const QString &frameSize);

// Each temporary as ` "<path>"`, then " -o ", the output argument (already
// quoted by the caller), " " and the profile's option string, which begins
// with " -ovc " itself.
QString JoinCommandLine(const QStringList &tempPaths, const QString &outputArgument,
                        const QString &options);

// Splits a command line into arguments. Blanks and tabs outside double
// quotes separate arguments, several in a row as one; a double quote
// toggles the quoted run and is dropped, so `"a b"` is one argument and
// `""` an empty one. An unterminated quote runs to the end of the text.
QStringList SplitCommandLine(const QString &text);
