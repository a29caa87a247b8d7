// The end of a joining: the checked result is put at the output path, or,
// when a file appeared there while the job ran, where the overwrite policy
// says. A file is replaced only when it is the one the user let the job
// replace at Start.
#include "job.h"

#include "engine/outputname.h"
#include "platform/messages.h"
#include "settings/livesettings.h"

#include <QCoreApplication>

namespace {

QString AppearedQuestion(const QString &output, const QString &freeName)
{
    return QCoreApplication::translate(
               "Job", "The file \"%1\" appeared while the job ran. Do you want to overwrite "
                      "it with the joined video? \n\rClick \"No\" to keep it and save the "
                      "joined video as \"%2\".")
        .arg(output, freeName);
}

QString KeptNotice(const QString &output, const QString &savedAs, bool nobodyAsked)
{
    QString text = QCoreApplication::translate(
                       "Job", "The file \"%1\" appeared while the job ran and was kept. The "
                              "joined video was saved as \"%2\".")
                       .arg(output, savedAs);
    if (nobodyAsked)
        text +=
            QCoreApplication::translate("Job", " Nobody could be asked whether to overwrite it.");
    return text;
}

} // namespace

bool Job::placeOutput(const QString &partial)
{
    const QString output = m_outputPath;
    m_plan.finalTarget = output;
    switch (MoveWithoutReplacing(partial, output)) {
    case MoveResult::Moved:
        return true;
    case MoveResult::Failed:
        return false;
    case MoveResult::NameTaken:
        break;
    }
    if (m_settings->renameOutput()) {
        const QString renamed = MoveToFreeRenamedPath(partial, output, outputExtension());
        if (!renamed.isEmpty())
            m_plan.finalTarget = renamed;
        return !renamed.isEmpty();
    }
    // Overwrite, no choice, or a Yes at Start: the file agreed to then.
    if (IdentityOf(output) == m_outputAtStart)
        return ReplaceFile(partial, output);
    if (m_settings->askBeforeOverwrite()) {
        if (m_settings->canAskDuringJob())
            return askToReplaceAppeared(partial);
        m_outputRefused = true;
        return keepBoth(partial, true);
    }
    return keepBoth(partial, false);
}

bool Job::askToReplaceAppeared(const QString &partial)
{
    const QString output = m_outputPath;
    const QString freeName = FirstFreeRenamedPath(output, outputExtension());
    if (m_messages->ask(QCoreApplication::translate("Job", "File Exists"),
                        AppearedQuestion(output, freeName)))
        return ReplaceFile(partial, output);
    if (MoveWithoutReplacing(partial, freeName) == MoveResult::Moved) {
        m_plan.finalTarget = freeName;
        return true;
    }
    // The name was taken while the question waited.
    return keepBoth(partial, false);
}

// The result goes to the first free renamed name, and the notice says where.
bool Job::keepBoth(const QString &partial, bool nobodyAsked)
{
    const QString savedAs = MoveToFreeRenamedPath(partial, m_outputPath, outputExtension());
    if (savedAs.isEmpty())
        return false;
    m_plan.finalTarget = savedAs;
    m_messages->inform(QCoreApplication::translate("Job", "File Exists"),
                       KeptNotice(m_outputPath, savedAs, nobodyAsked));
    return true;
}
