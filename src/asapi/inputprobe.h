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

// How far the input's picture and sound can be read: every packet of the
// two is read (not decoded), as a conversion would take them.
StreamEnds ReadStreamEnds(const QString &path, const InputFacts &facts);

// Why inputs cannot be copied into one stream: a copied picture or sound is
// decoded as the first input's codec from end to end. Empty when they can.
QString CopyMismatch(const QStringList &paths, const QList<InputFacts> &facts, bool picture,
                     bool sound);
