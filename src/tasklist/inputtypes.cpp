#include "tasklist/inputtypes.h"

#include "platform/filepaths.h"

#include <QCoreApplication>

namespace {

QString lowerAsciiLetters(QString text)
{
    for (QChar &c : text) {
        if (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
            c = QChar(c.unicode() + ('a' - 'A'));
    }
    return text;
}

// "AVI Files (*.avi)|*.avi|" for ".avi".
QString typeEntry(const QString &extension)
{
    const QString pattern = QLatin1Char('*') + extension;
    return QCoreApplication::translate("InputTypes", "%1 Files").arg(extension.mid(1).toUpper()) +
           QStringLiteral(" (") + pattern + QStringLiteral(")|") + pattern + QLatin1Char('|');
}

QString chooserPatterns(const QString &windowsPatterns)
{
    QStringList patterns = windowsPatterns.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    for (QString &pattern : patterns) {
        pattern = pattern.trimmed();
        if (pattern == QLatin1String("*.*"))
            pattern = QStringLiteral("*");
    }
    patterns.removeAll(QString());
    return patterns.join(QLatin1Char(' '));
}

} // namespace

QStringList InputExtensions()
{
    return {QStringLiteral(".avi"), QStringLiteral(".mpg"), QStringLiteral(".mpeg"),
            QStringLiteral(".mp4"), QStringLiteral(".wmv"), QStringLiteral(".mov"),
            QStringLiteral(".vob"), QStringLiteral(".asf"),
            // What the encoder reads besides: today's cameras, phones,
            // downloads and TV recordings.
            QStringLiteral(".mkv"), QStringLiteral(".webm"), QStringLiteral(".m4v"),
            QStringLiteral(".3gp"), QStringLiteral(".3g2"), QStringLiteral(".ts"),
            QStringLiteral(".mts"), QStringLiteral(".m2ts"), QStringLiteral(".flv"),
            QStringLiteral(".ogv"), QStringLiteral(".divx")};
}

QString InputMask()
{
    return InputPatterns().join(QLatin1Char(';')) + QLatin1Char(';');
}

QStringList InputPatterns()
{
    QStringList patterns;
    for (const QString &extension : InputExtensions())
        patterns << QLatin1Char('*') + extension;
    return patterns;
}

QString LowerCasedExtension(const QString &path)
{
    return lowerAsciiLetters(ExtensionOf(path));
}

bool IsSupportedExt(const QString &path)
{
    return InputExtensions().contains(LowerCasedExtension(path));
}

QString OpenDialogFilterText()
{
    QString filter = QCoreApplication::translate("InputTypes", "All Support Files") +
                     QLatin1Char('(') + InputMask() + QStringLiteral(")|") + InputMask() +
                     QLatin1Char('|');
    for (const QString &extension : InputExtensions())
        filter += typeEntry(extension);
    return filter + QCoreApplication::translate("InputTypes", "All Files") +
           QStringLiteral(" (*.*)|*.*");
}

QStringList OutputFileTypes()
{
    return {QStringLiteral(".avi"), QStringLiteral(".mpg"), QStringLiteral(".mp4"),
            QStringLiteral(".wmv"), QStringLiteral(".mov"), QStringLiteral(".vob"),
            QStringLiteral(".asf"), QStringLiteral(".flv")};
}

QString SaveDialogFilterText()
{
    QString filter;
    for (const QString &type : OutputFileTypes())
        filter += typeEntry(type);
    return filter + QCoreApplication::translate("InputTypes", "All Files") +
           QStringLiteral(" (*.*)|*.*");
}

QStringList FilterTextToChooserFilters(const QString &windowsFilter)
{
    const QStringList parts = windowsFilter.split(QLatin1Char('|'));
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        const QString &caption = parts.at(i);
        const QString group =
            QLatin1Char('(') + chooserPatterns(parts.at(i + 1)) + QLatin1Char(')');
        if (caption.endsWith(group))
            filters << caption;
        else
            filters << caption + QLatin1Char(' ') + group;
    }
    return filters;
}
