#pragma once

#include <QList>
#include <QMetaType>
#include <QString>

// Something the user should know of that did not stop the job: an input the
// encoder could read only in part.
struct JobWarning {
    QString title;
    QString text;
};

// How a job ended, as plain data for whichever front end started it. The
// engine says what happened; the front end decides how to tell it (message
// boxes and after-completion actions in the window, lines and an exit code
// on the command line).
//
// A result nobody filled in reads as refused: only a job that wrote, checked
// and placed its output says Succeeded.
struct JobResult {
    enum Kind { Refused, Cancelled, EncoderFailed, Succeeded };
    // Where the job was when it ended.
    enum Stage { AtStart, Converting, Joining };

    Kind kind = Refused;
    Stage stage = AtStart;
    // What went wrong, in the words the user is shown: a title and a text.
    // Empty for a refusal the user chose (No to overwriting the output).
    QString title;
    QString message;
    // The file the message is about, when there is one.
    QString file;
    // Refused because of the output file's text: the focus belongs there.
    bool focusOutputFile = false;
    // The encoder could not be started at all: the program is incomplete.
    bool encoderMissing = false;
    // A file appeared at the output path while the job ran and was kept;
    // the result went to outputPath instead. nobodyAsked: it was kept
    // because the front end could not ask about it.
    bool appearedFileKept = false;
    bool nobodyAsked = false;
    QList<JobWarning> warnings;
    // The file the job wrote: the output path, or the free name it took.
    QString outputPath;

    bool succeeded() const { return kind == Succeeded; }
};

Q_DECLARE_METATYPE(JobResult)
Q_DECLARE_METATYPE(JobWarning)
