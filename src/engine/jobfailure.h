#pragma once

#include "engine/encoderrun.h"

#include <QString>
#include <QStringList>

// The message that tells the user why the encoder failed: what it was doing,
// how it ended, and the last lines it printed.
QString RunFailureText(const QString &what, const RunOutcome &outcome, const QString &outputPath,
                       const QStringList &lastLines);
