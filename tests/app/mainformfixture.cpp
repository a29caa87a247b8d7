#include "mainformfixture.h"

#include "tasklist/tasklist.h"
#include "testclips.h"

#include <QDir>
#include <QFile>
#include <QTest>

namespace {

void copyFolder(const QString &from, const QString &to)
{
    QDir().mkpath(to);
    const QDir source(from);
    for (const QString &name : source.entryList(QDir::Files))
        QFile::copy(source.filePath(name), to + QLatin1Char('/') + name);
}

} // namespace

MainFormFixture::MainFormFixture(Encoder encoder)
    : m_encoder(encoder)
{
    const QString build = buildProgramDir();
    copyFolder(build + QStringLiteral("Profiles"), filePath(QStringLiteral("Profiles")));
    QFile::copy(build + QStringLiteral("Brelvane.html"), filePath(QStringLiteral("Brelvane.html")));
#ifdef FAKE_ENCODER_PATH
    const QString fake = QStringLiteral(FAKE_ENCODER_PATH);
#else
    const QString fake;
#endif
    const QString target = encoder == FakeEncoder
                               ? fake
                               : QFileInfo(build + QStringLiteral("asapi.dll")).canonicalFilePath();
    QFile::link(target, filePath(QStringLiteral("asapi.dll")));
}

TMainForm *MainFormFixture::create(const QStringList &arguments)
{
    const DesktopSeams seams{&messages, &choosers, &shell, &power, &notices};
    window = std::make_unique<TMainForm>(programDir(), seams, arguments);
    // The fake encoder writes no real video: nothing could be read back.
    if (m_encoder == FakeEncoder)
        window->setMediaReader([](const QString &) { return std::optional<ProbeResult>(); });
    // The start-up files come in on worker threads; the tests begin with them
    // listed.
    if (!QTest::qWaitFor([this] { return !window->taskList()->isTakingIn(); }, 60000))
        qWarning("The start-up files did not come in.");
    return window.get();
}

TMainForm *MainFormFixture::createAndShow(const QStringList &arguments)
{
    create(arguments);
    window->show();
    if (!QTest::qWaitForWindowExposed(window.get()))
        return nullptr;
    return window.get();
}
