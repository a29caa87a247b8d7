#include "app/jobsummary.h"

#include "tasklist/tasklistmodel.h"
#include "tasklist/timetext.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLocale>

JobSummary SummarizeJob(const TaskListModel &tasks, bool copiesStreams, double videoKbit,
                        double audioKbit)
{
    JobSummary summary;
    summary.videos = tasks.count();
    qint64 inputBytes = 0;
    for (int row = 0; row < tasks.count(); ++row) {
        summary.seconds += qMax(0.0, tasks.row(row).playSeconds());
        if (copiesStreams)
            inputBytes += QFileInfo(tasks.caption(row)).size();
    }
    summary.outputBytes =
        copiesStreams
            ? inputBytes
            : qint64((qMax(0.0, videoKbit) + qMax(0.0, audioKbit)) * 1000 / 8 * summary.seconds);
    return summary;
}

QString JobSummaryText(const JobSummary &summary)
{
    if (summary.videos == 0)
        return QString();
    const QString videos =
        summary.videos == 1
            ? QCoreApplication::translate("JobSummary", "1 video")
            : QCoreApplication::translate("JobSummary", "%1 videos").arg(summary.videos);
    // Whole seconds: an estimate has no use for tenths.
    const QString playTime = SecondsToTimeText(qRound(summary.seconds));
    const QString size =
        QLocale::c().formattedDataSize(summary.outputBytes, 1, QLocale::DataSizeSIFormat);
    return QCoreApplication::translate("JobSummary", "%1, %2, about %3")
        .arg(videos, playTime, size);
}
