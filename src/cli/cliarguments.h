#pragma once

#include "cli/clirequest.h"

#include <QString>
#include <QStringList>

// The command line of brelvane-cli, parsed into what was asked for.

struct CliParse {
    CliRequest request;
    QString error; // empty when the command line is sound
    bool ok() const { return error.isEmpty(); }
};

// args without the program's own name.
CliParse ParseCliArguments(const QStringList &args);

// The text of --help.
QString UsageText();
