#include "platform/filepaths.h"

#include <QtTest>

class FilePathsTest : public QObject {
    Q_OBJECT
private slots:
    void stripsExtension_data();
    void stripsExtension();
    void addsTrailingSeparator();
};

void FilePathsTest::stripsExtension_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("stripped");
    QTest::newRow("one point") << "movie.avi"
                               << "movie";
    QTest::newRow("last point only") << "my.movie.avi"
                                     << "my.movie";
    QTest::newRow("no point") << "movie"
                              << "movie";
    QTest::newRow("point in a folder name") << "/out.d/movie"
                                            << "/out.d/movie";
    QTest::newRow("path with extension") << "/out.d/movie.mp4"
                                         << "/out.d/movie";
}

void FilePathsTest::stripsExtension()
{
    QFETCH(QString, name);
    QFETCH(QString, stripped);
    QCOMPARE(StripExtension(name), stripped);
}

void FilePathsTest::addsTrailingSeparator()
{
    QCOMPARE(AddTrailingSeparator(QStringLiteral("/tmp")), QStringLiteral("/tmp/"));
    QCOMPARE(AddTrailingSeparator(QStringLiteral("/tmp/")), QStringLiteral("/tmp/"));
    QCOMPARE(AddTrailingSeparator(QStringLiteral("/")), QStringLiteral("/"));
    QCOMPARE(AddTrailingSeparator(QString()), QString());
}

QTEST_GUILESS_MAIN(FilePathsTest)
#include "test_filepaths.moc"
