#include "preferences.h"

#include "inifile.h"
#include "platform/filepaths.h"
#include "profiles.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

const QString MainSection = QStringLiteral("Main");
const QString DefaultSection = QStringLiteral("Default");
const QString OutputFileKey = QStringLiteral("Output File");
const QString TempDirKey = QStringLiteral("Temp Dir");
const QString AutoOpenDirKey = QStringLiteral("Auto Open Dir");
const QString AutoExitKey = QStringLiteral("Auto Exit");
const QString AutoTurnOffKey = QStringLiteral("Auto Turn Off");
const QString AskKey = QStringLiteral("Ask");
const QString OverwriteKey = QStringLiteral("Overwrite");
const QString RenameKey = QStringLiteral("Rename");
const QString ConversionsKey = QStringLiteral("Conversions At Once");
const QString ProfileKey = QStringLiteral("Profile");
const QString ProfileNameKey = QStringLiteral("Profile Name");
const QString VersionKey = QStringLiteral("Version");

} // namespace

namespace {

bool programDirWritable(const QString &programDir)
{
    const QFileInfo dir(programDir);
    return dir.isDir() && dir.isWritable();
}

// A folder of the user's own under a standard location, with a trailing "/".
QString userFolder(QStandardPaths::StandardLocation location, const QString &below)
{
    const QString folder =
        QStandardPaths::writableLocation(location) + QStringLiteral("/Brelvane/") + below;
    QDir().mkpath(folder);
    return AddTrailingSeparator(folder);
}

// A number of conversions the job can use; anything else (a hand edit, a
// file from a machine with more cores than the field takes) gives one per
// core here.
int readConversionsAtOnce(const IniFile &ini, const QString &section)
{
    const int value = ini.readInt(section, ConversionsKey, 0);
    return value >= 1 && value <= MaxConversionsAtOnce ? value : DefaultConversionsAtOnce();
}

} // namespace

QString PreferencesPath(const QString &programDir)
{
    if (programDirWritable(programDir))
        return programDir + QStringLiteral("Preferences.ini");
    return userFolder(QStandardPaths::GenericConfigLocation, QString()) +
           QStringLiteral("Preferences.ini");
}

QString DefaultTempDir(const QString &programDir)
{
    if (programDirWritable(programDir))
        return programDir + QStringLiteral("temp/");
    return userFolder(QStandardPaths::GenericCacheLocation, QStringLiteral("temp"));
}

Preferences LoadPreferences(const QString &programDir)
{
    const IniFile ini(PreferencesPath(programDir));
    Preferences prefs;
    prefs.outputFile = ini.readString(MainSection, OutputFileKey);
    prefs.tempDir = ini.readString(MainSection, TempDirKey, DefaultTempDir(programDir));
    prefs.autoOpenDir = ini.readBool(MainSection, AutoOpenDirKey, true);
    prefs.autoExit = ini.readBool(MainSection, AutoExitKey, false);
    prefs.autoTurnOff = ini.readBool(MainSection, AutoTurnOffKey, false);
    prefs.ask = ini.readBool(MainSection, AskKey, true);
    prefs.overwrite = ini.readBool(MainSection, OverwriteKey, false);
    prefs.rename = ini.readBool(MainSection, RenameKey, false);
    prefs.conversionsAtOnce = readConversionsAtOnce(ini, MainSection);
    return prefs;
}

Preferences LoadDefaultPreferences(const QString &programDir)
{
    const IniFile ini(PreferencesPath(programDir));
    Preferences prefs;
    prefs.outputFile = ini.readString(DefaultSection, OutputFileKey);
    prefs.autoOpenDir = ini.readBool(DefaultSection, AutoOpenDirKey, false);
    prefs.autoExit = ini.readBool(DefaultSection, AutoExitKey, false);
    prefs.autoTurnOff = ini.readBool(DefaultSection, AutoTurnOffKey, false);
    prefs.ask = ini.readBool(DefaultSection, AskKey, true);
    prefs.overwrite = ini.readBool(DefaultSection, OverwriteKey, false);
    prefs.rename = ini.readBool(DefaultSection, RenameKey, false);
    prefs.conversionsAtOnce = readConversionsAtOnce(ini, DefaultSection);
    return prefs;
}

void SavePreferences(const QString &programDir, const Preferences &prefs)
{
    const IniFile ini(PreferencesPath(programDir));
    ini.writeString(MainSection, OutputFileKey, prefs.outputFile);
    ini.writeString(MainSection, TempDirKey, prefs.tempDir);
    ini.writeBool(MainSection, AutoOpenDirKey, prefs.autoOpenDir);
    ini.writeBool(MainSection, AutoExitKey, prefs.autoExit);
    ini.writeBool(MainSection, AutoTurnOffKey, prefs.autoTurnOff);
    ini.writeBool(MainSection, AskKey, prefs.ask);
    ini.writeBool(MainSection, OverwriteKey, prefs.overwrite);
    ini.writeBool(MainSection, RenameKey, prefs.rename);
    ini.writeInt(MainSection, ConversionsKey, prefs.conversionsAtOnce);
}

QString ReadVersionText(const QString &programDir)
{
    return IniFile(PreferencesPath(programDir))
        .readString(MainSection, VersionKey, QStringLiteral("1.5"));
}

int ReadProfilePosition(const QString &programDir)
{
    return IniFile(PreferencesPath(programDir)).readInt(MainSection, ProfileKey, 0);
}

QString ReadRememberedOutputFile(const QString &programDir)
{
    return IniFile(PreferencesPath(programDir)).readString(MainSection, OutputFileKey);
}

// The profile a first run selects: the first that chooses for the inputs,
// otherwise the first of the list.
static int FirstRunProfilePosition(const QString &programDir, const QStringList &catalogue)
{
    for (int position = 0; position < catalogue.size(); ++position) {
        if (ProfileChoosesForInputs(ProfilePath(programDir, catalogue.at(position))))
            return position;
    }
    return catalogue.isEmpty() ? -1 : 0;
}

int RememberedProfilePosition(const QString &programDir, const QStringList &catalogue)
{
    const IniFile ini(PreferencesPath(programDir));
    const QString name = ini.readString(MainSection, ProfileNameKey);
    if (!name.isEmpty() && catalogue.contains(name))
        return int(catalogue.indexOf(name));
    // Neither key there (no value holds a line break): nothing was ever
    // saved.
    const QString absent = QStringLiteral("\n");
    if (name.isEmpty() && ini.readString(MainSection, ProfileKey, absent) == absent &&
        ini.readString(MainSection, ProfileNameKey, absent) == absent)
        return FirstRunProfilePosition(programDir, catalogue);
    const int position = ini.readInt(MainSection, ProfileKey, 0);
    return position >= 0 && position < catalogue.size() ? position : -1;
}

void SaveMainState(const QString &programDir, int profilePosition, const QString &outputFile,
                   const QString &profileName)
{
    const IniFile ini(PreferencesPath(programDir));
    ini.writeInt(MainSection, ProfileKey, profilePosition);
    ini.writeString(MainSection, ProfileNameKey, profileName);
    ini.writeString(MainSection, OutputFileKey, outputFile);
}
