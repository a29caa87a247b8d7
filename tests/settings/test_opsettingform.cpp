#include "fakeseams.h"
#include "settings/opsettingform.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

namespace {

QByteArray section(const char *name, const QStringList &captions, int index,
                   const char *description = nullptr)
{
    QByteArray text = QByteArray("[") + name + "]\nItems=" + QByteArray::number(captions.size()) +
                      "\nIndex=" + QByteArray::number(index) + "\n";
    for (int k = 0; k < captions.size(); ++k)
        text += "Caption" + QByteArray::number(k) + "=" + captions[k].toUtf8() + "\n";
    if (description)
        text += QByteArray("Description=") + description + "\n";
    return text;
}

// A profile with every option section; the audio codec starts at "MP3".
const QByteArray FullProfile =
    "[Main]\nType=mp4\n" +
    section("Video Codec", {"MPEG-4", "MS MPEG-4"}, 0, "How the pictures are compressed.") +
    section("Video Size", {"320x240", "640x480"}, 1) +
    section("Video Bitrate", {"800", "1200", "2000"}, 1, "Kilobits per second of video.") +
    section("Aspect", {"Auto", "16:9"}, 0) +
    section("Audio Codec", {"MP3", "MP2", "mp3", "PCM"}, 0, "How the sound is compressed.") +
    section("MP3 Encode", {"VBR", "ABR", "CBR"}, 0, "Variable or fixed bitrate.") +
    section("VBR Quality", {"Good", "Best"}, 0) + section("ABR CBR Bitrate", {"128", "192"}, 1) +
    section("Audio Bitrate", {"128", "160", "192"}, 0) +
    section("Sample Rate", {"44100", "48000"}, 0) + section("Channels", {"Stereo", "Mono"}, 0) +
    section("Video Quality", {"CRF 20", "CRF 22", "A bitrate"}, 1, "How good the picture looks.") +
    section("Speed", {"fast", "slow"}, 0, "Time spent on a smaller file.") +
    section("Frame Rate", {"30", "25"}, 1, "Pictures a second.") +
    section("Loudness", {"As recorded", "Even out (EBU R128)"}, 0, "How loud each video is.") +
    section("Chapters", {"One per video", "None"}, 1, "Where each video starts.");

const QStringList Sections{"Video Codec", "Video Bitrate", "Aspect",          "Loudness",
                           "Chapters",    "Video Size",    "Audio Codec",     "Audio Bitrate",
                           "MP3 Encode",  "VBR Quality",   "ABR CBR Bitrate", "Channels",
                           "Sample Rate", "Video Quality", "Speed",           "Frame Rate"};
const QStringList BoxNames{"cmbVcodec",   "cmbVbitrate",  "cmbAspect",  "cmbLoudness",
                           "cmbChapters", "cmbVideoSize", "cmbAcodec",  "cmbAbitrate",
                           "cmbEncodeTo", "cmbQuality",   "cmbBitrate", "cmbChannels",
                           "cmbSrate",    "cmbVquality",  "cmbSpeed",   "cmbFrameRate"};

// The bytes this process has read from files and pipes so far (Linux).
qint64 bytesReadSoFar()
{
    QFile io(QStringLiteral("/proc/self/io"));
    if (!io.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : io.readAll().split('\n')) {
        if (line.startsWith("rchar:"))
            return line.mid(6).trimmed().toLongLong();
    }
    return -1;
}

void writeFile(const QString &path, const QByteArray &text)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(text);
}

} // namespace

class TestOpSettingForm : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        folder = std::make_unique<QTemporaryDir>();
        profilePath = folder->filePath("Full.bpf");
        writeFile(profilePath, FullProfile);
        messages = FakeMessages();
        mainWindow = std::make_unique<QWidget>();
        mainWindow->resize(798, 559);
        mainWindow->show();
        form = std::make_unique<TopSettingForm>(&messages, mainWindow.get());
    }
    void cleanup()
    {
        form.reset();
        mainWindow.reset();
        folder.reset();
    }

    void layoutAtCreation()
    {
        QCOMPARE(form->parent(), nullptr);
        for (int i = 0; i < BoxNames.size(); ++i) {
            QComboBox *found = box(BoxNames[i]);
            QVERIFY2(found, qPrintable(BoxNames[i]));
            QCOMPARE(found->toolTip(), Sections[i]);
            QCOMPARE(found->count(), 0);
        }
        QVERIFY(box("cmbVbitrate")->isEditable() && box("cmbBitrate")->isEditable());
        QVERIFY(box("cmbAbitrate")->isEditable() && box("cmbSrate")->isEditable());
        QVERIFY(!box("cmbVcodec")->isEditable() && !box("cmbAcodec")->isEditable());

        QWidget *panLavc = child<QWidget>("panLavc");
        QWidget *panMP3 = child<QWidget>("panMP3");
        QCOMPARE(panLavc->width(), 377);
        QCOMPARE(panMP3->width(), 377);
        QCOMPARE(panMP3->x(), panLavc->x());
        QCOMPARE(child<QLabel>("labBitrate")->y(), child<QLabel>("labQuality")->y());
        QCOMPARE(box("cmbBitrate")->y(), box("cmbQuality")->y());
        QVERIFY(!box("cmbQuality")->isHidden() && box("cmbBitrate")->isHidden());
        QVERIFY(!child<QLabel>("labQuality")->isHidden() &&
                child<QLabel>("labBitrate")->isHidden());

        QVERIFY(radio("rdbSelectSize")->isChecked());
        QCOMPARE(radio("rdbSelectSize")->text(), QString());
        QCOMPARE(edit("edtWidth")->text(), QString());
        QCOMPARE(edit("edtHeight")->text(), QString());
        QVERIFY(child<QPlainTextEdit>("memDescription")->isReadOnly());
        QCOMPARE(form->outputExtension(), QString());
        QCOMPARE(form->currentProfilePath(), QString());
    }

    void loadingFillsTheBoxesAndLeavesTheSizeMode()
    {
        QTest::keyClicks(edit("edtWidth"), "720"); // typing alone does not switch the mode
        QVERIFY(radio("rdbSelectSize")->isChecked());
        radio("rdbManualSize")->click();
        form->LoadProfile(profilePath);
        QCOMPARE(form->currentProfilePath(), profilePath);
        QCOMPARE(form->outputExtension(), QStringLiteral(".mp4"));
        QCOMPARE(items("cmbVcodec"), QStringList({"MPEG-4", "MS MPEG-4"}));
        QCOMPARE(box("cmbVbitrate")->currentText(), QStringLiteral("1200"));
        QCOMPARE(box("cmbVideoSize")->currentIndex(), 1);
        QCOMPARE(box("cmbAcodec")->currentText(), QStringLiteral("MP3"));
        QCOMPARE(box("cmbBitrate")->currentText(), QStringLiteral("192"));
        QVERIFY(panelShown("panMP3") && !panelShown("panLavc"));
        QVERIFY(box("cmbQuality")->isVisibleTo(form.get()));
        // The last handler run while loading was the encode mode's.
        QCOMPARE(description(), QStringLiteral("Variable or fixed bitrate.\nCurrent Value: VBR"));
        QVERIFY(radio("rdbManualSize")->isChecked());
        QCOMPARE(edit("edtWidth")->text(), QStringLiteral("720"));
        choose("cmbVideoSize", 0); // nor does picking a listed size
        QVERIFY(radio("rdbManualSize")->isChecked());

        const WorkingSelection selection = form->workingSelection();
        QCOMPARE(selection.videoCodec, 0);
        QCOMPARE(selection.videoBitrate, QStringLiteral("1200"));
        QCOMPARE(selection.audioCodecText, QStringLiteral("MP3"));
        QCOMPARE(selection.mp3Bitrate, 1);
        QCOMPARE(selection.videoSize, 0);
        QVERIFY(!selection.listSize);
        QCOMPARE(selection.width, QStringLiteral("720"));
        QCOMPARE(selection.sampleRate, QStringLiteral("44100"));
        QCOMPARE(selection.videoQuality, 1);
        QCOMPARE(selection.speed, 0);
        QCOMPARE(selection.frameRate, 1);
        QCOMPARE(selection.loudness, 0);
        QCOMPARE(selection.chapters, 1);
        QVERIFY(box("cmbVquality")->isEnabled());
        QVERIFY(box("cmbLoudness")->isEnabled() && box("cmbChapters")->isEnabled());
        choose("cmbChapters", 0);
        QCOMPARE(description(),
                 QStringLiteral("Where each video starts.\nCurrent Value: One per video"));
        QCOMPARE(form->workingSelection().chapters, 0);
        writeFile(profilePath, "[Video Codec]\nItems=1\nCaption0=MPEG-4\nIndex=0\n");
        form->LoadProfile(profilePath);
        QVERIFY(!box("cmbVquality")->isEnabled() && !box("cmbSpeed")->isEnabled());
        QVERIFY(!box("cmbLoudness")->isEnabled() && !box("cmbChapters")->isEnabled());
        // Nothing of the profile before stays, and nothing it lacks is
        // checked: OK takes the empty bitrates and sample rate.
        QCOMPARE(items("cmbChapters"), QStringList());
        QVERIFY(!box("cmbVbitrate")->isEnabled() && !radio("rdbManualSize")->isEnabled());
        child<QPushButton>("btnOK")->click();
        QVERIFY(messages.shown.isEmpty());
    }

    void typedBitrateSelectsTheChoiceWithThatCaption()
    {
        form->LoadProfile(profilePath);
        box("cmbBitrate")->setEditText("128");
        QCOMPARE(form->workingSelection().mp3Bitrate, 0);
        box("cmbBitrate")->setEditText("130");
        QCOMPARE(form->workingSelection().mp3Bitrate, -1);
    }

    void vanishedProfileChangesNothing()
    {
        form->LoadProfile(profilePath);
        choose("cmbAcodec", 1);
        form->LoadProfile(folder->filePath("Gone.bpf"));
        QCOMPARE(form->currentProfilePath(), profilePath);
        QCOMPARE(form->outputExtension(), QStringLiteral(".mp4"));
        QCOMPARE(box("cmbAcodec")->currentText(), QStringLiteral("MP2"));
        QCOMPARE(items("cmbVcodec"), QStringList({"MPEG-4", "MS MPEG-4"}));
    }

    void indexOutsideTheChoicesSelectsNothing()
    {
        writeFile(profilePath, "[Video Bitrate]\nItems=2\nCaption0=800\nCaption1=900\nIndex=7\n"
                               "[Video Codec]\nItems=3\nCaption0=MPEG-4\nIndex=-1\n"
                               "[Audio Codec]\nItems=1\nCaption0=MP3\nIndex=5\n");
        form->LoadProfile(profilePath);
        QCOMPARE(box("cmbVbitrate")->currentIndex(), -1);
        QCOMPARE(box("cmbVbitrate")->currentText(), QString());
        QCOMPARE(items("cmbVcodec"), QStringList({"MPEG-4", "", ""}));
        QCOMPARE(box("cmbVcodec")->currentIndex(), -1);
        QCOMPARE(form->outputExtension(), QStringLiteral(".avi"));
        // No codec shown, so the general audio panel is the one in view.
        QVERIFY(panelShown("panLavc") && !panelShown("panMP3"));
        QCOMPARE(box("cmbEncodeTo")->count(), 0);
        QVERIFY(!box("cmbBitrate")->isHidden() && box("cmbQuality")->isHidden());
    }

    void audioCodecPicksThePanelByExactCaption()
    {
        form->LoadProfile(profilePath);
        showAndActivate();
        choose("cmbAcodec", 1);
        QVERIFY(panelShown("panLavc") && !panelShown("panMP3"));
        QCOMPARE(description(), QStringLiteral("How the sound is compressed.\nCurrent Value: MP2"));
        choose("cmbAcodec", 2); // "mp3"
        QVERIFY(panelShown("panLavc") && !panelShown("panMP3"));
        choose("cmbAcodec", 0); // "MP3"
        QVERIFY(panelShown("panMP3") && !panelShown("panLavc"));
    }

    void encodeModeSwapsQualityAndBitrate()
    {
        form->LoadProfile(profilePath);
        showAndActivate();
        choose("cmbEncodeTo", 2);
        QVERIFY(box("cmbBitrate")->isVisible() && child<QLabel>("labBitrate")->isVisible());
        QVERIFY(!box("cmbQuality")->isVisible() && !child<QLabel>("labQuality")->isVisible());
        QCOMPARE(description(), QStringLiteral("Variable or fixed bitrate.\nCurrent Value: CBR"));
        choose("cmbEncodeTo", 0);
        QVERIFY(box("cmbQuality")->isVisible() && !box("cmbBitrate")->isVisible());
    }

    void descriptionFollowsTheBoxEnteredFromTheLoadedProfile()
    {
        form->LoadProfile(profilePath);
        showAndActivate();
        QCOMPARE(QApplication::focusWidget(), box("cmbVcodec"));
        QCOMPARE(description(),
                 QStringLiteral("How the pictures are compressed.\nCurrent Value: MPEG-4"));

        box("cmbVbitrate")->setFocus();
        QCOMPARE(description(),
                 QStringLiteral("Kilobits per second of video.\nCurrent Value: 1200"));
        QTest::keyClicks(box("cmbVbitrate"), "5");
        QCOMPARE(box("cmbVbitrate")->currentText(), QStringLiteral("12005"));
        QCOMPARE(description(),
                 QStringLiteral("Kilobits per second of video.\nCurrent Value: 12005"));

        // The file is read at the load only; the next load shows an edit.
        QByteArray changed = FullProfile;
        changed.replace("Kilobits per second of video.", "Edited on disk.");
        writeFile(profilePath, changed);
        box("cmbAspect")->setFocus();
        box("cmbVbitrate")->setFocus();
        QCOMPARE(description(),
                 QStringLiteral("Kilobits per second of video.\nCurrent Value: 12005"));
        form->LoadProfile(profilePath);
        box("cmbAspect")->setFocus();
        box("cmbVbitrate")->setFocus();
        QCOMPARE(description(), QStringLiteral("Edited on disk.\nCurrent Value: 1200"));
        box("cmbSpeed")->setFocus();
        QCOMPARE(description(),
                 QStringLiteral("Time spent on a smaller file.\nCurrent Value: fast"));
    }

    // A large damaged profile (every section claims the most choices, one
    // holds them all) is read from disk once by a load and the descriptions
    // shown after it: the bytes this process reads stay below twice its size.
    void largeProfileIsReadOnce()
    {
        QByteArray large;
        for (const QString &name : Sections)
            large += "[" + name.toUtf8() + "]\nItems=10000\nDescription=Damaged.\n";
        const QByteArray caption(90, 'c');
        for (int k = 0; k < 10000; ++k) // all in the last section, "Sample Rate"
            large += "Caption" + QByteArray::number(k) + "=" + caption + "\n";
        large += FullProfile;
        writeFile(profilePath, large);
        showAndActivate();

        const qint64 before = bytesReadSoFar();
        form->LoadProfile(profilePath);
        for (const QString &name : BoxNames)
            box(name)->setFocus();
        QVERIFY2(bytesReadSoFar() - before < 2 * large.size(),
                 qPrintable(QString::number(bytesReadSoFar() - before)));
        QCOMPARE(box("cmbSrate")->count(), 10000);
        QCOMPARE(description(), "Damaged.\nCurrent Value: " + QString::fromLatin1(caption));
    }

    void okChecksInOrderWithTheirFocus_data()
    {
        QTest::addColumn<QString>("videoBitrate");
        QTest::addColumn<bool>("manual");
        QTest::addColumn<QString>("width");
        QTest::addColumn<QString>("height");
        QTest::addColumn<QString>("sampleRate");
        QTest::addColumn<QString>("audioBitrate");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("focus");

        QTest::newRow("video bitrate") << "12a" << false << ""
                                       << ""
                                       << "44100"
                                       << "128"
                                       << "The video bitrate is invalid."
                                       << "Invalid Video Bitrate"
                                       << "cmbVbitrate";
        QTest::newRow("video bitrate beyond 32 bits") << "2147483648" << false << ""
                                                      << ""
                                                      << "44100"
                                                      << "128"
                                                      << "The video bitrate is invalid."
                                                      << "Invalid Video Bitrate"
                                                      << "cmbVbitrate";
        QTest::newRow("width") << "+800" << true << ""
                               << "480"
                               << "44100"
                               << "128"
                               << "The output width is invalid."
                               << "Invalid Width"
                               << "edtWidth";
        QTest::newRow("height") << "-800" << true << "640"
                                << "0x1E0"
                                << "44100"
                                << "128"
                                << "The output height is invalid."
                                << "Invalid Height"
                                << "edtHeight";
        QTest::newRow("sample rate") << "800" << false << ""
                                     << ""
                                     << " 44100"
                                     << "128"
                                     << "The sample rate is invalid."
                                     << "Invalid Sample Rate"
                                     << "cmbSrate";
        QTest::newRow("audio bitrate while its panel is hidden") << "800" << false << "x"
                                                                 << "y"
                                                                 << "44100"
                                                                 << "abc"
                                                                 << "The Audio bitrate is invalid."
                                                                 << "Invalid Audio Bitrate"
                                                                 << "cmbVbitrate";
    }
    void okChecksInOrderWithTheirFocus()
    {
        QFETCH(QString, videoBitrate);
        QFETCH(bool, manual);
        QFETCH(QString, width);
        QFETCH(QString, height);
        QFETCH(QString, sampleRate);
        QFETCH(QString, audioBitrate);
        QFETCH(QString, text);
        QFETCH(QString, title);
        QFETCH(QString, focus);

        form->LoadProfile(profilePath); // MP3 panel in view
        showAndActivate();
        box("cmbVbitrate")->setEditText(videoBitrate);
        if (manual)
            radio("rdbManualSize")->click();
        edit("edtWidth")->setText(width);
        edit("edtHeight")->setText(height);
        box("cmbSrate")->setEditText(sampleRate);
        box("cmbAbitrate")->setEditText(audioBitrate);
        box("cmbAspect")->setFocus();

        QTest::mouseClick(child<QPushButton>("btnOK"), Qt::LeftButton);
        QCOMPARE(messages.shown.size(), 1);
        QCOMPARE(messages.shown[0].kind, ShownMessage::Inform);
        QCOMPARE(messages.shown[0].text, text);
        QCOMPARE(messages.shown[0].title, title);
        QVERIFY(form->isVisible());
        QVERIFY(!mainWindow->isEnabled());
        QCOMPARE(QApplication::focusWidget()->objectName(), focus);
    }

    void emptySizeFieldsPassInListMode()
    {
        form->LoadProfile(profilePath);
        showAndActivate();
        QTest::mouseClick(child<QPushButton>("btnOK"), Qt::LeftButton);
        QCOMPARE(messages.shown.size(), 0);
        QVERIFY(!form->isVisible());
        QVERIFY(mainWindow->isEnabled());
    }

    void mp2BitrateIsCutTo128()
    {
        form->LoadProfile(profilePath);
        showAndActivate();
        choose("cmbAcodec", 1);
        choose("cmbAbitrate", 1);
        QCOMPARE(box("cmbAbitrate")->currentText(), QStringLiteral("160"));
        QTest::mouseClick(child<QPushButton>("btnOK"), Qt::LeftButton);
        QCOMPARE(messages.shown.size(), 1);
        QCOMPARE(messages.shown[0].text,
                 QStringLiteral("The maximum value of audio bitrate for MP2 codec is 128"));
        QCOMPARE(messages.shown[0].title, QStringLiteral("Invalid Audio Bitrate"));
        QCOMPARE(box("cmbAbitrate")->currentText(), QStringLiteral("128"));
        QCOMPARE(QApplication::focusWidget(), box("cmbAbitrate"));
        QVERIFY(form->isVisible());

        QTest::mouseClick(child<QPushButton>("btnOK"), Qt::LeftButton);
        QCOMPARE(messages.shown.size(), 1);
        QVERIFY(!form->isVisible());
        QCOMPARE(box("cmbAbitrate")->currentText(), QStringLiteral("128"));
    }

    void cancelRestoresCodecPanelAndSizeMode()
    {
        form->LoadProfile(profilePath);
        showAndActivate();
        choose("cmbEncodeTo", 1);
        choose("cmbAcodec", 1);
        choose("cmbVcodec", 1);
        radio("rdbManualSize")->click();
        edit("edtWidth")->setText("640");
        box("cmbVbitrate")->setEditText("999");
        box("cmbBitrate")->setEditText("128");
        QVERIFY(panelShown("panLavc"));

        QTest::mouseClick(child<QPushButton>("btnCancel"), Qt::LeftButton);
        QVERIFY(!form->isVisible());
        QVERIFY(mainWindow->isEnabled());
        QCOMPARE(box("cmbAcodec")->currentText(), QStringLiteral("MP3"));
        QVERIFY(panelShown("panMP3") && !panelShown("panLavc"));
        QCOMPARE(box("cmbEncodeTo")->currentIndex(), 0);
        QVERIFY(box("cmbQuality")->isVisibleTo(form.get()));
        QVERIFY(!box("cmbBitrate")->isVisibleTo(form.get()));
        QCOMPARE(box("cmbVcodec")->currentIndex(), 0);
        QVERIFY(radio("rdbSelectSize")->isChecked() && !radio("rdbManualSize")->isChecked());
        QCOMPARE(edit("edtWidth")->text(), QString());
        QCOMPARE(box("cmbVbitrate")->currentText(), QStringLiteral("1200"));
        QCOMPARE(box("cmbBitrate")->currentText(), QStringLiteral("192"));
        QCOMPARE(form->workingSelection().mp3Bitrate, 1);
    }

    void reopeningAfterTheCloseButtonShowsTheEdits()
    {
        form->LoadProfile(profilePath);
        showAndActivate();
        choose("cmbAcodec", 3);
        radio("rdbManualSize")->click();
        edit("edtWidth")->setText("oops"); // not checked when closed by the frame
        QVERIFY(form->close());
        QVERIFY(!form->isVisible());
        QVERIFY(mainWindow->isEnabled());
        QCOMPARE(messages.shown.size(), 0);

        showAndActivate();
        QVERIFY(!mainWindow->isEnabled());
        QCOMPARE(box("cmbAcodec")->currentText(), QStringLiteral("PCM"));
        QVERIFY(panelShown("panLavc"));
        QVERIFY(radio("rdbManualSize")->isChecked());
        QCOMPARE(edit("edtWidth")->text(), QStringLiteral("oops"));
        // Cancel now goes back to this opening, edits included.
        choose("cmbAcodec", 0);
        QTest::mouseClick(child<QPushButton>("btnCancel"), Qt::LeftButton);
        QCOMPARE(box("cmbAcodec")->currentText(), QStringLiteral("PCM"));
        QVERIFY(panelShown("panLavc"));
    }

private:
    void showAndActivate()
    {
        form->show();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
    }
    // Picks an entry from the keyboard, as a user would.
    void choose(const QString &name, int index)
    {
        QComboBox *target = box(name);
        target->setFocus();
        QTest::keyClick(target, Qt::Key_Home);
        if (target->currentIndex() != 0)
            target->setCurrentIndex(0); // an editable box's Home moves its cursor
        for (int i = 0; i < index; ++i)
            QTest::keyClick(target, Qt::Key_Down);
        QCOMPARE(target->currentIndex(), index);
    }
    template <typename T> T *child(const QString &name) const { return form->findChild<T *>(name); }
    QComboBox *box(const QString &name) const { return child<QComboBox>(name); }
    QRadioButton *radio(const QString &name) const { return child<QRadioButton>(name); }
    QLineEdit *edit(const QString &name) const { return child<QLineEdit>(name); }
    bool panelShown(const QString &name) const
    {
        return child<QWidget>(name)->isVisibleTo(form.get());
    }
    QStringList items(const QString &name) const
    {
        QStringList texts;
        for (int i = 0; i < box(name)->count(); ++i)
            texts << box(name)->itemText(i);
        return texts;
    }
    QString description() const { return child<QPlainTextEdit>("memDescription")->toPlainText(); }

    std::unique_ptr<QTemporaryDir> folder;
    QString profilePath;
    FakeMessages messages;
    std::unique_ptr<QWidget> mainWindow;
    std::unique_ptr<TopSettingForm> form;
};

QTEST_MAIN(TestOpSettingForm)
#include "test_opsettingform.moc"
