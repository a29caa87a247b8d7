#pragma once

#include "cli/clirequest.h"

#include <QString>

#include <vector>

// The options of "brelvane-cli join", one row each: the parser, the help
// page and the checks of the manual page and the shell completion all read
// them from here, so an option is added or renamed in one place.

// Sets what the option asks for on the request; the value is empty for a
// switch. Returns the complaint about a bad value, empty when it is taken.
using CliOptionTarget = QString (*)(CliRequest &request, const QString &value);

struct CliOption {
    const char *name;     // "--profile"
    const char *argument; // "NAME" in the help page; nullptr for a switch
    const char *help;     // untranslated (context "CliUsage"); one line a row of the page
    CliOptionTarget target;

    bool takesValue() const { return argument != nullptr; }
};

const std::vector<CliOption> &JoinOptions();

// The row named name ("--profile", without "=value"); nullptr for none.
const CliOption *FindJoinOption(const QString &name);

// The top-level commands besides join, as the help page lists them.
struct CliCommand {
    const char *name; // "--version"
    CliRequest::Command command;
};

const std::vector<CliCommand> &TopCommands();
