// The Start and Stop images: their look table, their click, and the look
// state kept while hidden.
#include "app/look/imagebutton.h"
#include "lookevents.h"

#include <QSignalSpy>
#include <QTest>

using Pictures::Look;

Q_DECLARE_METATYPE(Pictures::Look)

namespace {

// Drives a fresh button into a look state by the events that lead there.
void bringTo(ImageButton *button, Look look)
{
    if (look == Pictures::Hover)
        moveOver(button);
    else if (look == Pictures::Pressed)
        press(button);
    QCOMPARE(button->lookState(), look);
}

// The button shows the picture of its state: the very pixmap it was given,
// and one that differs from the pictures of the other states.
void verifyShows(ImageButton *button, Look look)
{
    QCOMPARE(button->lookState(), look);
    const QPixmap shown = button->pixmap();
    QCOMPARE(shown.cacheKey(), button->picture(look).cacheKey());
    for (int other = Pictures::Normal; other <= Pictures::Pressed; ++other) {
        if (other != look)
            QVERIFY(shown.toImage() != button->picture(Look(other)).toImage());
    }
}

} // namespace

class TestImageButton : public QObject {
    Q_OBJECT

private slots:
    void startsNormalWithItsPictures_data();
    void startsNormalWithItsPictures();
    void lookTable_data();
    void lookTable();
    void rightButtonPressesAndReleasesToHover();
    void clickIsALeftReleaseInside();
    void doubleClickPressesWithoutClickingAgain();
    void lookSurvivesHideAndShow();
};

void TestImageButton::startsNormalWithItsPictures_data()
{
    QTest::addColumn<int>("kind");
    QTest::newRow("imgStart") << int(ImageButtonKind::Start);
    QTest::newRow("imgStop") << int(ImageButtonKind::Stop);
}

void TestImageButton::startsNormalWithItsPictures()
{
    QFETCH(int, kind);
    QWidget panLogo;
    const auto which = ImageButtonKind(kind);
    ImageButton *button = makeImageButton(which, QStringLiteral("img"), &panLogo, 25, 7);
    QCOMPARE(button->objectName(), QStringLiteral("img"));
    QCOMPARE(button->geometry(), QRect(25, 7, 133, 65));
    const auto list = which == ImageButtonKind::Start ? Pictures::start : Pictures::stop;
    for (int look = Pictures::Normal; look <= Pictures::Pressed; ++look)
        QCOMPARE(button->picture(Look(look)).toImage(), list(Look(look)).toImage());
    verifyShows(button, Pictures::Normal);
}

void TestImageButton::lookTable_data()
{
    QTest::addColumn<Look>("from");
    QTest::addColumn<int>("event");
    QTest::addColumn<Look>("to");
    const int move = QEvent::MouseMove, down = QEvent::MouseButtonPress,
              up = QEvent::MouseButtonRelease;
    QTest::newRow("move, normal -> hover") << Pictures::Normal << move << Pictures::Hover;
    QTest::newRow("move, hover stays") << Pictures::Hover << move << Pictures::Hover;
    QTest::newRow("move, pressed stays") << Pictures::Pressed << move << Pictures::Pressed;
    QTest::newRow("press, normal -> pressed") << Pictures::Normal << down << Pictures::Pressed;
    QTest::newRow("press, hover -> pressed") << Pictures::Hover << down << Pictures::Pressed;
    QTest::newRow("press, pressed stays") << Pictures::Pressed << down << Pictures::Pressed;
    QTest::newRow("release, pressed -> hover") << Pictures::Pressed << up << Pictures::Hover;
    QTest::newRow("release, normal stays") << Pictures::Normal << up << Pictures::Normal;
    QTest::newRow("release, hover stays") << Pictures::Hover << up << Pictures::Hover;
}

void TestImageButton::lookTable()
{
    QFETCH(Look, from);
    QFETCH(int, event);
    QFETCH(Look, to);
    QWidget panLogo;
    ImageButton *button = makeImageButton(ImageButtonKind::Start, "imgStart", &panLogo, 25, 7);
    bringTo(button, from);
    sendMouse(button, QEvent::Type(event),
              event == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton);
    verifyShows(button, to);
}

void TestImageButton::rightButtonPressesAndReleasesToHover()
{
    QWidget panLogo;
    ImageButton *button = makeImageButton(ImageButtonKind::Start, "imgStart", &panLogo, 25, 7);
    QSignalSpy clicks(button, &ImageButton::clicked);
    moveOver(button);
    press(button, Qt::RightButton);
    verifyShows(button, Pictures::Pressed);
    release(button, Qt::RightButton);
    verifyShows(button, Pictures::Hover);
    QCOMPARE(clicks.count(), 0);
}

void TestImageButton::clickIsALeftReleaseInside()
{
    QWidget panLogo;
    ImageButton *button = makeImageButton(ImageButtonKind::Stop, "imgStop", &panLogo, 24, 7);
    QSignalSpy clicks(button, &ImageButton::clicked);
    press(button);
    release(button);
    QCOMPARE(clicks.count(), 1);
    // Dragged off before letting go: no click, though the look still returns
    // to hover as for every release.
    press(button);
    release(button, Qt::LeftButton, QPoint(140, 30));
    QCOMPARE(clicks.count(), 1);
    verifyShows(button, Pictures::Hover);
    // A release with no press on the button before it.
    release(button);
    QCOMPARE(clicks.count(), 1);
}

// The first click of a double click on Start starts the job, which puts Stop
// under the pointer; the second press lands on Stop and must not stop the job.
void TestImageButton::doubleClickPressesWithoutClickingAgain()
{
    QWidget panLogo;
    panLogo.resize(178, 77);
    ImageButton *start = makeImageButton(ImageButtonKind::Start, "imgStart", &panLogo, 25, 7);
    ImageButton *stop = makeImageButton(ImageButtonKind::Stop, "imgStop", &panLogo, 24, 7);
    stop->hide();
    connect(start, &ImageButton::clicked, start, [&] {
        start->hide();
        stop->show();
    });
    QSignalSpy stopClicks(stop, &ImageButton::clicked);
    panLogo.show();
    QVERIFY(QTest::qWaitForWindowExposed(&panLogo));
    QTest::mouseDClick(panLogo.windowHandle(), Qt::LeftButton, {}, QPoint(80, 40));
    QVERIFY(stop->isVisible());
    QCOMPARE(stopClicks.count(), 0);
    verifyShows(stop, Pictures::Hover);
}

void TestImageButton::lookSurvivesHideAndShow()
{
    QWidget panLogo;
    ImageButton *button = makeImageButton(ImageButtonKind::Start, "imgStart", &panLogo, 25, 7);
    moveOver(button);
    button->hide();
    button->resetLook(); // hidden: the surfaces leave it alone
    button->show();
    verifyShows(button, Pictures::Hover);
    button->resetLook();
    verifyShows(button, Pictures::Normal);
}

QTEST_MAIN(TestImageButton)
#include "test_imagebutton.moc"
