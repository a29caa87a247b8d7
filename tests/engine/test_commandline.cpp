#include "engine/commandline.h"

#include <QTest>

class TestCommandLine : public QObject {
    Q_OBJECT
private slots:
    void conversionLineIsBuiltPieceByPiece();
    void joiningLineQuotesEveryTemporaryAndKeepsTheOptionsBlank();
    void splittingKeepsQuotedBlanksInOneArgument_data();
    void splittingKeepsQuotedBlanksInOneArgument();
    void builtLinesSplitBackIntoTheirPieces();
    void aPathWithAQuoteCannotBeQuoted();
};

namespace {

// The option string of a typical profile: MP3 audio, list size 640:480.
const QString WorkedOptions = QStringLiteral(
    " -ovc lavc -lavcopts vcodec=mpeg4:vbitrate=1200:mbd=2:autoaspect -oac mp3lame -lameopts "
    "vbr=2:q=4 -channels 2 -vf scale=640:480 -srate 44100");

} // namespace

void TestCommandLine::conversionLineIsBuiltPieceByPiece()
{
    QCOMPARE(ConvertCommandLine(QStringLiteral("/home/ann/My Videos/holiday.mp4"),
                                QStringLiteral("/tmp/brelvane temp/0.avi"),
                                QStringLiteral("640:480")),
             QStringLiteral(" \"/home/ann/My Videos/holiday.mp4\" -o \"/tmp/brelvane temp/0.avi\" "
                            "-oac mp3lame -ovc lavc -ofps 30 -vf scale=640:480,harddup"));
    // Manual size with both fields empty: a lone colon, passed as it is.
    QVERIFY(ConvertCommandLine(QStringLiteral("/a.avi"), QStringLiteral("/T/1.avi"),
                               QStringLiteral(":"))
                .endsWith(QLatin1String(" -vf scale=:,harddup")));
}

void TestCommandLine::joiningLineQuotesEveryTemporaryAndKeepsTheOptionsBlank()
{
    const QStringList temps{QStringLiteral("/T/0.avi"), QStringLiteral("/T/1.avi"),
                            QStringLiteral("/T/2.avi")};
    const QString line =
        JoinCommandLine(temps, QuoteArgument(QStringLiteral("/v/clip.avi")), WorkedOptions);
    // The options come first so that they apply to every temporary.
    QCOMPARE(line, QStringLiteral(" -ovc lavc -lavcopts "
                                  "vcodec=mpeg4:vbitrate=1200:mbd=2:autoaspect "
                                  "-oac mp3lame -lameopts vbr=2:q=4 -channels 2 -vf scale=640:480 "
                                  "-srate 44100 \"/T/0.avi\" \"/T/1.avi\" \"/T/2.avi\" -o "
                                  "\"/v/clip.avi\""));
}

void TestCommandLine::splittingKeepsQuotedBlanksInOneArgument_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("empty") << QString() << QStringList();
    QTest::newRow("only blanks") << QStringLiteral("   \t ") << QStringList();
    QTest::newRow("blank runs") << QStringLiteral("  a   b\tc ") << QStringList{"a", "b", "c"};
    QTest::newRow("quoted blanks") << QStringLiteral(" \"/My Videos/a b.avi\" -o x")
                                   << QStringList{"/My Videos/a b.avi", "-o", "x"};
    QTest::newRow("empty quotes give an empty argument")
        << QStringLiteral(" -o \"\" -srate ") << QStringList{"-o", "", "-srate"};
    QTest::newRow("quotes inside a word join it")
        << QStringLiteral("scale=\"6 4\":48") << QStringList{"scale=6 4:48"};
    QTest::newRow("unterminated quote runs to the end")
        << QStringLiteral("a \"b c") << QStringList{"a", "b c"};
    QTest::newRow("pcm leaves three blanks, no empty argument")
        << QStringLiteral(" -oac pcm   -channels 2")
        << QStringList{"-oac", "pcm", "-channels", "2"};
}

void TestCommandLine::splittingKeepsQuotedBlanksInOneArgument()
{
    QFETCH(QString, text);
    QFETCH(QStringList, arguments);
    QCOMPARE(SplitCommandLine(text), arguments);
}

void TestCommandLine::builtLinesSplitBackIntoTheirPieces()
{
    const QString input = QStringLiteral("/media/x/Film (2019) - part 1.mkv");
    const QString temp = QStringLiteral("/home/ann/.cache/brelvane temp/12.avi");
    QCOMPARE(SplitCommandLine(ConvertCommandLine(input, temp, QStringLiteral("320:240"))),
             (QStringList{input, "-o", temp, "-oac", "mp3lame", "-ovc", "lavc", "-ofps", "30",
                          "-vf", "scale=320:240,harddup"}));

    const QString output = QStringLiteral("/home/ann/My Videos/joined.avi");
    const QStringList joined = SplitCommandLine(
        JoinCommandLine({temp, input}, QuoteArgument(output), QStringLiteral(" -ovc lavc")));
    QCOMPARE(joined, (QStringList{"-ovc", "lavc", temp, input, "-o", output}));
}

void TestCommandLine::aPathWithAQuoteCannotBeQuoted()
{
    const QString sneaky = QStringLiteral("/v/a\" -o \"/home/ann/.profile");
    QVERIFY(!IsQuotable(sneaky));
    QVERIFY(IsQuotable(QStringLiteral("/v/it's fine & (ok).avi")));
    // Why it matters: the quote lets the rest of the name become arguments.
    QVERIFY(SplitCommandLine(ConvertCommandLine(sneaky, "/T/0.avi", "1:1")).count("-o") == 2);
}

QTEST_GUILESS_MAIN(TestCommandLine)
#include "test_commandline.moc"
