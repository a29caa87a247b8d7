#pragma once

#include "mediafacts.h"
#include "toolresult.h"

#include <QList>
#include <QString>
#include <QStringList>

// Reading the inputs' facts with the media library, in this process.

// Reads one input, and with soundEnd where its copied sound ends; an input
// without a picture is an error.
ToolResult ProbeInput(const QString &path, bool soundEnd, InputFacts &facts);

// Reads every input into facts (in input order), several at once, one per
// core. The error is the first input's, in input order, that failed.
ToolResult ProbeInputs(const QStringList &paths, bool soundEnds, QList<InputFacts> &facts);
