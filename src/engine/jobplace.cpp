// The end of a joining: the checked result is put at the output path, or,
// when a file appeared there while the job ran, where the overwrite rule
// says. A file is replaced only when it is the one the user let the job
// replace at Start.
#include "job.h"

#include "engine/outputname.h"

bool Job::placeOutput(const QString &partial)
{
    const QString output = m_request.outputPath;
    m_plan.finalTarget = output;
    switch (MoveWithoutReplacing(partial, output)) {
    case MoveResult::Moved:
        return true;
    case MoveResult::Failed:
        return false;
    case MoveResult::NameTaken:
        break;
    }
    if (m_request.overwrite.rename) {
        const QString renamed = MoveToFreeRenamedPath(partial, output, m_request.outputExtension());
        if (!renamed.isEmpty())
            m_plan.finalTarget = renamed;
        return !renamed.isEmpty();
    }
    // Overwrite, no choice, or a Yes at Start: the file agreed to then.
    if (IdentityOf(output) == m_outputAtStart)
        return ReplaceFile(partial, output);
    if (m_request.overwrite.ask) {
        if (m_request.questions.replaceAppeared)
            return askToReplaceAppeared(partial);
        return keepBoth(partial, true);
    }
    return keepBoth(partial, false);
}

bool Job::askToReplaceAppeared(const QString &partial)
{
    const QString output = m_request.outputPath;
    const QString freeName = FirstFreeRenamedPath(output, m_request.outputExtension());
    if (m_request.questions.replaceAppeared(output, freeName))
        return ReplaceFile(partial, output);
    if (MoveWithoutReplacing(partial, freeName) == MoveResult::Moved) {
        m_plan.finalTarget = freeName;
        return true;
    }
    // The name was taken while the question waited.
    return keepBoth(partial, false);
}

// The result goes to the first free renamed name, and the result says where.
bool Job::keepBoth(const QString &partial, bool nobodyAsked)
{
    const QString savedAs =
        MoveToFreeRenamedPath(partial, m_request.outputPath, m_request.outputExtension());
    if (savedAs.isEmpty())
        return false;
    m_plan.finalTarget = savedAs;
    m_result.appearedFileKept = true;
    m_result.nobodyAsked = nobodyAsked;
    m_result.file = m_request.outputPath;
    return true;
}
