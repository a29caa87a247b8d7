#pragma once

#include <QString>

// The one form in which the program shows and keeps durations:
// hours, minutes and seconds of at least two digits each joined by ":",
// followed by "." and one tenths digit when the tenths are not zero
// (00:01:05, 01:02:03.4, 100:00:00).

// Negative, infinite and NaN values have no time text of their own; they
// are written as 00:00:00 so that a remaining-time estimate that overshoots
// never shows a garbled text. Values beyond 10^15 s (no real duration) are
// written as 10^15 s so the whole seconds always fit in 64 bits.
QString SecondsToTimeText(double seconds);

// The seconds a time text stands for, or -1 for anything that is not one.
// Hours and minutes are one or more ASCII digits; seconds are ASCII digits,
// optionally followed by "." and more digits ("5." is read as 5). Signs,
// blanks and exponents are refused: a time text is never written with them,
// so a text holding them is not a time text.
double TimeTextToSeconds(const QString &text);
