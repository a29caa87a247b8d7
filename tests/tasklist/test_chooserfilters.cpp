#include "tasklist/inputtypes.h"

#include <QFileDialog>
#include <QFileSystemModel>
#include <QtTest>

// The chooser filters are checked against what the file dialog itself makes
// of them: the name filters it hands to its file system model.
class ChooserFiltersTest : public QObject {
    Q_OBJECT
private slots:
    void fileDialogReadsPatterns();

private:
    QStringList patternsSeenByDialog(const QStringList &filters, const QString &filter);
};

QStringList ChooserFiltersTest::patternsSeenByDialog(const QStringList &filters,
                                                     const QString &filter)
{
    QFileDialog dialog;
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setNameFilters(filters);
    dialog.selectNameFilter(filter);
    auto *model = dialog.findChild<QFileSystemModel *>();
    return model ? model->nameFilters() : QStringList{QStringLiteral("<no model>")};
}

void ChooserFiltersTest::fileDialogReadsPatterns()
{
    const QStringList open = FilterTextToChooserFilters(OpenDialogFilterText());
    QCOMPARE(open.size(), 21);
    // The captions stay as the user knows them.
    QVERIFY(open.at(0).startsWith(QStringLiteral("All Support Files(*.avi;*.mpg;")));
    QCOMPARE(open.at(1), QStringLiteral("AVI Files (*.avi)"));
    QVERIFY(open.last().startsWith(QStringLiteral("All Files (*.*)")));
    QCOMPARE(patternsSeenByDialog(open, open.at(0)),
             QStringList({"*.avi", "*.mpg", "*.mpeg", "*.mp4", "*.wmv", "*.mov", "*.vob", "*.asf",
                          "*.mkv", "*.webm", "*.m4v", "*.3gp", "*.3g2", "*.ts", "*.mts", "*.m2ts",
                          "*.flv", "*.ogv", "*.divx"}));
    QCOMPARE(patternsSeenByDialog(open, open.at(3)), QStringList{"*.mpeg"});
    QCOMPARE(patternsSeenByDialog(open, open.last()), QStringList{"*"});

    const QStringList save = FilterTextToChooserFilters(SaveDialogFilterText());
    QCOMPARE(patternsSeenByDialog(save, save.at(7)), QStringList{"*.flv"});
}

QTEST_MAIN(ChooserFiltersTest)
#include "test_chooserfilters.moc"
