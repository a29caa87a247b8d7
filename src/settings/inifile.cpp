#include "inifile.h"

#include "contract/valueforms.h"

#include <QCoreApplication>
#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>

#include <limits>
#include <optional>

namespace {

const QChar LineFeed = QLatin1Char('\n');
const QChar CarriageReturn = QLatin1Char('\r');
const QByteArray Utf8Bom("\xEF\xBB\xBF");

bool isComment(const QString &trimmed)
{
    return trimmed.startsWith(QLatin1Char(';')) || trimmed.startsWith(QLatin1Char('#'));
}

bool isSectionLine(const QString &line)
{
    return line.trimmed().startsWith(QLatin1Char('['));
}

// The name between the brackets of a section line, blanks trimmed.
QString sectionName(const QString &line)
{
    const QString trimmed = line.trimmed();
    const int close = trimmed.lastIndexOf(QLatin1Char(']'));
    const int end = close > 0 ? close : trimmed.size();
    return trimmed.mid(1, end - 1).trimmed();
}

bool sameName(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// A value enclosed in matching quotes is read without them, as the system's
// own settings functions do.
QString unquoted(const QString &value)
{
    if (value.size() >= 2 && value.front() == value.back() &&
        (value.front() == QLatin1Char('"') || value.front() == QLatin1Char('\'')))
        return value.mid(1, value.size() - 2);
    return value;
}

bool allHexDigits(QStringView digits)
{
    for (QChar c : digits) {
        if (!c.isDigit() && !(c.toLower() >= QLatin1Char('a') && c.toLower() <= QLatin1Char('f')))
            return false;
    }
    return !digits.isEmpty();
}

// The value of a key line from the first character after "=", as a read
// gives it.
QString valueText(const QString &line, int valueStart)
{
    return unquoted(line.mid(valueStart).trimmed()).left(IniMaxValueLength);
}

// The text of bytes that are all UTF-8; a byte order mark inside is kept
// as a character so it is written back.
std::optional<QString> decodedUtf8(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8,
                        QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    QString text = utf8.decode(bytes);
    if (utf8.hasError())
        return std::nullopt;
    return text;
}

// A line of a single-byte file is written in Latin-1 when that keeps it:
// every character fits, and the bytes are not UTF-8 (a reader would take
// them for other letters) unless they are plain ASCII.
bool readsBackAsLatin1(const QString &text)
{
    for (QChar c : text) {
        if (c.unicode() > 0xFF)
            return false;
    }
    const QByteArray bytes = text.toLatin1();
    for (char c : bytes) {
        if (static_cast<unsigned char>(c) > 0x7F)
            return !decodedUtf8(bytes);
    }
    return true;
}

// A value must stay on its own line: a line break inside would start keys or
// sections of its own in the file.
QString singleLine(QString value)
{
    value.replace(CarriageReturn, QLatin1Char(' '));
    value.replace(LineFeed, QLatin1Char(' '));
    return value;
}

} // namespace

IniWriteError::IniWriteError(const QString &path)
    : std::runtime_error(
          QCoreApplication::translate("IniFile", "Unable to write to %1").arg(path).toStdString())
    , m_path(path)
{
}

int IniTextToInt(const QString &text, int fallback)
{
    if (text.size() > 2 &&
        (text.startsWith(QLatin1String("0x")) || text.startsWith(QLatin1String("0X")))) {
        const QStringView digits = QStringView(text).mid(2);
        if (!allHexDigits(digits))
            return fallback;
        bool ok = false;
        const qulonglong value = digits.toULongLong(&ok, 16);
        if (!ok || value > 0xFFFFFFFFull)
            return fallback;
        return static_cast<int>(static_cast<quint32>(value));
    }
    const bool signedText = text.startsWith(QLatin1Char('-')) || text.startsWith(QLatin1Char('+'));
    if (!IsAsciiDigits(QStringView(text).mid(signedText ? 1 : 0)))
        return fallback;
    bool ok = false;
    const qlonglong value = text.toLongLong(&ok, 10);
    if (!ok || value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max())
        return fallback;
    return static_cast<int>(value);
}

IniDocument IniDocument::load(const QString &path)
{
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly))
        return IniDocument();
    return fromBytes(file.readAll());
}

IniDocument IniDocument::fromBytes(const QByteArray &bytes)
{
    IniDocument doc;
    QByteArray body = bytes;
    if (body.startsWith(Utf8Bom)) {
        doc.m_bom = true;
        body.remove(0, Utf8Bom.size());
    }
    const std::optional<QString> whole = decodedUtf8(body);
    doc.m_singleByte = !whole;
    doc.m_lines.clear();
    if (whole) {
        for (const QString &text : whole->split(LineFeed))
            doc.m_lines.append({text, false});
    } else {
        for (const QByteArray &piece : body.split('\n')) {
            const std::optional<QString> text = decodedUtf8(piece);
            doc.m_lines.append(text ? Line{*text, false} : Line{QString::fromLatin1(piece), true});
        }
    }
    doc.m_crlf = body.contains("\r\n");
    return doc;
}

QByteArray IniDocument::toBytes() const
{
    QByteArray bytes = m_bom ? Utf8Bom : QByteArray();
    for (int i = 0; i < m_lines.size(); ++i) {
        if (i > 0)
            bytes += '\n';
        const Line &line = m_lines.at(i);
        bytes += line.latin1 ? line.text.toLatin1() : line.text.toUtf8();
    }
    return bytes;
}

IniDocument::Line IniDocument::makeLine(const QString &text) const
{
    return {text, m_singleByte && readsBackAsLatin1(text)};
}

int IniDocument::findSection(const QString &section, int from) const
{
    for (int i = from; i < m_lines.size(); ++i) {
        if (isSectionLine(lineAt(i)) && sameName(sectionName(lineAt(i)), section))
            return i;
    }
    return -1;
}

int IniDocument::sectionEnd(int sectionLine) const
{
    int i = sectionLine + 1;
    while (i < m_lines.size() && !isSectionLine(lineAt(i)))
        ++i;
    return i;
}

IniDocument::KeyLine IniDocument::findKey(const QString &section, const QString &key) const
{
    for (int s = findSection(section, 0); s >= 0; s = findSection(section, s + 1)) {
        const int end = sectionEnd(s);
        for (int i = s + 1; i < end; ++i) {
            const QString &line = lineAt(i);
            const int equals = line.indexOf(QLatin1Char('='));
            if (equals < 0 || isComment(line.trimmed()))
                continue;
            if (!sameName(line.left(equals).trimmed(), key))
                continue;
            int valueStart = equals + 1;
            while (valueStart < line.size() && line.at(valueStart).isSpace() &&
                   line.at(valueStart) != CarriageReturn)
                ++valueStart;
            return {i, valueStart};
        }
    }
    return {};
}

int IniDocument::lastContentLine(int sectionLine) const
{
    int last = sectionLine;
    const int end = sectionEnd(sectionLine);
    for (int i = sectionLine + 1; i < end; ++i) {
        if (!lineAt(i).trimmed().isEmpty())
            last = i;
    }
    return last;
}

QString IniDocument::readString(const QString &section, const QString &key,
                                const QString &fallback) const
{
    const KeyLine found = findKey(section, key);
    if (found.line < 0)
        return fallback;
    return valueText(lineAt(found.line), found.valueStart);
}

QHash<QString, QString> IniDocument::sectionValues(const QString &section) const
{
    QHash<QString, QString> values;
    bool inSection = false;
    for (const Line &each : m_lines) {
        const QString &line = each.text;
        if (isSectionLine(line)) {
            inSection = sameName(sectionName(line), section);
            continue;
        }
        const int equals = line.indexOf(QLatin1Char('='));
        if (!inSection || equals < 0 || isComment(line.trimmed()))
            continue;
        // The first of repeated keys counts, as for readString.
        const QString key = line.left(equals).trimmed().toCaseFolded();
        if (!values.contains(key))
            values.insert(key, valueText(line, equals + 1));
    }
    return values;
}

int IniDocument::readInt(const QString &section, const QString &key, int fallback) const
{
    // An absent key reads as empty text, which is no number either.
    return IniTextToInt(readString(section, key, QString()), fallback);
}

bool IniDocument::readBool(const QString &section, const QString &key, bool fallback) const
{
    return readInt(section, key, fallback ? 1 : 0) != 0;
}

void IniDocument::setString(const QString &section, const QString &key, const QString &value)
{
    const QString lineEnd = m_crlf ? QString(CarriageReturn) : QString();
    const QString clean = singleLine(value);
    const KeyLine found = findKey(section, key);
    if (found.line >= 0) {
        const QString &line = lineAt(found.line);
        const bool hadReturn = line.endsWith(CarriageReturn);
        m_lines[found.line] = makeLine(line.left(found.valueStart) + clean +
                                       (hadReturn ? QString(CarriageReturn) : QString()));
        return;
    }
    const QString keyLine = key + QLatin1Char('=') + clean + lineEnd;
    const int sectionLine = findSection(section, 0);
    if (sectionLine >= 0) {
        m_lines.insert(lastContentLine(sectionLine) + 1, makeLine(keyLine));
        return;
    }
    appendSection(QLatin1Char('[') + section + QLatin1Char(']') + lineEnd, keyLine);
}

void IniDocument::appendSection(const QString &header, const QString &keyLine)
{
    const QString blankLine = m_crlf ? QString(CarriageReturn) : QString();
    if (!m_lines.back().text.isEmpty()) {
        // The old last line gets the line break it lacked.
        if (m_crlf)
            m_lines.back().text += CarriageReturn;
        m_lines.append(Line());
    }
    m_lines.removeLast();
    if (!m_lines.isEmpty() && !m_lines.back().text.trimmed().isEmpty())
        m_lines.append(makeLine(blankLine));
    m_lines.append(makeLine(header));
    m_lines.append(makeLine(keyLine));
    m_lines.append(Line());
}

QString IniFile::readString(const QString &section, const QString &key,
                            const QString &fallback) const
{
    return IniDocument::load(m_path).readString(section, key, fallback);
}

int IniFile::readInt(const QString &section, const QString &key, int fallback) const
{
    return IniDocument::load(m_path).readInt(section, key, fallback);
}

bool IniFile::readBool(const QString &section, const QString &key, bool fallback) const
{
    return IniDocument::load(m_path).readBool(section, key, fallback);
}

void IniFile::writeString(const QString &section, const QString &key, const QString &value) const
{
    IniDocument doc;
    QFile existing(m_path);
    if (existing.exists()) {
        // An existing file that cannot be read must not be replaced by one
        // holding only this key.
        if (!existing.open(QIODevice::ReadOnly))
            throw IniWriteError(m_path);
        doc = IniDocument::fromBytes(existing.readAll());
        existing.close();
    }
    doc.setString(section, key, value);

    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly))
        throw IniWriteError(m_path);
    const QByteArray bytes = doc.toBytes();
    if (file.write(bytes) != bytes.size() || !file.commit())
        throw IniWriteError(m_path);
}

void IniFile::writeInt(const QString &section, const QString &key, int value) const
{
    writeString(section, key, QString::number(value));
}

void IniFile::writeBool(const QString &section, const QString &key, bool value) const
{
    writeString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}
