#pragma once

#include "platform/jobnotices.h"

// Freedesktop notifications and the launcher-entry progress signal (read by
// KDE's task manager and several docks) on the session bus, and Qt's own
// alert. Without a session bus nothing is sent; nothing waits for an answer.
class DBusJobNotices : public JobNotices {
public:
    void notify(const QString &summary, const QString &body) override;
    void alert(QWidget *window) override;
    void showProgress(double fraction, bool visible) override;
};
