#pragma once

#include <QString>
#include <QThread>

// One conversion per core: the encoder keeps about one core busy.
inline int DefaultConversionsAtOnce()
{
    return qMax(1, QThread::idealThreadCount());
}

// The values of "Preferences.ini" in the program directory. Section "Main"
// holds the current values; section "Default" the factory values, which are
// only ever read.
struct Preferences {
    QString outputFile;
    QString tempDir;
    bool autoOpenDir = true;
    bool autoExit = false;
    bool autoTurnOff = false;
    bool ask = true;
    bool overwrite = false;
    bool rename = false;
    // Within 1..MaxConversionsAtOnce.
    int conversionsAtOnce = DefaultConversionsAtOnce();
};

// More encoders at once than this only fight over memory and disk.
constexpr int MaxConversionsAtOnce = 64;

// programDir always ends with "/".
//
// Preferences.ini and the temporary folder live in the program directory.
// A program directory the user cannot write to (a copy installed for the
// whole system) would make every save fail and every job stop for want of a
// temporary folder, so they then live in the user's own folders instead:
// Brelvane/Preferences.ini under the configuration folder ($XDG_CONFIG_HOME,
// ~/.config) and Brelvane/temp/ under the cache folder (~/.cache).
QString PreferencesPath(const QString &programDir);
// The temporary folder when none is stored: "temp/" in the program directory.
QString DefaultTempDir(const QString &programDir);

// Section "Main"; every absent key gives its default.
Preferences LoadPreferences(const QString &programDir);
// Section "Default". It has no temporary folder, so tempDir comes back empty:
// whoever loads the factory values keeps the temporary folder it has.
Preferences LoadDefaultPreferences(const QString &programDir);
// Writes the nine keys of "Main" one after the other; throws IniWriteError
// at the first that fails, and the later keys are not written.
void SavePreferences(const QString &programDir, const Preferences &prefs);

// "Main"/"Version", "1.5" when absent.
QString ReadVersionText(const QString &programDir);
// "Main"/"Profile", 0 when absent; may lie outside the profile list.
int ReadProfilePosition(const QString &programDir);
// The position in catalogue of the profile last chosen: the entry that
// "Main"/"Profile Name" names when it is present and still listed (adding
// profiles moves positions, not names), otherwise "Main"/"Profile" as
// ReadProfilePosition gives it; -1 when that lies outside the catalogue.
// When neither key is there (a first run), the first profile that chooses
// for the inputs (ProfileChoosesForInputs), or else the first entry.
int RememberedProfilePosition(const QString &programDir, const QStringList &catalogue);
// "Main"/"Output File", empty when absent.
QString ReadRememberedOutputFile(const QString &programDir);
// Writes "Main"/"Profile" (-1 when no profile is selected), then
// "Main"/"Profile Name" (the entry's text, empty when none is selected), then
// "Main"/"Output File"; throws IniWriteError. The position stays for a
// program that reads only that.
void SaveMainState(const QString &programDir, int profilePosition, const QString &outputFile,
                   const QString &profileName = QString());
