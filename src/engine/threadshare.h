#pragma once

#include <QList>

// How many threads each conversion of a job gets.
//
// Conversions side by side use the cores better than threads inside one
// conversion: the encoder's own threads cost more processor time for the
// same work (a second of CPU per minute of 720p video here). So a
// conversion that runs beside others gets its share of the cores, and only
// one that will run alone for a good part of its time gets more.
//
// The job starts the conversions in row order, each as soon as fewer than
// conversionsAtOnce run; how long each takes is guessed from its play time
// (an unknown one as a second). A conversion shares the cores with every
// other that runs beside it for more than a quarter of its own length.
QList<int> ConversionThreads(const QList<double> &seconds, int conversionsAtOnce, int cores);
