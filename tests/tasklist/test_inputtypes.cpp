#include "tasklist/inputtypes.h"

#include <QtTest>

class InputTypesTest : public QObject {
    Q_OBJECT
private slots:
    void buildsDialogFilters();
    void recognisesInputExtensions_data();
    void recognisesInputExtensions();
};

void InputTypesTest::buildsDialogFilters()
{
    const QString mask =
        QStringLiteral("*.avi;*.mpg;*.mpeg;*.mp4;*.wmv;*.mov;*.vob;*.asf;*.mkv;*.webm;"
                       "*.m4v;*.3gp;*.3g2;*.ts;*.mts;*.m2ts;*.flv;*.ogv;*.divx;");
    QCOMPARE(InputMask(), mask);
    // The entries of old stay as they were; the newer types follow them.
    QCOMPARE(OpenDialogFilterText(),
             QStringLiteral("All Support Files(") + mask + QStringLiteral(")|") + mask +
                 QStringLiteral(
                     "|AVI Files (*.avi)|*.avi|MPG Files "
                     "(*.mpg)|*.mpg|MPEG Files (*.mpeg)|*.mpeg|MP4 Files (*.mp4)|*.mp4|WMV Files "
                     "(*.wmv)|*.wmv|MOV Files (*.mov)|*.mov|VOB Files (*.vob)|*.vob|ASF Files "
                     "(*.asf)|*.asf|MKV Files (*.mkv)|*.mkv|WEBM Files (*.webm)|*.webm|M4V Files "
                     "(*.m4v)|*.m4v|3GP Files (*.3gp)|*.3gp|3G2 Files (*.3g2)|*.3g2|TS Files "
                     "(*.ts)|*.ts|MTS Files (*.mts)|*.mts|M2TS Files (*.m2ts)|*.m2ts|FLV Files "
                     "(*.flv)|*.flv|OGV Files (*.ogv)|*.ogv|DIVX Files (*.divx)|*.divx|All Files "
                     "(*.*)|*.*"));
    QCOMPARE(SaveDialogFilterText(),
             QStringLiteral("AVI Files (*.avi)|*.avi|MPG Files (*.mpg)|*.mpg|MP4 Files "
                            "(*.mp4)|*.mp4|WMV Files (*.wmv)|*.wmv|MOV Files (*.mov)|*.mov|VOB "
                            "Files (*.vob)|*.vob|ASF Files (*.asf)|*.asf|FLV Files "
                            "(*.flv)|*.flv|All Files (*.*)|*.*"));
}

void InputTypesTest::recognisesInputExtensions_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("supported");
    QTest::newRow("lower case") << "/v/a.avi" << true;
    QTest::newRow("upper case") << "/v/B.MPEG" << true;
    QTest::newRow("mixed case") << "/v/c.Mp4" << true;
    QTest::newRow("rmvb is no input type") << "/v/d.rmvb" << false;
    QTest::newRow("last point counts") << "/v/e.avi.txt" << false;
    QTest::newRow("no point in the name") << "/v.avi/readme" << false;
    QTest::newRow("name is only the extension") << "/v/.wmv" << true;
    QTest::newRow("only A to Z are lowered") << QString::fromUtf8("/v/f.AV\u0130") << false;
    QTest::newRow("trailing blank") << "/v/g.avi " << false;
    QTest::newRow("empty") << "" << false;
}

void InputTypesTest::recognisesInputExtensions()
{
    QFETCH(QString, path);
    QFETCH(bool, supported);
    QCOMPARE(IsSupportedExt(path), supported);
}

QTEST_GUILESS_MAIN(InputTypesTest)
#include "test_inputtypes.moc"
