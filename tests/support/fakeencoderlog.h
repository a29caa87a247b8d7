#pragma once

#include <QList>
#include <QStringList>

// The runs the fake encoder logged (FAKE_ENCODER_LOG), one argument list per
// run, oldest first; empty when nothing was logged.
QList<QStringList> ReadFakeEncoderLog(const QString &logPath);
