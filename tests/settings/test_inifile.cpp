#include "settings/inifile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QByteArray readBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// Permissions do not stop a privileged user; such runs cannot see the
// refusal the tests are about.
bool permissionsHold(const QString &readOnlyPath)
{
    QFile probe(readOnlyPath);
    const bool writable = probe.open(QIODevice::Append);
    return !writable;
}

} // namespace

class TestIniFile : public QObject {
    Q_OBJECT

private slots:
    void init() { QVERIFY(m_dir.isValid()); }

    void readsWithoutAFileGiveTheDefaults()
    {
        const IniFile ini(m_dir.filePath("none.ini"));
        QCOMPARE(ini.readString("Main", "Version", "1.5"), QString("1.5"));
        QCOMPARE(ini.readInt("Main", "Profile", 7), 7);
        QCOMPARE(ini.readBool("Main", "Ask", true), true);
        QVERIFY(!QFile::exists(ini.path()));
    }

    void firstWriteCreatesFileSectionAndKey()
    {
        const IniFile ini(m_dir.filePath("new.ini"));
        ini.writeBool("Main", "Ask", true);
        ini.writeString("Main", "Output File", "/videos/out.avi");
        QCOMPARE(readBytes(ini.path()), QByteArray("[Main]\nAsk=1\nOutput File=/videos/out.avi\n"));
    }

    void namesMatchWithoutCaseAndBlanks()
    {
        const QString path = m_dir.filePath("case.ini");
        writeBytes(path, "[ main ]\n  OUTPUT file =  /a b/c.avi  \n[DEFAULT]\nask=0\n");
        const IniFile ini(path);
        QCOMPARE(ini.readString("Main", "Output File"), QString("/a b/c.avi"));
        QCOMPARE(ini.readBool("Default", "Ask", true), false);
        QCOMPARE(ini.readBool("Main", "Ask", true), true); // keys belong to their section
    }

    void quotedValuesLoseTheirQuotes()
    {
        const QString path = m_dir.filePath("quotes.ini");
        writeBytes(path, "[Main]\nA=\"x y\"\nB='z'\nC=\"half\n");
        const IniFile ini(path);
        QCOMPARE(ini.readString("Main", "A"), QString("x y"));
        QCOMPARE(ini.readString("Main", "B"), QString("z"));
        QCOMPARE(ini.readString("Main", "C"), QString("\"half"));
    }

    void longTextIsCutTo2047Characters()
    {
        const QString path = m_dir.filePath("long.ini");
        const QByteArray value(3000, 'v');
        writeBytes(path, "[Main]\nOutput File=" + value + "\n");
        QCOMPARE(IniFile(path).readString("Main", "Output File").size(), 2047);
    }

    void wholeNumbers_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("expected");
        QTest::newRow("decimal") << "42" << 42;
        QTest::newRow("negative") << "-1" << -1;
        QTest::newRow("hex") << "0x1" << 1;
        QTest::newRow("upper hex") << "0X1F" << 31;
        QTest::newRow("all ones") << "0xFFFFFFFF" << -1;
        QTest::newRow("prefix only") << "0x" << 99;
        QTest::newRow("bad hex") << "0xZZ" << 99;
        QTest::newRow("word") << "yes" << 99;
        QTest::newRow("trailing letters") << "12abc" << 99;
        QTest::newRow("beyond 32 bits") << "2147483648" << 99;
    }

    void wholeNumbers()
    {
        QFETCH(QString, text);
        QFETCH(int, expected);
        QCOMPARE(IniTextToInt(text, 99), expected);
    }

    void booleansReadAsWholeNumbers()
    {
        const QString path = m_dir.filePath("bool.ini");
        writeBytes(path, "[Main]\nAuto Exit=yes\nRename=0x1\nAsk=0\nOverwrite=-3\n");
        const IniFile ini(path);
        QCOMPARE(ini.readBool("Main", "Auto Exit", false), false);
        QCOMPARE(ini.readBool("Main", "Rename", false), true);
        QCOMPARE(ini.readBool("Main", "Ask", true), false);
        QCOMPARE(ini.readBool("Main", "Overwrite", false), true);
    }

    void writesKeepEveryOtherLine()
    {
        const QString path = m_dir.filePath("keep.ini");
        writeBytes(path, "; written by hand\n"
                         "[Main]\n"
                         "Version=1.5\n"
                         "ask = 1\n"
                         "# mine\n"
                         "Unknown=kept\n"
                         "\n"
                         "[Other]\n"
                         "x=1\n");
        const IniFile ini(path);
        ini.writeBool("MAIN", "Ask", false);
        ini.writeString("Main", "Temp Dir", "/tmp/j/");
        ini.writeInt("Extra", "Profile", -1);
        QCOMPARE(readBytes(path), QByteArray("; written by hand\n"
                                             "[Main]\n"
                                             "Version=1.5\n"
                                             "ask = 0\n"
                                             "# mine\n"
                                             "Unknown=kept\n"
                                             "Temp Dir=/tmp/j/\n"
                                             "\n"
                                             "[Other]\n"
                                             "x=1\n"
                                             "\n"
                                             "[Extra]\n"
                                             "Profile=-1\n"));
    }

    void writesKeepWindowsLineEndsAndForeignBytes()
    {
        const QString path = m_dir.filePath("crlf.ini");
        // "\xE9" alone is no UTF-8: the line must come back byte for byte.
        writeBytes(path, "[Main]\r\nName=caf\xE9\r\nAsk=1\r\n");
        IniFile(path).writeBool("Main", "Ask", false);
        IniFile(path).writeString("Main", "Rename", "1");
        QCOMPARE(readBytes(path), QByteArray("[Main]\r\nName=caf\xE9\r\nAsk=0\r\nRename=1\r\n"));
    }

    void writeKeepsTheFilesPermissions()
    {
        const QString path = m_dir.filePath("private.ini");
        writeBytes(path, "[Main]\nAsk=1\n");
        const auto privateOnly =
            QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser;
        QVERIFY(QFile::setPermissions(path, privateOnly));
        IniFile(path).writeBool("Main", "Ask", false);
        QCOMPARE(QFile::permissions(path), privateOnly);
    }

    void valueCannotBreakIntoNewLines()
    {
        const QString path = m_dir.filePath("lines.ini");
        IniFile(path).writeString("Main", "Output File", "/a\n[Main]\nAsk=0");
        QCOMPARE(IniFile(path).readBool("Main", "Ask", true), true);
        QCOMPARE(IniFile(path).readString("Main", "Output File"), QString("/a [Main] Ask=0"));
    }

    void failedWriteNamesThePathAndKeepsTheFile_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("missing folder") << "missing";
        QTest::newRow("path is a folder") << "folder";
        QTest::newRow("read-only file") << "readonly-file";
        QTest::newRow("read-only folder") << "readonly-folder";
    }

    void failedWriteNamesThePathAndKeepsTheFile()
    {
        QFETCH(QString, kind);
        const QByteArray original("[Main]\n; note\nAsk=1\n");
        QVERIFY(QDir(m_dir.path()).mkdir(kind));
        const QString folder = m_dir.filePath(kind);
        QString path = folder + "/prefs.ini";
        QString lockedFolder;
        if (kind == "missing") {
            path = folder + "/no/such/folder/prefs.ini";
        } else if (kind == "folder") {
            QVERIFY(QDir(folder).mkdir("prefs.ini"));
        } else if (kind == "readonly-file") {
            writeBytes(path, original);
            QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
            if (!permissionsHold(path))
                QSKIP("file permissions do not bind this user");
        } else {
            lockedFolder = folder;
            writeBytes(path, original);
            QFile::setPermissions(lockedFolder, QFile::ReadOwner | QFile::ExeOwner);
            if (!permissionsHold(lockedFolder + "/probe"))
                QSKIP("folder permissions do not bind this user");
        }
        try {
            IniFile(path).writeBool("Main", "Ask", false);
            QFAIL("the write did not fail");
        } catch (const IniWriteError &e) {
            QCOMPARE(QString::fromUtf8(e.what()), "Unable to write to " + path);
            QCOMPARE(e.path(), path);
        }
        if (kind.startsWith("readonly")) {
            QCOMPARE(readBytes(path), original);
            QCOMPARE(QDir(QFileInfo(path).path()).entryList(QDir::Files), QStringList{"prefs.ini"});
        }
        if (!lockedFolder.isEmpty())
            QFile::setPermissions(lockedFolder,
                                  QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

private:
    QTemporaryDir m_dir;
};

QTEST_GUILESS_MAIN(TestIniFile)
#include "test_inifile.moc"
