#include "settings/inifile.h"
#include "settings/preferences.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class TestPreferences : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        QVERIFY(m_dir.isValid());
        m_programDir = m_dir.path() + '/';
        QFile::remove(PreferencesPath(m_programDir));
    }

    void withoutAFileEveryValueIsItsDefault()
    {
        const Preferences prefs = LoadPreferences(m_programDir);
        QCOMPARE(prefs.outputFile, QString());
        QCOMPARE(prefs.tempDir, m_programDir + "temp/");
        QVERIFY(prefs.autoOpenDir);
        QVERIFY(!prefs.autoExit);
        QVERIFY(!prefs.autoTurnOff);
        QVERIFY(prefs.ask);
        QVERIFY(!prefs.overwrite);
        QVERIFY(!prefs.rename);
        QCOMPARE(ReadVersionText(m_programDir), QString("1.5"));
        QCOMPARE(ReadProfilePosition(m_programDir), 0);
        QCOMPARE(ReadRememberedOutputFile(m_programDir), QString());
        QVERIFY(!QFile::exists(PreferencesPath(m_programDir)));
    }

    void firstSaveWritesTheNineKeysOfMainInOrder()
    {
        Preferences prefs;
        prefs.outputFile = "/home/u/joined.avi";
        prefs.tempDir = "/var/tmp/j";
        prefs.autoOpenDir = false;
        prefs.autoTurnOff = true;
        prefs.ask = false;
        prefs.rename = true;
        prefs.conversionsAtOnce = 3;
        SavePreferences(m_programDir, prefs);
        QFile file(PreferencesPath(m_programDir));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("[Main]\n"
                                            "Output File=/home/u/joined.avi\n"
                                            "Temp Dir=/var/tmp/j\n"
                                            "Auto Open Dir=0\n"
                                            "Auto Exit=0\n"
                                            "Auto Turn Off=1\n"
                                            "Ask=0\n"
                                            "Overwrite=0\n"
                                            "Rename=1\n"
                                            "Conversions At Once=3\n"));
        const Preferences back = LoadPreferences(m_programDir);
        QCOMPARE(back.tempDir, QString("/var/tmp/j")); // shown as stored, no separator added
        QVERIFY(!back.autoOpenDir && back.autoTurnOff && !back.ask && back.rename);
        QCOMPARE(back.conversionsAtOnce, 3);
    }

    // Read by the INI layer's number rules; what the field cannot show gives
    // one conversion per core, in both sections.
    void conversionsAtOnceOutsideTheFieldGiveOnePerCore()
    {
        const int cores = DefaultConversionsAtOnce();
        const QList<QPair<QString, int>> cases{{"12", 12},    {"0x10", 16},  {"64", 64},
                                               {"", cores},   {"0", cores},  {"65", cores},
                                               {"-2", cores}, {"two", cores}};
        IniFile ini(PreferencesPath(m_programDir));
        for (const auto &[text, expected] : cases) {
            ini.writeString("Main", "Conversions At Once", text);
            ini.writeString("Default", "Conversions At Once", text);
            QCOMPARE(LoadPreferences(m_programDir).conversionsAtOnce, expected);
            QCOMPARE(LoadDefaultPreferences(m_programDir).conversionsAtOnce, expected);
        }
        QCOMPARE(Preferences().conversionsAtOnce, cores);
    }

    void defaultSectionHasItsOwnDefaultsAndNoTempDir()
    {
        IniFile ini(PreferencesPath(m_programDir));
        ini.writeString("Main", "Output File", "/main.avi");
        ini.writeBool("Main", "Overwrite", true);
        ini.writeString("Default", "Output File", "/factory.avi");
        ini.writeString("Default", "Temp Dir", "/ignored/");
        const Preferences prefs = LoadDefaultPreferences(m_programDir);
        QCOMPARE(prefs.outputFile, QString("/factory.avi"));
        QCOMPARE(prefs.tempDir, QString());
        QVERIFY(!prefs.autoOpenDir); // 0 here, 1 in "Main"
        QVERIFY(prefs.ask);
        QVERIFY(!prefs.overwrite);
    }

    void mainStateKeepsTheRestOfTheFile()
    {
        IniFile ini(PreferencesPath(m_programDir));
        ini.writeString("Main", "Version", "2.0");
        ini.writeBool("Main", "Ask", false);
        SaveMainState(m_programDir, -1, "/out/x.mpg");
        QCOMPARE(ReadProfilePosition(m_programDir), -1);
        QCOMPARE(ReadRememberedOutputFile(m_programDir), QString("/out/x.mpg"));
        QCOMPARE(ReadVersionText(m_programDir), QString("2.0"));
        QVERIFY(!LoadPreferences(m_programDir).ask);
    }

    // The profile is remembered by name, so profiles added since keep the
    // user's choice; an older file has only the position, and a name no
    // longer listed falls back to it. The position is still written.
    void rememberedProfileByNameThenPosition()
    {
        const QStringList before{"AVI", "MP4", "WMV"};
        const QStringList after{"AVI", "MKV", "MP4", "WMV"};
        QFile file(PreferencesPath(m_programDir));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[Main]\nProfile=1\nOutput File=/old.avi\n");
        file.close();
        QCOMPARE(RememberedProfilePosition(m_programDir, before), 1);
        QCOMPARE(RememberedProfilePosition(m_programDir, {"AVI"}), -1);

        SaveMainState(m_programDir, 1, "/old.avi", "MP4");
        QCOMPARE(ReadProfilePosition(m_programDir), 1);
        QCOMPARE(RememberedProfilePosition(m_programDir, after), 2);
        QCOMPARE(RememberedProfilePosition(m_programDir, {"AVI", "WMV"}), 1);
        SaveMainState(m_programDir, -1, "/old.avi");
        QCOMPARE(RememberedProfilePosition(m_programDir, after), -1);
    }

    // A file written by an older single-byte program: its own lines stay byte
    // for byte, and a later value with letters Latin-1 lacks is kept whole,
    // also through the writes that follow it into the now mixed file.
    void latin1FileKeepsItsLinesAndTakesAnyLetters()
    {
        const QString path = PreferencesPath(m_programDir);
        const QByteArray comment = "; R\xe9glages de Ren\xe9"
                                   "e\n";
        const QByteArray tempLine = "Temp Dir=/home/ren\xe9"
                                    "e/tmp/\n";
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(comment + "[Main]\n" + tempLine + "Output File=/old.avi\n");
        file.close();

        const QString cyrillic = QString::fromUtf8("/home/\xd0\xb0\xd0\xbd\xd1\x8f/\xd0\xb2.avi");
        SaveMainState(m_programDir, 2, cyrillic);
        SaveMainState(m_programDir, 3, ReadRememberedOutputFile(m_programDir));

        QCOMPARE(ReadRememberedOutputFile(m_programDir), cyrillic);
        QCOMPARE(LoadPreferences(m_programDir).tempDir, QString::fromUtf8("/home/ren\xc3\xa9"
                                                                          "e/tmp/"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QVERIFY(bytes.startsWith(comment + "[Main]\n" + tempLine));
        QVERIFY(bytes.contains("Output File=" + cyrillic.toUtf8() + "\n"));
        QVERIFY(bytes.contains("Profile=3\n"));
    }

    void saveThatCannotWriteReportsThePath()
    {
        // A folder where the file should be cannot be written, even by root.
        QVERIFY(QDir().mkdir(m_programDir + "Preferences.ini"));
        try {
            SavePreferences(m_programDir, Preferences());
            QFAIL("the save did not fail");
        } catch (const IniWriteError &e) {
            QCOMPARE(QString::fromUtf8(e.what()),
                     "Unable to write to " + m_programDir + "Preferences.ini");
        }
    }

    void programDirThatCannotBeWrittenUsesTheUsersFolders()
    {
        QTemporaryDir home;
        qputenv("XDG_CONFIG_HOME", home.filePath("config").toUtf8());
        qputenv("XDG_CACHE_HOME", home.filePath("cache").toUtf8());
        const QString installed = m_programDir + "not-there/";
        QCOMPARE(PreferencesPath(installed), home.filePath("config/Brelvane/Preferences.ini"));
        QCOMPARE(DefaultTempDir(installed), home.filePath("cache/Brelvane/temp/"));
        QCOMPARE(LoadPreferences(installed).tempDir, home.filePath("cache/Brelvane/temp/"));
        Preferences saved;
        saved.outputFile = "/videos/out.avi";
        SavePreferences(installed, saved);
        QCOMPARE(LoadPreferences(installed).outputFile, QString("/videos/out.avi"));
        // A writable program directory keeps its own files.
        QCOMPARE(PreferencesPath(m_programDir), m_programDir + "Preferences.ini");
        qunsetenv("XDG_CONFIG_HOME");
        qunsetenv("XDG_CACHE_HOME");
    }

private:
    QTemporaryDir m_dir;
    QString m_programDir;
};

QTEST_GUILESS_MAIN(TestPreferences)
#include "test_preferences.moc"
