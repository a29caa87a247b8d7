#pragma once

#include <QString>

class QWidget;

// What the desktop shows of a job outside the window: a notification, the
// window's call for attention, and the job's progress on its task bar entry.
// Behind one small interface so that tests can record what was sent.
class JobNotices {
public:
    virtual ~JobNotices() = default;

    // A notification in the desktop's own list.
    virtual void notify(const QString &summary, const QString &body) = 0;
    // Asks for the user's attention to window (its task bar entry flashes or
    // is marked) until the user turns to it.
    virtual void alert(QWidget *window) = 0;
    // The job's progress, 0 to 1, on the program's task bar entry; visible
    // false takes it away.
    virtual void showProgress(double fraction, bool visible) = 0;
};
