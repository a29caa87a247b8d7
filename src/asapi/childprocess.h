#pragma once

#include <QProcess>

// The tools this program runs must never outlive it: the caller stops a run
// by killing this process outright, which gives it no chance to pass the
// news on.

// Makes the child die with this process (the kernel sends it SIGKILL).
void TieToThisProcess(QProcess &process);

// SIGINT and SIGTERM are passed on to the running child, which then ends the
// run in its own way; the caller's blocked signals are unblocked first.
void ForwardStopSignals();
// The child that gets them; 0 for none. A signal that came before the child
// started is passed on here.
void SetSignalledChild(qint64 pid);
// The stop signal that arrived, 0 when none did.
int StopSignalReceived();
