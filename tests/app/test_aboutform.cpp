#include "app/aboutform.h"
#include "fakeseams.h"
#include "settings/preferences.h"
#include "settings/programinfo.h"

#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

class TestAboutForm : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        mainWindow = new QWidget;
        mainWindow->resize(798, 559);
        mainWindow->show();
        // A program directory without Preferences.ini gives the default version.
        QTemporaryDir programDir;
        about = new TAboutForm(ReadVersionText(programDir.path() + "/"), &shell, mainWindow);
        shell.opened.clear();
    }
    void cleanup()
    {
        delete about;
        delete mainWindow;
    }

    void showsIdentityAndVersion()
    {
        QCOMPARE(text("labProgramName"), QStringLiteral("Brelvane"));
        QCOMPARE(text("labVersion"), QStringLiteral("Version 1.5"));
        QCOMPARE(text("labCopyright"),
                 "Copyright (C) " + ProgramInfo::MakerName + " " + ProgramInfo::CopyrightYear);
        QVERIFY(!text("labRightsReserved").isEmpty());
        QCOMPARE(text("labVisitWebsite"), QStringLiteral("Visit our website"));
        QCOMPARE(text("labWebsite"), ProgramInfo::WebSite);
        QCOMPARE(text("Label7"), QStringLiteral("More video converting softwares"));
        QCOMPARE(text("labMore"), QStringLiteral("(More)"));
        const auto others = ProgramInfo::OtherPrograms();
        QCOMPARE(others.size(), 3);
        QCOMPARE(text("Label8"), others[0].name);
        QCOMPARE(text("Label9"), others[1].name);
        QCOMPARE(text("Label10"), others[2].name);
        QCOMPARE(about->size(), QSize(503, 290));
        QVERIFY(about->parent() == nullptr);
    }

    void everyLinkReachesTheShell()
    {
        about->show();
        // The web site label opens what it shows, whatever that is.
        label("labWebsite")->setText(QStringLiteral("https://changed.example.org/x"));
        click(label("labWebsite"));
        click(label("labMore"));
        click(label("Label8"));
        click(label("Label9"));
        click(label("Label10"));
        QTest::mouseClick(about->findChild<QPushButton *>("btnTech"), Qt::LeftButton);
        QTest::mouseClick(about->findChild<QPushButton *>("btnSales"), Qt::LeftButton);
        const auto others = ProgramInfo::OtherPrograms();
        const QStringList expected{QStringLiteral("https://changed.example.org/x"),
                                   ProgramInfo::WebSite,
                                   others[0].address,
                                   others[1].address,
                                   others[2].address,
                                   "mailto:" + ProgramInfo::TechSupportAddress,
                                   "mailto:" + ProgramInfo::SalesAddress};
        QCOMPARE(shell.opened, expected);
        for (const QString &address : expected.mid(1, 4))
            QVERIFY(address.startsWith("https://"));
        QVERIFY(about->isVisible());
    }

    void disablesTheMainWindowWhileShownAndReopensTheSame()
    {
        about->show();
        QVERIFY(!mainWindow->isEnabled());
        QVERIFY(about->isEnabled());
        QTest::mouseClick(about->findChild<QPushButton *>("btnOK"), Qt::LeftButton);
        QVERIFY(!about->isVisible());
        QVERIFY(mainWindow->isEnabled());

        about->show();
        QVERIFY(!mainWindow->isEnabled());
        QCOMPARE(text("labVersion"), QStringLiteral("Version 1.5"));
        about->close(); // the frame's close button
        QVERIFY(!about->isVisible());
        QVERIFY(mainWindow->isEnabled());
    }

    void helpPageLivesInTheProgramDirectory()
    {
        QCOMPARE(ProgramInfo::HelpFilePath("/opt/brelvane/"),
                 QStringLiteral("/opt/brelvane/Brelvane.html"));
        const QString programDir = qEnvironmentVariable("BRELVANE_PROGRAM_DIR") + "/";
        QVERIFY2(QFile::exists(ProgramInfo::HelpFilePath(programDir)),
                 "the build lays the help page into the program directory");
        ProgramInfo::SetUpApplicationIdentity();
        QCOMPARE(QCoreApplication::applicationName(), QStringLiteral("Brelvane"));
    }

private:
    QLabel *label(const char *name) const { return about->findChild<QLabel *>(name); }
    QString text(const char *name) const
    {
        QLabel *found = label(name);
        return found ? found->text() : QStringLiteral("<missing %1>").arg(QLatin1String(name));
    }
    static void click(QWidget *widget) { QTest::mouseClick(widget, Qt::LeftButton); }

    FakeShell shell;
    QWidget *mainWindow = nullptr;
    TAboutForm *about = nullptr;
};

QTEST_MAIN(TestAboutForm)
#include "test_aboutform.moc"
