#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

#include <stdexcept>

// A write that did not reach the file. The message is the one the user sees:
// "Unable to write to <path>".
class IniWriteError : public std::runtime_error {
public:
    explicit IniWriteError(const QString &path);
    QString path() const { return m_path; }

private:
    QString m_path;
};

// The longest text value a read gives back; longer values are cut.
constexpr int IniMaxValueLength = 2047;

// Reads a whole number the way settings files store them: "0x"/"0X" and hex
// digits when the text is longer than two characters, otherwise an optional
// sign and decimal digits; anything else, or a number beyond 32 bits, gives
// the fallback.
int IniTextToInt(const QString &text, int fallback);

// The text of one INI file as it stood when it was loaded. Sections are lines
// "[name]", keys are lines "key=value"; names match without regard to case and
// blanks around names and values do not count. Lines starting with ";" or "#"
// are comments. Edits keep every other line exactly as it was.
class IniDocument {
public:
    // A missing or unreadable file loads as an empty document.
    static IniDocument load(const QString &path);
    // UTF-8 text. In a file that is not all UTF-8 (an older single-byte
    // file), each line that is no UTF-8 is read byte for byte as Latin-1 and
    // written back unchanged; a line set later is written in Latin-1 when it
    // fits and UTF-8 otherwise, so letters beyond Latin-1 are never lost.
    static IniDocument fromBytes(const QByteArray &bytes);

    QString readString(const QString &section, const QString &key, const QString &fallback) const;
    int readInt(const QString &section, const QString &key, int fallback) const;
    bool readBool(const QString &section, const QString &key, bool fallback) const;
    // Every key of section as readString gives it, in one pass over the text:
    // a reader of many keys pays for the text once, not once per key. The
    // keys are case-folded (QString::toCaseFolded).
    QHash<QString, QString> sectionValues(const QString &section) const;

    // Replaces the value of an existing key in place, or adds the key at the
    // end of its section, or adds the section at the end of the text.
    void setString(const QString &section, const QString &key, const QString &value);

    QByteArray toBytes() const;

private:
    struct KeyLine {
        int line = -1;
        int valueStart = 0; // position in that line where the value begins
    };
    int findSection(const QString &section, int from) const;
    int sectionEnd(int sectionLine) const;
    KeyLine findKey(const QString &section, const QString &key) const;
    int lastContentLine(int sectionLine) const;
    void appendSection(const QString &header, const QString &keyLine);

    // One piece of the text between line feeds: a carriage return before a
    // line feed stays with its line.
    struct Line {
        QString text;
        bool latin1 = false; // written back as Latin-1 bytes, not UTF-8
    };
    const QString &lineAt(int i) const { return m_lines.at(i).text; }
    Line makeLine(const QString &text) const;

    // The last line is empty when the text ends with a line break.
    QList<Line> m_lines{Line()};
    bool m_crlf = false;
    bool m_bom = false;
    bool m_singleByte = false; // the file held bytes that are no UTF-8
};

// One settings file reached by its path. Every read and every write opens the
// file, does its work and lets it go: nothing is remembered in between, so
// another program's edits count at once. A write replaces the file as a whole
// through a new file beside it, so a failure leaves the old file untouched.
class IniFile {
public:
    explicit IniFile(QString path)
        : m_path(std::move(path))
    {
    }

    const QString &path() const { return m_path; }

    QString readString(const QString &section, const QString &key,
                       const QString &fallback = QString()) const;
    int readInt(const QString &section, const QString &key, int fallback) const;
    bool readBool(const QString &section, const QString &key, bool fallback) const;

    // Each throws IniWriteError when the file cannot be written.
    void writeString(const QString &section, const QString &key, const QString &value) const;
    void writeInt(const QString &section, const QString &key, int value) const;
    void writeBool(const QString &section, const QString &key, bool value) const;

private:
    QString m_path;
};
