#pragma once

#include "platform/choosers.h"

// The desktop's file and folder choosers.
class QtChoosers : public Choosers {
public:
    QStringList chooseOpenFiles(QWidget *owner, const QStringList &filters,
                                const QString &selectedFilter) override;
    SaveChoice chooseSaveFile(QWidget *owner, const QStringList &filters,
                              const QString &selectedFilter, const QString &startPath,
                              const QString &defaultSuffix) override;
    QString chooseFolder(QWidget *owner, const QString &title, const QString &startFolder) override;
};
