#pragma once

#include <QString>
#include <functional>

// What a front end shows of a job (see JobPresenter). The main window
// implements it over its controls; a command line front end can print
// instead. Every call is made on the thread the job lives on and must
// return at once.
class JobView {
public:
    virtual ~JobView() = default;

    // The output file field (edtOutputFile). Start may append the profile's
    // extension to it.
    virtual QString outputFileText() const = 0;
    virtual void setOutputFileText(const QString &text) = 0;

    // Keyboard focus to the task list (ltvTask) or to the output file field.
    virtual void focusTaskList() = 0;
    virtual void focusOutputFile() = 0;

    // Locks the window for a job: the add, row and Settings buttons and the
    // task list are disabled, Start is hidden and Stop shown.
    virtual void DisableJobControls() = 0;
    // Unlocks it again: the same controls enabled, Start shown, Stop hidden.
    virtual void EnableJobControls() = 0;
    // Stop was clicked: Start shown and Stop hidden at once, while the job
    // winds down with the controls still locked.
    virtual void showStartInsteadOfStop() = 0;

    // labProcessTitle.
    virtual void setProcessTitle(const QString &text) = 0;
    // labConvertingFile: its text, and whether it is shown.
    virtual void setConvertingFile(const QString &text) = 0;
    virtual void setConvertingFileVisible(bool visible) = 0;
    // labElapsed and labRemaining.
    virtual void setElapsedText(const QString &text) = 0;
    virtual void setRemainingText(const QString &text) = 0;

    // pgbCurrent with labCurProgress, pgbTotal with labTotalProgress; the
    // value is within 0..100, the label reads it followed by "%".
    virtual void setCurrentProgress(int value, const QString &label) = 0;
    virtual void setTotalProgress(int value, const QString &label) = 0;

    // true: the progress panel (panBottomLeft) is shown and the job settings
    // (panBottomCenter) hidden; false: the other way round.
    virtual void showProgressPanel(bool progress) = 0;

    // What a profile that chooses for the inputs chose at Start, and why
    // ("Re-encoding to H.264: video 3 has a different frame size"); detail
    // gives the values that differ, or is empty.
    virtual void showProfileChoice(const QString &reason, const QString &detail)
    {
        Q_UNUSED(reason);
        Q_UNUSED(detail);
    }

    // The encoder's last output text (the hidden Memo1).
    virtual void setEncoderOutput(const QString &text) = 0;

    // The job is done and the user chose to turn the computer off: the view
    // may first give the user a last chance (a countdown with Cancel).
    // answer(true) turns it off, answer(false) keeps it on; answer may be
    // called later, from the event loop, but exactly once. By default the
    // computer is turned off at once.
    virtual void askToPowerOff(const std::function<void(bool)> &answer) { answer(true); }

    // Ends the program after a job (exit or power off when done). Called once
    // the job is over; it must not destroy the job before returning.
    virtual void closeProgram() = 0;
};
