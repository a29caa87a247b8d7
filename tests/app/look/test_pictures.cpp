// The artwork drawn from its SVG sources: every picture exists at the size
// asked for, the looks of a button can be told apart, and the backgrounds
// leave the texts laid over them readable.
#include "app/look/pictures.h"

#include <QTest>

namespace {

bool hasVisiblePixels(const QImage &image)
{
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(image.pixel(x, y)) > 0)
                return true;
        }
    }
    return false;
}

// The darkest pixel of a region, by lightness.
int darkest(const QImage &image, const QRect &region)
{
    int least = 255;
    for (int y = region.top(); y <= region.bottom(); ++y) {
        for (int x = region.left(); x <= region.right(); ++x)
            least = qMin(least, QColor(image.pixel(x, y)).lightness());
    }
    return least;
}

} // namespace

class TestPictures : public QObject {
    Q_OBJECT

private slots:
    void everyPictureDrawsAtTheSizeAsked_data();
    void everyPictureDrawsAtTheSizeAsked();
    void unknownNameGivesNothing();
    void buttonLooksDiffer();
    void imageButtonsAreSeeThroughAroundThePill();
    void backgroundsKeepTheirTextAreasLight();
};

void TestPictures::everyPictureDrawsAtTheSizeAsked_data()
{
    QTest::addColumn<QString>("name");
    const QStringList names = Pictures::names();
    // Each picture the windows place, at least.
    QVERIFY(names.size() >= 10 + 5 * 3 + 2 * 3);
    for (const QString &name : names)
        QTest::newRow(qPrintable(name)) << name;
}

void TestPictures::everyPictureDrawsAtTheSizeAsked()
{
    QFETCH(QString, name);
    const QSize design = Pictures::designSize(name);
    QVERIFY(design.isValid());
    const QPixmap atDesign = Pictures::render(name);
    QCOMPARE(atDesign.size(), design);
    QCOMPARE(atDesign.devicePixelRatio(), 1.0);
    QVERIFY(hasVisiblePixels(atDesign.toImage()));
    const QSize stretched(design.width() * 2 + 3, design.height() + 1);
    QCOMPARE(Pictures::render(name, stretched).size(), stretched);
}

void TestPictures::unknownNameGivesNothing()
{
    QVERIFY(Pictures::render(QStringLiteral("toolbar-3-normal")).isNull());
    QVERIFY(!Pictures::designSize(QStringLiteral("no such picture")).isValid());
}

void TestPictures::buttonLooksDiffer()
{
    QList<QImage> normals;
    for (int number : {0, 1, 2, 5, 6}) {
        const QImage normal = Pictures::toolbar(number, Pictures::Normal).toImage();
        const QImage hover = Pictures::toolbar(number, Pictures::Hover).toImage();
        const QImage pressed = Pictures::toolbar(number, Pictures::Pressed).toImage();
        QCOMPARE(normal.size(), QSize(54, 54));
        QVERIFY(normal != hover && hover != pressed && normal != pressed);
        for (const QImage &other : normals)
            QVERIFY(normal != other);
        normals.append(normal);
    }
    for (auto list : {Pictures::start, Pictures::stop}) {
        const QImage normal = list(Pictures::Normal).toImage();
        QCOMPARE(normal.size(), QSize(133, 65));
        QVERIFY(normal != list(Pictures::Hover).toImage());
        QVERIFY(normal != list(Pictures::Pressed).toImage());
        QVERIFY(list(Pictures::Hover).toImage() != list(Pictures::Pressed).toImage());
    }
    QVERIFY(Pictures::start(Pictures::Normal).toImage() !=
            Pictures::stop(Pictures::Normal).toImage());
}

void TestPictures::imageButtonsAreSeeThroughAroundThePill()
{
    for (auto list : {Pictures::start, Pictures::stop}) {
        for (int look = Pictures::Normal; look <= Pictures::Pressed; ++look) {
            const QImage image = list(Pictures::Look(look)).toImage();
            for (QPoint corner : {QPoint(0, 0), QPoint(132, 0), QPoint(0, 64), QPoint(132, 64)})
                QCOMPARE(qAlpha(image.pixel(corner)), 0);
            QCOMPARE(qAlpha(image.pixel(66, 32)), 255);
        }
    }
}

// The getting-started texts (program name, steps) and the About texts lie on
// these pictures; no decoration may darken where they stand.
void TestPictures::backgroundsKeepTheirTextAreasLight()
{
    const QImage gettingStarted = Pictures::render("gettingstarted-background").toImage();
    QVERIFY(darkest(gettingStarted, QRect(56, 32, 379, 37)) > 235);
    QVERIFY(darkest(gettingStarted, QRect(334, 118, 360, 120)) > 235);
    const QImage about = Pictures::render("about-background").toImage();
    QVERIFY(darkest(about, QRect(19, 14, 260, 140)) > 235);
}

QTEST_MAIN(TestPictures)
#include "test_pictures.moc"
