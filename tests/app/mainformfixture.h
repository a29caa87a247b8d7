#pragma once

#include "app/mainform.h"
#include "fakeseams.h"

#include <QTemporaryDir>
#include <memory>

// A main window over a temporary program directory (copies of the build's
// profiles and help page, the encoder link) with fake desktop seams.
class MainFormFixture {
public:
    enum Encoder { RealEncoder, FakeEncoder };
    explicit MainFormFixture(Encoder encoder = RealEncoder);

    QString programDir() const { return dir.path() + QLatin1Char('/'); }
    QString filePath(const QString &name) const { return programDir() + name; }
    // Creates the window with the given start-up arguments.
    TMainForm *create(const QStringList &arguments = {});
    TMainForm *createAndShow(const QStringList &arguments = {});

    QTemporaryDir dir;
    FakeMessages messages;
    FakeChoosers choosers;
    FakeShell shell;
    FakePowerOff power;
    FakeNotices notices;
    std::unique_ptr<TMainForm> window;

private:
    Encoder m_encoder;
};
