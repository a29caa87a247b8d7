// The toolbar look and the surfaces that put the pictures back to normal,
// on a stand-in of the main window: toolbar, task list, getting-started
// panel and panLogo with the Start and Stop images.
#include "app/look/imagebutton.h"
#include "app/look/toolbarlook.h"
#include "lookevents.h"

#include <QLabel>
#include <QTest>
#include <QToolButton>
#include <QTreeView>

using Pictures::Look;

namespace {

struct Window {
    QWidget window;
    QWidget *panToolbar = new QWidget(&window);
    QList<QToolButton *> buttons;
    QTreeView *ltvTask = new QTreeView(&window);
    QWidget *panltvTask = new QWidget(&window);
    QLabel *gettingStartedLabel = new QLabel(QStringLiteral("Getting started:"), panltvTask);
    QWidget *panLogo = new QWidget(&window);
    ImageButton *imgStart = makeImageButton(ImageButtonKind::Start, "imgStart", panLogo, 25, 7);
    ImageButton *imgStop = makeImageButton(ImageButtonKind::Stop, "imgStop", panLogo, 24, 7);
    ToolbarLook look;

    Window()
    {
        const int imageNumbers[] = {0, 1, 2, 5, 6};
        for (int i = 0; i < 5; ++i) {
            auto *button = new QToolButton(panToolbar);
            button->setGeometry(9 + 109 * i, 8, 109, 58);
            buttons.append(button);
            look.addButton(button, imageNumbers[i]);
        }
        imgStop->hide();
        look.addResetSurface(panToolbar);
        look.addResetSurface(panltvTask);
        look.addImageSurface(panLogo);
        look.addImageButton(imgStart);
        look.addImageButton(imgStop);
    }

    QToolButton *tbtnAddFile() const { return buttons[0]; }
    QToolButton *tbtnAddDir() const { return buttons[1]; }
};

// The button's icon is the picture of the look it claims, and not the
// picture of any other look.
void verifyShows(const Window &w, QToolButton *button, Look look)
{
    QCOMPARE(w.look.lookState(button), look);
    const QImage shown = button->icon().pixmap(54, 54).toImage();
    for (int other = Pictures::Normal; other <= Pictures::Pressed; ++other) {
        const QImage expected = w.look.picture(button, Look(other)).toImage();
        if (other == look)
            QCOMPARE(shown, expected);
        else
            QVERIFY(shown != expected);
    }
}

void verifyOnlyHover(const Window &w, QToolButton *hovered)
{
    for (QToolButton *button : w.buttons)
        verifyShows(w, button, button == hovered ? Pictures::Hover : Pictures::Normal);
}

} // namespace

class TestToolbarLook : public QObject {
    Q_OBJECT

private slots:
    void buttonsStartNormalWithTheirOwnPictures();
    void moveHoversOnlyTheButtonUnderThePointer();
    void anyButtonPressesAndReleaseHovers_data();
    void anyButtonPressesAndReleaseHovers();
    void hoverSurvivesMoveOntoTheTaskList();
    void surfacesReset_data();
    void surfacesReset();
    void hiddenImageKeepsItsLook();
    void widgetsAddedLaterCountAsTheSurface();
};

void TestToolbarLook::buttonsStartNormalWithTheirOwnPictures()
{
    Window w;
    verifyOnlyHover(w, nullptr);
    for (QToolButton *button : w.buttons)
        QCOMPARE(button->iconSize(), QSize(54, 54));
    // Each image number has a picture of its own.
    QVERIFY(w.look.picture(w.tbtnAddFile(), Pictures::Normal).toImage() !=
            w.look.picture(w.tbtnAddDir(), Pictures::Normal).toImage());
    QCOMPARE(w.look.picture(w.buttons[3], Pictures::Hover).toImage(),
             Pictures::toolbar(5, Pictures::Hover).toImage());
}

void TestToolbarLook::moveHoversOnlyTheButtonUnderThePointer()
{
    Window w;
    moveOver(w.tbtnAddFile());
    verifyOnlyHover(w, w.tbtnAddFile());
    moveOver(w.tbtnAddDir());
    verifyOnlyHover(w, w.tbtnAddDir());
    // A move over a button also ends a pressed look elsewhere.
    press(w.buttons[4]);
    moveOver(w.buttons[2]);
    verifyOnlyHover(w, w.buttons[2]);
}

void TestToolbarLook::anyButtonPressesAndReleaseHovers_data()
{
    QTest::addColumn<int>("button");
    QTest::newRow("left") << int(Qt::LeftButton);
    QTest::newRow("right") << int(Qt::RightButton);
    QTest::newRow("middle") << int(Qt::MiddleButton);
}

void TestToolbarLook::anyButtonPressesAndReleaseHovers()
{
    QFETCH(int, button);
    Window w;
    moveOver(w.tbtnAddDir());
    press(w.tbtnAddDir(), Qt::MouseButton(button));
    verifyShows(w, w.tbtnAddDir(), Pictures::Pressed);
    release(w.tbtnAddDir(), Qt::MouseButton(button));
    verifyOnlyHover(w, w.tbtnAddDir());
}

void TestToolbarLook::hoverSurvivesMoveOntoTheTaskList()
{
    Window w;
    moveOver(w.tbtnAddFile());
    moveOver(w.ltvTask);
    moveOver(w.ltvTask->viewport());
    moveOver(&w.window);
    verifyOnlyHover(w, w.tbtnAddFile());
    moveOver(w.panToolbar);
    verifyOnlyHover(w, nullptr);
}

void TestToolbarLook::surfacesReset_data()
{
    QTest::addColumn<QString>("surface");
    QTest::addColumn<bool>("resetsToolbar");
    QTest::newRow("free toolbar area") << "panToolbar" << true;
    QTest::newRow("getting-started panel") << "panltvTask" << true;
    QTest::newRow("label on the getting-started panel") << "label" << true;
    QTest::newRow("panLogo") << "panLogo" << false;
}

void TestToolbarLook::surfacesReset()
{
    QFETCH(QString, surface);
    QFETCH(bool, resetsToolbar);
    Window w;
    QWidget *target = surface == "panToolbar"   ? w.panToolbar
                      : surface == "panltvTask" ? w.panltvTask
                      : surface == "label"      ? static_cast<QWidget *>(w.gettingStartedLabel)
                                                : w.panLogo;
    for (Look look : {Pictures::Hover, Pictures::Pressed}) {
        moveOver(w.tbtnAddDir());
        if (look == Pictures::Hover)
            moveOver(w.imgStart);
        else
            press(w.imgStart, Qt::RightButton);
        QCOMPARE(w.imgStart->lookState(), look);
        moveOver(target);
        QCOMPARE(w.imgStart->lookState(), Pictures::Normal);
        QCOMPARE(w.imgStart->pixmap().toImage(), Pictures::start(Pictures::Normal).toImage());
        verifyOnlyHover(w, resetsToolbar ? nullptr : w.tbtnAddDir());
    }
}

void TestToolbarLook::hiddenImageKeepsItsLook()
{
    Window w;
    moveOver(w.imgStart);
    // A job starts: Start gives way to Stop, which the pointer is over.
    w.imgStart->hide();
    w.imgStop->show();
    moveOver(w.imgStop);
    press(w.imgStop);
    moveOver(w.panLogo);
    QCOMPARE(w.imgStop->lookState(), Pictures::Normal);
    QCOMPARE(w.imgStart->lookState(), Pictures::Hover);
    // The job ends: Start comes back with the picture it had.
    w.imgStop->hide();
    w.imgStart->show();
    QCOMPARE(w.imgStart->pixmap().toImage(), Pictures::start(Pictures::Hover).toImage());
    moveOver(w.panToolbar);
    QCOMPARE(w.imgStart->lookState(), Pictures::Normal);
}

void TestToolbarLook::widgetsAddedLaterCountAsTheSurface()
{
    Window w;
    auto *banner = new QLabel(w.panltvTask);
    banner->ensurePolished();
    moveOver(w.tbtnAddFile());
    moveOver(banner);
    verifyOnlyHover(w, nullptr);
}

QTEST_MAIN(TestToolbarLook)
#include "test_toolbarlook.moc"
