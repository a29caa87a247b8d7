// The main window's side of a job: Start and Stop, and what the job shows.
#include "app/mainform.h"

#include "app/jobmessages.h"
#include "app/look/imagebutton.h"
#include "app/poweroffform.h"
#include "engine/job.h"
#include "engine/jobrequest.h"
#include "frontend/jobpresenter.h"
#include "platform/jobnotices.h"
#include "settings/opsettingform.h"
#include "settings/profiles.h"
#include "settings/settingform.h"
#include "tasklist/tasklist.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QTimer>
#include <QToolButton>
#include <QTreeView>

void TMainForm::createJob()
{
    TheJobMessages = std::make_unique<JobMessages>(
        Seams.messages, [this](const QString &title, const QString &text) {
            if (ThePresenter && ThePresenter->isBusy())
                tellDesktop(title, text);
        });
    TheJob = new Job(this);
    ThePresenter =
        new JobPresenter(TheJob, this, TheJobMessages.get(), Seams.shell, Seams.power, this);
    ThePresenter->setTasks(Tasks->model());
    connect(imgStart, &ImageButton::clicked, this, &TMainForm::imgStartClick);
    connect(imgStop, &ImageButton::clicked, this, &TMainForm::imgStopClick);
    connect(ThePresenter, &JobPresenter::ended, this, &TMainForm::onJobEnded);
}

JobRequest TMainForm::jobRequest() const
{
    const Preferences preferences = SettingForm->shownPreferences();
    JobRequest request;
    request.selection = OpSettingForm->workingSelection();
    request.profileExtension = OpSettingForm->outputExtension();
    request.programDir = ProgramDir;
    ResolveJobRequest(request, *Tasks->model(), profilePath(), edtOutputFile->text());
    request.overwrite = OverwriteRule{preferences.ask, preferences.rename};
    request.tempDir = preferences.tempDir;
    request.conversionsAtOnce = preferences.conversionsAtOnce;
    request.encoderPath = EncoderPath;
    request.readMedia = ReadMedia;
    return request;
}

bool TMainForm::jobInProgress() const
{
    return TheJob->isActive() || ThePresenter->isBusy();
}

void TMainForm::imgStartClick()
{
    if (refuseStartWhileTakingIn())
        return;
    desktopTold = false;
    const Preferences preferences = SettingForm->shownPreferences();
    ThePresenter->start(jobRequest(), AfterCompletion{preferences.autoOpenDir, preferences.autoExit,
                                                      preferences.autoTurnOff});
}

void TMainForm::tellDesktop(const QString &title, const QString &text)
{
    if (!Seams.notices || desktopTold || isActiveWindow())
        return;
    desktopTold = true;
    Seams.notices->notify(title, QStringLiteral("%1\n%2").arg(text, edtOutputFile->text()));
    Seams.notices->alert(this);
}

void TMainForm::imgStopClick()
{
    ThePresenter->stop();
}

void TMainForm::onJobEnded(bool succeeded)
{
    if (Seams.notices) {
        Seams.notices->showProgress(0, false);
        // A job that ends without a box (the program closing after it).
        tellDesktop(
            succeeded ? QCoreApplication::translate("Job", "Complete")
                      : QCoreApplication::translate("Job", "Not Joined"),
            succeeded ? QCoreApplication::translate("Job", "The joining is completed successfully.")
                      : QCoreApplication::translate("Job", "The joining did not complete."));
    }
    if (closeWhenJobEnds)
        QTimer::singleShot(0, this, &QWidget::close);
}

QString TMainForm::outputFileText() const
{
    return edtOutputFile->text();
}

void TMainForm::setOutputFileText(const QString &text)
{
    edtOutputFile->setText(text);
}

void TMainForm::focusTaskList()
{
    ltvTask->setFocus();
}

void TMainForm::focusOutputFile()
{
    edtOutputFile->setFocus();
}

QString TMainForm::profilePath() const
{
    return ProfilePath(ProgramDir, cmbProfile->currentText());
}

void TMainForm::setJobControlsEnabled(bool enabled)
{
    for (QWidget *control :
         std::initializer_list<QWidget *>{tbtnAddFile, tbtnAddDir, tbtnUp, tbtnDown, tbtnRemove,
                                          tbtnClear, tbtnSetting, ltvTask})
        control->setEnabled(enabled);
    imgStart->setVisible(enabled);
    imgStop->setVisible(!enabled);
}

void TMainForm::DisableJobControls()
{
    setJobControlsEnabled(false);
}

void TMainForm::EnableJobControls()
{
    setJobControlsEnabled(true);
}

void TMainForm::showStartInsteadOfStop()
{
    imgStop->hide();
    imgStart->show();
}

void TMainForm::setProcessTitle(const QString &text)
{
    labProcessTitle->setText(text);
    labProcessTitle->adjustSize();
    // The file name follows the title and is cut off where the times begin.
    const auto *timesLabel = panBottomLeft->findChild<QLabel *>(QStringLiteral("label5"));
    const int left = labProcessTitle->geometry().right() + 5;
    labConvertingFile->move(left, labConvertingFile->y());
    labConvertingFile->setFixedWidth(std::max(0, timesLabel->x() - 6 - left));
}

void TMainForm::setConvertingFile(const QString &text)
{
    labConvertingFile->setText(text);
}

void TMainForm::setConvertingFileVisible(bool visible)
{
    labConvertingFile->setVisible(visible);
}

void TMainForm::setElapsedText(const QString &text)
{
    labElapsed->setText(text);
}

void TMainForm::setRemainingText(const QString &text)
{
    labRemaining->setText(text);
}

void TMainForm::setCurrentProgress(int value, const QString &label)
{
    pgbCurrent->setValue(value);
    labCurProgress->setText(label);
}

void TMainForm::setTotalProgress(int value, const QString &label)
{
    pgbTotal->setValue(value);
    labTotalProgress->setText(label);
    if (Seams.notices && ThePresenter && ThePresenter->isBusy())
        Seams.notices->showProgress(value / 100.0, true);
}

void TMainForm::showProgressPanel(bool progress)
{
    panBottomLeft->setVisible(progress);
    panBottomCenter->setVisible(!progress);
}

void TMainForm::setEncoderOutput(const QString &text)
{
    Memo1->setPlainText(text);
}

void TMainForm::askToPowerOff(const std::function<void(bool)> &answer)
{
    PowerOffForm->start(answer);
}

void TMainForm::closeProgram()
{
    jobAskedToClose = true;
    QTimer::singleShot(0, this, &QWidget::close);
}
