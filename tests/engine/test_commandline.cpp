#include "engine/commandline.h"
#include "engine/firstvideo.h"
#include "engine/jobplan.h"
#include "engine/picturefit.h"
#include "engine/threadshare.h"
#include "tasklist/mediaprobe.h"

#include <QTest>

class TestCommandLine : public QObject {
    Q_OBJECT
private slots:
    void conversionLineIsBuiltPieceByPiece();
    void joiningLineQuotesEveryTemporaryAndKeepsTheOptionsBlank();
    void planEncodesEachPictureOnceAndSharesTheCores();
    void splittingKeepsQuotedBlanksInOneArgument_data();
    void splittingKeepsQuotedBlanksInOneArgument();
    void builtLinesSplitBackIntoTheirPieces();
    void aPathWithAQuoteCannotBeQuoted();
    void everyShapeIsFittedUprightWithBars_data();
    void everyShapeIsFittedUprightWithBars();
    void theFirstVideosSizeAndRateAreReadAndChecked_data();
    void theFirstVideosSizeAndRateAreReadAndChecked();
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
                                QStringLiteral("/tmp/brelvane temp/0.avi"), FrameSize{640, 480}),
             QStringLiteral(" \"/home/ann/My Videos/holiday.mp4\" -o \"/tmp/brelvane temp/0.avi\" "
                            "-oac pcm -srate 48000 -channels 2 -ovc lavc -lavcopts "
                            "vcodec=mpeg4:vqscale=2 -ofps 30 -vf scale=640:480,harddup"));
    // Manual size with both fields empty is no frame at all, so it cannot
    // reach a command line (Start refuses it).
    QVERIFY(!ReadFrameSize(QStringLiteral(":")));
}

void TestCommandLine::joiningLineQuotesEveryTemporaryAndKeepsTheOptionsBlank()
{
    const QStringList temps{QStringLiteral("/T/0.avi"), QStringLiteral("/T/1.avi"),
                            QStringLiteral("/T/2.avi")};
    const QString line = JoinCommandLine(temps, QStringLiteral("/v/clip.avi"), WorkedOptions);
    // The options come first so that they apply to every temporary.
    QCOMPARE(line, QStringLiteral(" -ovc lavc -lavcopts "
                                  "vcodec=mpeg4:vbitrate=1200:mbd=2:autoaspect "
                                  "-oac mp3lame -lameopts vbr=2:q=4 -channels 2 -vf scale=640:480 "
                                  "-srate 44100 \"/T/0.avi\" \"/T/1.avi\" \"/T/2.avi\" -o "
                                  "\"/v/clip.avi\""));
}

// The conversions encode the profile's picture, each with its share of the
// cores; the join copies the pictures and encodes only the sound.
void TestCommandLine::planEncodesEachPictureOnceAndSharesTheCores()
{
    QList<PlanInput> inputs;
    for (const char *name : {"/v/a.mp4", "/v/b.mp4", "/v/c.mp4"})
        inputs << PlanInput{QString::fromLatin1(name), 10, ProbeResult()};
    PlanSettings settings;
    settings.frameSize = FrameSize{640, 480};
    settings.pictureCodecOptions = QStringLiteral("vcodec=mpeg4:vbitrate=1200:mbd=2:autoaspect");
    settings.joinOptions = QStringList{"-ovc", "copy", "-oac", "mp3lame", "-lameopts", "vbr=2:q=4"};
    settings.workFolder = QStringLiteral("/T/");
    settings.joinTarget = QStringLiteral("/v/.out.partial.avi");
    settings.conversionsAtOnce = 2;
    settings.cores = 2;
    const QStringList lines = MakeJobPlan(inputs, settings).describe(QStringLiteral("/p/asapi"));
    const QString conversion = QStringLiteral(
        "\"/p/asapi\" \"/v/%1.mp4\" -o \"/T/%2.avi\" -oac pcm -srate 48000 -channels 2 -ovc lavc "
        "-lavcopts vcodec=mpeg4:vbitrate=1200:mbd=2:autoaspect:threads=%3 -lavdopts threads=%3 "
        "-ofps 30 -vf scale=640:480,harddup");
    // Two side by side on a thread each; the last one, alone, on both cores.
    QCOMPARE(lines,
             QStringList({conversion.arg("a").arg(0).arg(1), conversion.arg("b").arg(1).arg(1),
                          conversion.arg("c").arg(2).arg(2),
                          "\"/p/asapi\" -ovc copy -oac mp3lame -lameopts vbr=2:q=4 "
                          "\"/T/0.avi\" \"/T/1.avi\" \"/T/2.avi\" -o \"/v/.out.partial.avi\""}));
    // Pairs that run side by side to the end stay on a thread each; a long
    // one beside short ones gets the cores once they are done.
    QCOMPARE(ConversionThreads({15, 15, 15, 15}, 2, 2), QList<int>({1, 1, 1, 1}));
    QCOMPARE(ConversionThreads({60, 5, 5, 5}, 2, 2), QList<int>({2, 1, 1, 1}));
    QCOMPARE(ConversionThreads({10}, 4, 8), QList<int>({8}));
    QCOMPARE(ConversionThreads({10, 10, 10, 10, 10, 10}, 3, 8), QList<int>(6, 2));
    QCOMPARE(ConversionThreads({-1, -1}, 64, 2), QList<int>({1, 1}));
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
    QCOMPARE(SplitCommandLine(ConvertCommandLine(input, temp, FrameSize{320, 240})),
             (QStringList{input, "-o", temp, "-oac", "pcm", "-srate", "48000", "-channels", "2",
                          "-ovc", "lavc", "-lavcopts", "vcodec=mpeg4:vqscale=2", "-ofps", "30",
                          "-vf", "scale=320:240,harddup"}));

    const QString output = QStringLiteral("/home/ann/My Videos/joined.avi");
    const QStringList joined =
        SplitCommandLine(JoinCommandLine({temp, input}, output, QStringLiteral(" -ovc lavc")));
    QCOMPARE(joined, (QStringList{"-ovc", "lavc", temp, input, "-o", output}));
}

void TestCommandLine::aPathWithAQuoteCannotBeQuoted()
{
    const QString sneaky = QStringLiteral("/v/a\" -o \"/home/ann/.profile");
    QVERIFY(!IsQuotable(sneaky));
    QVERIFY(IsQuotable(QStringLiteral("/v/it's fine & (ok).avi")));
    // Why it matters: the quote lets the rest of the name become arguments.
    QVERIFY(
        SplitCommandLine(ConvertCommandLine(sneaky, "/T/0.avi", FrameSize{16, 16})).count("-o") ==
        2);
}

void TestCommandLine::everyShapeIsFittedUprightWithBars_data()
{
    QTest::addColumn<QString>("frame");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<double>("aspect");
    QTest::addColumn<int>("rotation");
    QTest::addColumn<QString>("filter");
    QTest::newRow("4:3 into 4:3 fills") << "640:480" << 320 << 240 << 0.0 << 0 << "scale=640:480";
    QTest::newRow("16:9 into 4:3: letterbox")
        << "640:480" << 1280 << 720 << 16.0 / 9 << 0 << "scale=640:360,expand=640:480";
    QTest::newRow("4:3 into 16:9: pillarbox")
        << "1280:720" << 640 << 480 << 4.0 / 3 << 0 << "scale=960:720,expand=1280:720";
    QTest::newRow("DVD 720x576 shown 16:9")
        << "640:480" << 720 << 576 << 16.0 / 9 << 0 << "scale=640:360,expand=640:480";
    QTest::newRow("DVD 720x576 shown 4:3 fills")
        << "640:480" << 720 << 576 << 4.0 / 3 << 0 << "scale=640:480";
    QTest::newRow("phone, turned a quarter clockwise")
        << "640:480" << 1920 << 1080 << 16.0 / 9 << 90 << "rotate=1,scale=270:480,expand=640:480";
    QTest::newRow("phone, turned a quarter back")
        << "640:480" << 1920 << 1080 << 16.0 / 9 << 270 << "rotate=2,scale=270:480,expand=640:480";
    QTest::newRow("upside down") << "640:480" << 640 << 480 << 4.0 / 3 << 180
                                 << "flip,mirror,scale=640:480";
    QTest::newRow("unknown picture: as before")
        << "640:480" << 0 << 0 << 0.0 << 0 << "scale=640:480";
    // Not even a plain scale: nothing of such a text reaches a filter.
    QTest::newRow("typed size that is no size: no filter") << ":" << 640 << 480 << 0.0 << 0 << "";
    QTest::newRow("a size with filters after it: no filter")
        << "640:480[s];[s]metadata=mode=print:file=x" << 640 << 480 << 0.0 << 0 << "";
}

void TestCommandLine::everyShapeIsFittedUprightWithBars()
{
    QFETCH(QString, frame);
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(double, aspect);
    QFETCH(int, rotation);
    QFETCH(QString, filter);
    ProbeResult facts;
    facts.width = width;
    facts.height = height;
    facts.displayAspect = aspect;
    facts.rotation = rotation;
    const std::optional<FrameSize> size = ReadFrameSize(frame);
    QCOMPARE(size ? PictureFilter(*size, facts) : QString(), filter);
}

// "Same as the first video": the size it is shown at, even for 4:2:0, and
// its rate as the media library states it, a common rate exactly; nothing
// outside 16..8192 pixels or 1..240 pictures a second.
void TestCommandLine::theFirstVideosSizeAndRateAreReadAndChecked_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<double>("aspect");
    QTest::addColumn<int>("rotation");
    QTest::addColumn<QString>("rate");
    QTest::addColumn<QString>("frame"); // empty: none
    QTest::addColumn<QString>("taken"); // empty: none
    QTest::newRow("1080p at NTSC 30") << 1920 << 1080 << 1.778 << 0 << "29.970"
                                      << "1920:1080"
                                      << "30000/1001";
    QTest::newRow("a phone's varying 30") << 1920 << 1080 << 0.0 << 0 << "30.120"
                                          << "1920:1080"
                                          << "30";
    QTest::newRow("DVD shown 16:9") << 720 << 576 << 16.0 / 9 << 0 << "25.000"
                                    << "1024:576"
                                    << "25";
    QTest::newRow("turned a quarter") << 1920 << 1080 << 16.0 / 9 << 90 << "15.000"
                                      << "1080:1920"
                                      << "15.000";
    QTest::newRow("odd size") << 321 << 241 << 0.0 << 0 << "12.5"
                              << "320:240"
                              << "12.5";
    QTest::newRow("absurd rate") << 640 << 480 << 0.0 << 0 << "1000.000"
                                 << "640:480"
                                 << "";
    QTest::newRow("a still picture's rate") << 640 << 480 << 0.0 << 0 << "0.500"
                                            << "640:480"
                                            << "";
    QTest::newRow("rate with filter text") << 640 << 480 << 0.0 << 0 << "30,select=0"
                                           << "640:480"
                                           << "";
    QTest::newRow("no rate, tiny frame") << 8 << 8 << 0.0 << 0 << ""
                                         << ""
                                         << "";
    QTest::newRow("no size") << 0 << 0 << 0.0 << 0 << "25.000"
                             << ""
                             << "25";
}

void TestCommandLine::theFirstVideosSizeAndRateAreReadAndChecked()
{
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(double, aspect);
    QFETCH(int, rotation);
    QFETCH(QString, rate);
    QFETCH(QString, frame);
    QFETCH(QString, taken);
    ProbeResult facts;
    facts.width = width;
    facts.height = height;
    facts.displayAspect = aspect;
    facts.rotation = rotation;
    facts.frameRate = rate;
    QCOMPARE(FirstVideoFrame(facts).value_or(FrameSize()).text(),
             frame.isEmpty() ? FrameSize().text() : frame);
    QCOMPARE(FirstVideoRate(facts).value_or(QString()), taken);
}

QTEST_GUILESS_MAIN(TestCommandLine)
#include "test_commandline.moc"
