#include "filenamebytes.h"

#include "tasklist/inputtypes.h"

#include <QCoreApplication>
#include <QFile>
#include <QStringDecoder>

#include <dirent.h>
#include <sys/stat.h>

bool NameRoundTrips(const QByteArray &name)
{
    return QFile::encodeName(QFile::decodeName(name)) == name;
}

static QString EscapedByte(uchar byte)
{
    return QStringLiteral("\\x") +
           QString::number(uint(byte), 16).toUpper().rightJustified(2, QLatin1Char('0'));
}

static bool IsControl(char32_t c)
{
    return c < 0x20 || (c >= 0x7f && c < 0xa0);
}

QString EscapedName(const QByteArray &name)
{
    QString shown;
    int at = 0;
    while (at < name.size()) {
        // The longest piece from here that decodes cleanly, up to 4 bytes
        // (one character); otherwise the byte is shown escaped.
        int length = 1;
        QString piece;
        for (; length <= 4 && at + length <= name.size(); ++length) {
            QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
            piece = decoder(name.mid(at, length));
            if (!decoder.hasError() && !piece.isEmpty())
                break;
        }
        if (length > 4 || at + length > name.size() ||
            (piece.size() == 1 && IsControl(piece.front().unicode()))) {
            shown += EscapedByte(uchar(name.at(at)));
            ++at;
        } else {
            shown += piece;
            at += length;
        }
    }
    return shown;
}

QString EscapedName(const QString &name)
{
    QString shown;
    for (const QChar c : name)
        shown += IsControl(c.unicode()) ? EscapedByte(uchar(c.unicode())) : QString(c);
    return shown;
}

bool HoldsControlCharacter(const QString &text)
{
    for (const QChar c : text) {
        if (IsControl(c.unicode()))
            return true;
    }
    return false;
}

QList<QByteArray> UnreadableVideoNamesIn(const QString &folder)
{
    QList<QByteArray> names;
    const QByteArray path = QFile::encodeName(folder);
    DIR *dir = ::opendir(path.constData());
    if (!dir)
        return names;
    while (const dirent *entry = ::readdir(dir)) {
        const QByteArray name(entry->d_name);
        if (NameRoundTrips(name) || !IsSupportedExt(QFile::decodeName(name)))
            continue;
        struct stat status {};
        if (::stat((path + '/' + name).constData(), &status) == 0 && S_ISREG(status.st_mode))
            names << name;
    }
    ::closedir(dir);
    return names;
}

QString UnreadableNamesLead()
{
    return QCoreApplication::translate(
        "FileNames", "The program cannot open these files, as their names are not valid "
                     "UTF-8. Please rename them:\n\n");
}
