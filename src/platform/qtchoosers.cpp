#include "platform/qtchoosers.h"

#include <QFileDialog>

QStringList QtChoosers::chooseOpenFiles(QWidget *owner, const QStringList &filters,
                                        const QString &selectedFilter)
{
    QFileDialog dialog(owner);
    dialog.setFileMode(QFileDialog::ExistingFiles);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setNameFilters(filters);
    dialog.selectNameFilter(selectedFilter);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.selectedFiles();
}

SaveChoice QtChoosers::chooseSaveFile(QWidget *owner, const QStringList &filters,
                                      const QString &selectedFilter, const QString &startPath,
                                      const QString &defaultSuffix)
{
    QFileDialog dialog(owner);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // An existing output file is dealt with when the job starts.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setNameFilters(filters);
    dialog.selectNameFilter(selectedFilter);
    dialog.setDefaultSuffix(defaultSuffix);
    if (!startPath.isEmpty())
        dialog.selectFile(startPath);
    SaveChoice choice;
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return choice;
    choice.accepted = true;
    choice.path = dialog.selectedFiles().constFirst();
    choice.filter = dialog.selectedNameFilter();
    return choice;
}

QString QtChoosers::chooseFolder(QWidget *owner, const QString &title, const QString &startFolder)
{
    return QFileDialog::getExistingDirectory(owner, title, startFolder,
                                             QFileDialog::ShowDirsOnly);
}
