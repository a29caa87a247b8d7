#pragma once

// What the benchmarks share: running programs to their end, making clips,
// turning the program's command lines into a serial shell script, CPU
// times, medians, the machine's load and a window side's quiet messages.

#include "platform/messages.h"

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

// "--name value" pairs after the program name.
QMap<QString, QString> BenchOptions(const QStringList &arguments);

// Runs a program to its end (a benchmark may wait); its exit code, -1 when
// it did not end normally. Its output is kept only when asked for.
int RunProcess(const QString &program, const QStringList &arguments, QByteArray *output = nullptr);

// A clip of ffmpeg's test picture and a tone, `seconds` long, in the codecs
// its extension suggests: .mpg MPEG-2/MP2, .avi MPEG-4/MP3, .mp4 H.264/AAC
// when `h264`, else MPEG-4/AAC.
bool MakeClip(const QString &path, int width, int height, int fps, double seconds,
              bool h264 = false);

// The four clips the job benchmarks use, in `folder`, made only when missing
// (so a folder kept from an earlier run is reused): 15 s 1280x720 H.264/AAC
// by default, as a camera or a phone writes them.
QStringList MakeJobClips(const QString &folder, double seconds);

QString ShellQuoted(const QString &argument);

// A script that runs the encoder command lines one after another, as
// "--dry-run" prints them or a plan describes them ("<encoder> <arguments>"),
// each with its output to /dev/null, stopping at the first failure. A job
// keeps its temporaries in a folder of its own that exists only while it
// runs: `jobFolder` (that path as the lines name it) is replaced by
// `scriptFolder`, which the script makes first and removes at the end. The
// last line, the join, writes `joinOutput`.
QString SerialScript(QStringList lines, const QString &jobFolder, const QString &scriptFolder,
                     const QString &joinOutput);

// The job folder the lines name: the folder of the first run's "-o" target.
QString JobFolderOf(const QStringList &lines);

bool WriteFile(const QString &path, const QByteArray &bytes);

// CPU seconds (user + system) of this process (RUSAGE_SELF) or of its ended
// children and theirs (RUSAGE_CHILDREN).
double CpuSeconds(int who);

double Median(QList<double> values);

// The load averages over 1, 5 and 15 minutes, as uptime shows them.
QString MachineLoad();

// One run of a program as the system counts it: wall time, CPU time (user
// and system, with the children it waited for) and its peak resident
// memory. Its standard output is discarded.
struct MeasuredRun {
    int exitCode = -1; // -1 when it could not start or did not end normally
    double wall = 0;
    double cpu = 0;
    double peakMb = 0;
};
MeasuredRun RunMeasured(const QString &program, const QStringList &arguments);

// Wall and CPU time of a program's runs, with its children.
struct TimedSide {
    explicit TimedSide(const QString &sideName)
        : name(sideName)
    {
    }
    QString name;
    QList<double> wall;
    QList<double> cpu;
    // Runs it once; false when it failed.
    bool run(const QString &program, const QStringList &arguments);
};

// Messages for a bench's window side: they go to stderr, and every question
// is answered Yes (a bench adds no file twice).
class SilentMessages : public Messages {
public:
    void inform(const QString &title, const QString &text) override;
    bool ask(const QString &, const QString &) override { return true; }
    void plain(const QString &, const QString &) override {}
};
