#pragma once

#include <QList>
#include <QPair>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

// How one run of brelvane-cli ended and what it printed.
struct CliRun {
    bool exitedNormally = false;
    int exitCode = -1;
    QString out;
    QString err;
};

using EnvironmentList = QList<QPair<QString, QString>>;

// A program directory of its own in a temporary folder: a copy of the built
// brelvane-cli (the program finds its directory from its real path, so a
// link would lead it back to the build), the shipped profiles, an
// asapi.dll linked to the fake encoder or the real one, and room for
// inputs, outputs and the temporaries beside it.
class CliTestDir {
public:
    enum Encoder { Fake, Real, Missing };
    explicit CliTestDir(Encoder encoder = Fake);

    bool isValid() const { return m_valid; }
    QString programDir() const { return m_root.path() + QStringLiteral("/program/"); }
    QString workPath(const QString &name) const;
    // The folder the tests give as --temp-dir, with a trailing "/".
    QString tempDir() const { return m_root.path() + QStringLiteral("/temp/"); }
    // Every file left in the temp folder.
    QStringList leftInTempDir() const;

    void writePreferences(const QString &mainSection) const;

    // Starts brelvane-cli with the arguments in the work folder;
    // FAKE_ENCODER_LOG is set for the fake encoder, and the environment
    // entries come on top. Standard input is read from the file given.
    std::unique_ptr<QProcess> start(const QStringList &args, const EnvironmentList &env = {},
                                    const QString &standardInput = QProcess::nullDevice()) const;
    // Runs it to its end, standard input empty and no terminal.
    CliRun run(const QStringList &args, const EnvironmentList &env = {}) const;
    static CliRun finish(QProcess &process);

    // The encoder runs so far, each as its argument list.
    QList<QStringList> encoderRuns() const;

private:
    QTemporaryDir m_root;
    bool m_valid = false;
};

// Whether a process with the text in its command line is still alive: a
// killed encoder must not linger.
bool ProcessAliveWith(const QString &commandLineText);

// Short real clips at the paths: the first made by ffmpeg, the others
// copies of it (a copy is probed like the original, and is a file of its own).
bool MakeShortClips(const QStringList &paths);
