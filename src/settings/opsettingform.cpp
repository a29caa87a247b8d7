#include "settings/opsettingform.h"

#include "platform/messages.h"
#include "settings/profiles.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>

namespace {

constexpr int BoxLeft = 110;
constexpr int BoxWidth = 200;
constexpr int UnitLeft = 316;
constexpr int PanelLeft = 12;
constexpr int PanelWidth = 377;
// The quality, speed and frame rate rows below Aspect push everything under
// them down.
constexpr int RateRows = 84;
// The loudness and chapter rows below Sample Rate push the description and
// the buttons down.
constexpr int OutputRows = 56;

template <typename Control> Control *named(Control *control, const char *name)
{
    control->setObjectName(QLatin1String(name));
    return control;
}

QLabel *label(QWidget *parent, const char *name, const QString &caption, int left, int top)
{
    auto *text = named(new QLabel(caption, parent), name);
    text->move(left, top + 4);
    text->adjustSize();
    return text;
}

// An optional sign and decimal digits that fit a signed 32-bit number; no
// blanks and no other notations.
bool IsWholeNumber(const QString &text)
{
    static const QRegularExpression pattern(QStringLiteral("^[+-]?[0-9]+$"));
    if (!pattern.match(text).hasMatch())
        return false;
    bool fits = false;
    text.toInt(&fits);
    return fits;
}

// The position the shown text of an editable box selects: the current entry
// while the text is its caption, otherwise the entry with exactly that caption.
int selectedPosition(const QComboBox *box)
{
    const int current = box->currentIndex();
    if (current >= 0 && box->itemText(current) == box->currentText())
        return current;
    return box->findText(box->currentText(), Qt::MatchExactly | Qt::MatchCaseSensitive);
}

void showText(QComboBox *box, const QString &text)
{
    box->setCurrentIndex(box->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive));
    box->setEditText(text);
}

void setRadio(QRadioButton *button, bool checked)
{
    if (checked) {
        button->setChecked(true);
        return;
    }
    // An exclusive set refuses to clear its checked button.
    button->setAutoExclusive(false);
    button->setChecked(false);
    button->setAutoExclusive(true);
}

} // namespace

TopSettingForm::TopSettingForm(Messages *messages, QWidget *mainWindow)
    : MainWindowDialog(mainWindow)
    , Msgs(messages)
{
    setObjectName(QStringLiteral("opSettingForm"));
    setWindowTitle(tr("Output Settings"));
    QFont pixelFont = font();
    pixelFont.setPixelSize(11);
    setFont(pixelFont);
    setFixedSize(401, 467 + RateRows + OutputRows);
    buildVideoRows();
    buildSizeGroup();
    buildAudioRows();
    buildOutputRows();
    buildDescriptionAndButtons();
    // Each label names its field to a screen reader and moves the focus to
    // it with its mnemonic.
    const QPair<const char *, QWidget *> fields[] = {
        {"labVcodec", cmbVcodec},     {"labVbitrate", cmbVbitrate}, {"labAspect", cmbAspect},
        {"labVquality", cmbVquality}, {"labSpeed", cmbSpeed},       {"labFrameRate", cmbFrameRate},
        {"labWidth", edtWidth},       {"labHeight", edtHeight},     {"labAcodec", cmbAcodec},
        {"labChannels", cmbChannels}, {"labSrate", cmbSrate},       {"labAbitrate", cmbAbitrate},
        {"labEncodeTo", cmbEncodeTo}, {"labQuality", cmbQuality},   {"labBitrate", cmbBitrate},
        {"labLoudness", cmbLoudness}, {"labChapters", cmbChapters}};
    for (const auto &[labelName, field] : fields)
        findChild<QLabel *>(QLatin1String(labelName))->setBuddy(field);
    settleOverlaps();
    connectChangeHandlers();
    // No codec is chosen yet, and an empty caption is not "MP3".
    panMP3->hide();
    Remembered = shownState();
}

QComboBox *TopSettingForm::addBox(QWidget *parent, const char *name, const QString &section,
                                  bool editable, int left, int top)
{
    auto *box = named(new QComboBox(parent), name);
    box->setEditable(editable);
    if (editable)
        box->setInsertPolicy(QComboBox::NoInsert);
    box->setGeometry(left, top, BoxWidth, 22);
    // The hint names the profile section the box shows.
    box->setToolTip(section);
    box->setStatusTip(section);
    box->installEventFilter(this);
    Boxes << box;
    return box;
}

void TopSettingForm::buildVideoRows()
{
    label(this, "labVcodec", tr("Video Codec: "), 16, 12);
    cmbVcodec = addBox(this, "cmbVcodec", VideoCodecSection, false, BoxLeft, 12);
    label(this, "labVbitrate", tr("Video Bitrate:"), 16, 40);
    cmbVbitrate = addBox(this, "cmbVbitrate", VideoBitrateSection, true, BoxLeft, 40);
    label(this, "labKbit", tr("kbit"), UnitLeft, 40);
    label(this, "labAspect", tr("Aspect:"), 16, 68);
    cmbAspect = addBox(this, "cmbAspect", AspectSection, false, BoxLeft, 68);
    label(this, "labVquality", tr("Quality:"), 16, 96);
    cmbVquality = addBox(this, "cmbVquality", VideoQualitySection, false, BoxLeft, 96);
    label(this, "labSpeed", tr("Speed:"), 16, 124);
    cmbSpeed = addBox(this, "cmbSpeed", SpeedSection, false, BoxLeft, 124);
    label(this, "labFrameRate", tr("Frame Rate:"), 16, 152);
    cmbFrameRate = addBox(this, "cmbFrameRate", FrameRateSection, false, BoxLeft, 152);
    label(this, "labFps", tr("fps"), UnitLeft, 152);
}

void TopSettingForm::buildSizeGroup()
{
    auto *group = named(new QGroupBox(tr("Output Size"), this), "gpbOutputSize");
    group->setGeometry(PanelLeft, 96 + RateRows, PanelWidth, 80);
    rdbSelectSize = named(new QRadioButton(group), "rdbSelectSize");
    rdbSelectSize->setGeometry(10, 24, 18, 18);
    rdbSelectSize->setChecked(true);
    cmbVideoSize = addBox(group, "cmbVideoSize", VideoSizeSection, false, 32, 22);
    rdbManualSize = named(new QRadioButton(tr("Manual"), group), "rdbManualSize");
    rdbManualSize->setGeometry(10, 52, 72, 18);
    label(group, "labWidth", tr("Width:"), 90, 50);
    edtWidth = named(new QLineEdit(group), "edtWidth");
    edtWidth->setGeometry(132, 50, 60, 22);
    label(group, "labHeight", tr("Height:"), 206, 50);
    edtHeight = named(new QLineEdit(group), "edtHeight");
    edtHeight->setGeometry(250, 50, 60, 22);
}

void TopSettingForm::buildAudioRows()
{
    label(this, "labAcodec", tr("Audio Codec:"), 16, 186 + RateRows);
    cmbAcodec = addBox(this, "cmbAcodec", AudioCodecSection, false, BoxLeft, 186 + RateRows);
    buildLavcPanel();
    buildMP3Panel();
    label(this, "labChannels", tr("Channels:"), 16, 278 + RateRows);
    cmbChannels = addBox(this, "cmbChannels", ChannelsSection, false, BoxLeft, 278 + RateRows);
    label(this, "labSrate", tr("Sample Rate:"), 16, 306 + RateRows);
    cmbSrate = addBox(this, "cmbSrate", SampleRateSection, true, BoxLeft, 306 + RateRows);
    label(this, "labHz", tr("HZ"), UnitLeft, 306 + RateRows);
}

void TopSettingForm::buildOutputRows()
{
    label(this, "labLoudness", tr("Loudness:"), 16, 334 + RateRows);
    cmbLoudness = addBox(this, "cmbLoudness", LoudnessSection, false, BoxLeft, 334 + RateRows);
    label(this, "labChapters", tr("Chapters:"), 16, 362 + RateRows);
    cmbChapters = addBox(this, "cmbChapters", ChaptersSection, false, BoxLeft, 362 + RateRows);
}

void TopSettingForm::buildLavcPanel()
{
    panLavc = named(new QWidget(this), "panLavc");
    panLavc->setGeometry(PanelLeft, 214 + RateRows, 300, 56);
    const int boxLeft = BoxLeft - PanelLeft;
    label(panLavc, "labAbitrate", tr("Audio Bitrate:"), 4, 0);
    cmbAbitrate = addBox(panLavc, "cmbAbitrate", AudioBitrateSection, true, boxLeft, 0);
    label(panLavc, "labKbps", tr("Kbps"), UnitLeft - PanelLeft, 0);
}

void TopSettingForm::buildMP3Panel()
{
    panMP3 = named(new QWidget(this), "panMP3");
    panMP3->setGeometry(PanelLeft + 20, 240 + RateRows, 300, 56);
    const int boxLeft = BoxLeft - PanelLeft;
    label(panMP3, "labEncodeTo", tr("Encode To:"), 4, 0);
    cmbEncodeTo = addBox(panMP3, "cmbEncodeTo", Mp3EncodeSection, false, boxLeft, 0);
    labQuality = label(panMP3, "labQuality", tr("Quality:"), 4, 28);
    cmbQuality = addBox(panMP3, "cmbQuality", VbrQualitySection, false, boxLeft, 28);
    labBitrate = label(panMP3, "labBitrate", tr("Bitrate:"), 4, 0);
    cmbBitrate = addBox(panMP3, "cmbBitrate", AbrCbrBitrateSection, true, boxLeft, 0);
    labBitrate->hide();
    cmbBitrate->hide();
}

void TopSettingForm::buildDescriptionAndButtons()
{
    auto *group = named(new QGroupBox(tr("Decription"), this), "gpbDescription");
    group->setGeometry(PanelLeft, 336 + RateRows + OutputRows, PanelWidth, 84);
    memDescription = named(new QPlainTextEdit(group), "memDescription");
    memDescription->setReadOnly(true);
    memDescription->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    memDescription->setGeometry(8, 18, PanelWidth - 16, 58);

    auto *btnOK = named(new QPushButton(tr("OK"), this), "btnOK");
    btnOK->setGeometry(232, 432 + RateRows + OutputRows, 75, 25);
    connect(btnOK, &QPushButton::clicked, this, &TopSettingForm::btnOKClick);
    auto *btnCancel = named(new QPushButton(tr("Cancel"), this), "btnCancel");
    btnCancel->setGeometry(314, 432 + RateRows + OutputRows, 75, 25);
    connect(btnCancel, &QPushButton::clicked, this, &TopSettingForm::btnCancelClick);
}

// The alternatives share one place, so exactly one of each pair shows: the two
// audio panels, and the quality and bitrate rows of the MP3 panel.
void TopSettingForm::settleOverlaps()
{
    labBitrate->move(labBitrate->x(), labQuality->y());
    cmbBitrate->move(cmbBitrate->x(), cmbQuality->y());
    panLavc->resize(PanelWidth, panLavc->height());
    panMP3->setGeometry(panLavc->x(), panLavc->y(), PanelWidth, panLavc->height());
}

// Only the user's own changes count, as when a box is changed by hand; the
// loading code runs the two audio handlers itself.
void TopSettingForm::connectChangeHandlers()
{
    for (QComboBox *box : std::as_const(Boxes)) {
        if (box == cmbAcodec || box == cmbEncodeTo)
            continue;
        connect(box, &QComboBox::activated, this, [this, box] { showDescription(box); });
        if (box->lineEdit())
            connect(box->lineEdit(), &QLineEdit::textEdited, this,
                    [this, box] { showDescription(box); });
    }
    connect(cmbAcodec, &QComboBox::activated, this, &TopSettingForm::cmbAcodecChange);
    connect(cmbEncodeTo, &QComboBox::activated, this, &TopSettingForm::cmbEncodeToChange);
}

// QDialog's destructor hides the dialog, which takes the focus out of an
// editable box, which reports its text as activated: by then the members the
// handlers read are gone, so the handlers go first.
TopSettingForm::~TopSettingForm()
{
    for (QComboBox *box : std::as_const(Boxes)) {
        disconnect(box, nullptr, this, nullptr);
        if (box->lineEdit())
            disconnect(box->lineEdit(), nullptr, this, nullptr);
    }
}

void TopSettingForm::LoadProfile(const QString &path)
{
    const std::optional<OutputProfile> profile = ReadProfile(path);
    if (!profile)
        return;
    ProfilePath = path;
    OutputExtension = profile->outputExtension;
    Descriptions.clear();
    for (const ProfileOption &option : profile->options) {
        // Every section is read, those the file lacks as empty ones: their
        // boxes show empty and disabled, as the automatic profile's codec
        // rows do.
        if (!option.captions.isEmpty() || !option.description.isEmpty())
            Descriptions.insert(option.section, option.description);
        QComboBox *box = boxOfSection(option.section);
        if (!box)
            continue;
        fillBox(box, option.captions, option.index);
        if (box == cmbAcodec)
            cmbAcodecChange();
        else if (box == cmbEncodeTo)
            cmbEncodeToChange();
    }
    // Codecs without a constant quality or a speed have nothing to offer, and
    // profiles without a choice keep today's output (no chapters, the sound
    // as recorded).
    for (QComboBox *box : std::as_const(Boxes))
        box->setEnabled(box->isEditable() ? offers(box) : box->count() > 0);
    const bool sized = Descriptions.contains(VideoSizeSection);
    const QList<QWidget *> sizeFields{rdbSelectSize, rdbManualSize, edtWidth, edtHeight};
    for (QWidget *field : sizeFields)
        field->setEnabled(sized);
}

bool TopSettingForm::offers(const QComboBox *box) const
{
    return Descriptions.contains(box->toolTip());
}

void TopSettingForm::fillBox(QComboBox *box, const QStringList &captions, int index)
{
    box->clear();
    box->addItems(captions);
    // An index outside the list selects nothing; an editable box is then empty.
    box->setCurrentIndex(index >= 0 && index < captions.size() ? index : -1);
}

QComboBox *TopSettingForm::boxOfSection(const QString &section) const
{
    for (QComboBox *box : Boxes) {
        if (box->toolTip() == section)
            return box;
    }
    return nullptr;
}

QList<QComboBox *> TopSettingForm::pickOnlyBoxes() const
{
    return {cmbVcodec,   cmbAspect,   cmbVideoSize, cmbAcodec,    cmbEncodeTo, cmbQuality,
            cmbChannels, cmbVquality, cmbSpeed,     cmbFrameRate, cmbLoudness, cmbChapters};
}

QList<QComboBox *> TopSettingForm::editableBoxes() const
{
    return {cmbVbitrate, cmbAbitrate, cmbBitrate, cmbSrate};
}

WorkingSelection TopSettingForm::workingSelection() const
{
    WorkingSelection selection;
    selection.videoCodec = cmbVcodec->currentIndex();
    selection.videoBitrate = cmbVbitrate->currentText();
    selection.aspect = cmbAspect->currentIndex();
    selection.audioCodec = cmbAcodec->currentIndex();
    selection.audioCodecText = cmbAcodec->currentText();
    selection.audioBitrate = cmbAbitrate->currentText();
    selection.mp3Mode = cmbEncodeTo->currentIndex();
    selection.mp3Quality = cmbQuality->currentIndex();
    selection.mp3Bitrate = selectedPosition(cmbBitrate);
    selection.channels = cmbChannels->currentIndex();
    selection.videoQuality = cmbVquality->currentIndex();
    selection.speed = cmbSpeed->currentIndex();
    selection.frameRate = cmbFrameRate->currentIndex();
    selection.chapters = cmbChapters->currentIndex();
    selection.loudness = cmbLoudness->currentIndex();
    selection.listSize = rdbSelectSize->isChecked();
    selection.videoSize = cmbVideoSize->currentIndex();
    selection.width = edtWidth->text();
    selection.height = edtHeight->text();
    selection.sampleRate = cmbSrate->currentText();
    return selection;
}

void TopSettingForm::showDescription(QComboBox *box)
{
    // From the load: reading the file again for every box shown made a large
    // profile cost its size once per description.
    const QString description = Descriptions.value(box->toolTip());
    memDescription->setPlainText(description + QLatin1Char('\n') + tr("Current Value: ") +
                                 box->currentText());
}

void TopSettingForm::cmbAcodecChange()
{
    const bool mp3 = cmbAcodec->currentText() == QLatin1String("MP3");
    panMP3->setVisible(mp3);
    panLavc->setVisible(!mp3);
    showDescription(cmbAcodec);
}

void TopSettingForm::cmbEncodeToChange()
{
    const bool variable = cmbEncodeTo->currentIndex() == 0;
    labQuality->setVisible(variable);
    cmbQuality->setVisible(variable);
    labBitrate->setVisible(!variable);
    cmbBitrate->setVisible(!variable);
    showDescription(cmbEncodeTo);
}

bool TopSettingForm::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusIn) {
        for (QComboBox *box : std::as_const(Boxes)) {
            if (watched == box)
                showDescription(box);
        }
    }
    return QDialog::eventFilter(watched, event);
}

TopSettingForm::ShownState TopSettingForm::shownState() const
{
    ShownState state;
    for (QComboBox *box : pickOnlyBoxes())
        state.positions << box->currentIndex();
    for (QComboBox *box : editableBoxes())
        state.boxTexts << box->currentText();
    state.width = edtWidth->text();
    state.height = edtHeight->text();
    state.selectSize = rdbSelectSize->isChecked();
    state.manualSize = rdbManualSize->isChecked();
    return state;
}

void TopSettingForm::restoreState(const ShownState &state)
{
    const QList<QComboBox *> pickOnly = pickOnlyBoxes();
    for (int i = 0; i < pickOnly.size(); ++i)
        pickOnly[i]->setCurrentIndex(state.positions.value(i, -1));
    const QList<QComboBox *> editable = editableBoxes();
    for (int i = 0; i < editable.size(); ++i)
        showText(editable[i], state.boxTexts.value(i));
    edtWidth->setText(state.width);
    edtHeight->setText(state.height);
    setRadio(rdbSelectSize, state.selectSize);
    setRadio(rdbManualSize, state.manualSize);
}

void TopSettingForm::FormShow()
{
    Remembered = shownState();
    cmbVcodec->setFocus(Qt::OtherFocusReason);
}

void TopSettingForm::btnOKClick()
{
    if (passesChecks())
        close();
}

bool TopSettingForm::passesChecks()
{
    // Only what the profile offers is checked: the automatic profile has no
    // bitrates, sizes or sample rates to get wrong.
    if (offers(cmbVbitrate) && !IsWholeNumber(cmbVbitrate->currentText()))
        return refuse(tr("The video bitrate is invalid."), tr("Invalid Video Bitrate"),
                      cmbVbitrate);
    const bool manual = rdbManualSize->isChecked() && rdbManualSize->isEnabled();
    if (manual && !IsWholeNumber(edtWidth->text()))
        return refuse(tr("The output width is invalid."), tr("Invalid Width"), edtWidth);
    if (manual && !IsWholeNumber(edtHeight->text()))
        return refuse(tr("The output height is invalid."), tr("Invalid Height"), edtHeight);
    if (offers(cmbSrate) && !IsWholeNumber(cmbSrate->currentText()))
        return refuse(tr("The sample rate is invalid."), tr("Invalid Sample Rate"), cmbSrate);
    // Checked whatever the codec, even while its panel is hidden; hence the
    // focus goes to the video bitrate, which is always visible.
    if (offers(cmbAbitrate) && !IsWholeNumber(cmbAbitrate->currentText()))
        return refuse(tr("The Audio bitrate is invalid."), tr("Invalid Audio Bitrate"),
                      cmbVbitrate);
    if (cmbAcodec->currentText() == QLatin1String("MP2") &&
        cmbAbitrate->currentText().toInt() > 128) {
        showText(cmbAbitrate, QStringLiteral("128"));
        return refuse(tr("The maximum value of audio bitrate for MP2 codec is 128"),
                      tr("Invalid Audio Bitrate"), cmbAbitrate);
    }
    return true;
}

bool TopSettingForm::refuse(const QString &text, const QString &title, QWidget *focus)
{
    Msgs->inform(title, text);
    focus->setFocus(Qt::OtherFocusReason);
    return false;
}

void TopSettingForm::btnCancelClick()
{
    close();
    restoreState(Remembered);
    cmbAcodecChange();
    cmbEncodeToChange();
}

void TopSettingForm::reject()
{
    btnCancelClick();
}
