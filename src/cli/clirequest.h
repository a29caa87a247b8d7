#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// What a command line of brelvane-cli asks for.

// How an existing output file is treated; FromPreferences keeps the choice
// saved in the Settings dialog.
enum class OverwriteChoice { FromPreferences, Ask, Overwrite, Rename };

// The order of the task rows once every input is in. Keep leaves the order
// of the command line (each folder's files as "Add Dir" adds them).
enum class RowOrder { Keep, Name, Natural };

struct CliRequest {
    enum Command { Help, Version, ListProfiles, Join };
    Command command = Help;

    std::optional<QString> profile;
    std::optional<QString> output;
    std::optional<QString> tempDir;
    std::optional<int> jobs; // conversions at once
    // The profile's Chapters and Loudness values to use instead of its own
    // initial ones ("each", "none"; "recorded", "ebur128").
    std::optional<QString> chapters;
    std::optional<QString> loudness;
    OverwriteChoice overwrite = OverwriteChoice::FromPreferences;
    RowOrder order = RowOrder::Keep;
    bool quiet = false;
    bool dryRun = false;
    QStringList inputs;
};
