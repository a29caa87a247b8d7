#pragma once

#include "platform/messages.h"

// Message boxes owned by the window in front.
class QtMessages : public Messages {
public:
    void inform(const QString &title, const QString &text) override;
    bool ask(const QString &title, const QString &text) override;
    void plain(const QString &title, const QString &text) override;
};
