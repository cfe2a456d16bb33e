#include "settings/OptionsDialog.h"

#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QShortcut>
#include <QShowEvent>
#include <QStyleOptionButton>
#include <QStylePainter>
#include <algorithm>

#include "core/display/LedGlyph.h"
#include "core/input/KeyTables.h"
#include "core/settings/OptionsRules.h"
#include "display/BoardControls.h"
#include "display/LedDigit.h"
#include "display/PublicScreenController.h"
#include "settings/OptionsDialogs.h"
#include "settings/SettingsErrorReporter.h"

namespace {

constexpr int kFileLabelLength = 50;
const QString kArial = QStringLiteral("Arial");

// A command button whose caption wraps onto a second line when it is wider than the button, as the
// two-line key buttons need.
class CaptionButton : public QPushButton {
public:
    CaptionButton(const QString& caption, QWidget* parent) : QPushButton(caption, parent) {}

protected:
    void paintEvent(QPaintEvent*) override {
        QStylePainter painter(this);
        QStyleOptionButton option;
        initStyleOption(&option);
        const QString caption = option.text;
        option.text.clear();
        painter.drawControl(QStyle::CE_PushButton, option);
        const QRect area = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
        int flags = Qt::AlignCenter | Qt::TextWordWrap | Qt::TextShowMnemonic;
        if (!style()->styleHint(QStyle::SH_UnderlineShortcut, &option, this))
            flags |= Qt::TextHideMnemonic;
        painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
        painter.drawText(area, flags, caption);
    }
};

QPushButton* button(QWidget* parent, const QString& caption, double l, double t, double w, double h) {
    QPushButton* b = new CaptionButton(caption, parent);
    twips::place(b, l, t, w, h);
    return b;
}

QLabel* label(QWidget* parent, const QString& caption, double l, double t, double w, double h) {
    auto* lbl = new QLabel(caption, parent);
    twips::place(lbl, l, t, w, h);
    return lbl;
}

QGroupBox* frame(QWidget* parent, const QString& caption, double l, double t, double w, double h) {
    auto* box = new QGroupBox(caption, parent);
    twips::place(box, l, t, w, h);
    return box;
}

// A label with a single-line border around centred text, as the key names and the width number show.
QLabel* borderedLabel(QWidget* parent, double l, double t, double w, double h) {
    QLabel* lbl = label(parent, QString(), l, t, w, h);
    lbl->setFrameStyle(QFrame::Box | QFrame::Plain);
    lbl->setLineWidth(1);
    lbl->setAlignment(Qt::AlignCenter);
    return lbl;
}

QFont pixelFont(const QString& family, double points, bool bold = false) {
    QFont font(family);
    font.setPixelSize(twips::pointsToPixels(points));
    font.setBold(bold);
    return font;
}

TextExtentTwips extentOf(const QWidget* w) {
    return {static_cast<std::int64_t>(twips::width(w)), static_cast<std::int64_t>(twips::height(w))};
}

} // namespace

ColorSample::ColorSample(QWidget* parent) : QFrame(parent) {
    // A grey outline shows the sample's edge against the dialog whether the colour is white or black.
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    QPalette pal = palette();
    pal.setColor(QPalette::WindowText, QColor(128, 128, 128));
    setPalette(pal);
    setAutoFillBackground(true);
    setBackColor(0);
}

void ColorSample::setBackColor(OleColor color) {
    m_color = color;
    QPalette pal = palette();
    pal.setColor(QPalette::Window, fromOleColor(color));
    setPalette(pal);
}

OptionsDialog::OptionsDialog(SettingsVariables& settings, SettingsStore& store, std::function<void(bool)> setNumLock,
                             OptionsDialogs& dialogs, QWidget* parent)
    : QDialog(parent), m_settings(settings), m_store(store), m_setNumLock(std::move(setNumLock)), m_dialogs(dialogs) {
    setObjectName(QStringLiteral("frmOptions"));
    setWindowTitle(tr("Options"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setFont(pixelFont(kArial, 8.25));
    setFixedSize(twips::toPixels(6030), twips::toPixels(6810));

    tabs = new QTabWidget(this);
    tabs->setObjectName(QStringLiteral("SSTab1"));
    twips::place(tabs, 120, 120, 5775, 6135);
    const QStringList captions{tr("Keyboard Controls"), tr("Color Controls"), tr("Text Controls")};
    for (int i = 0; i < 3; ++i) {
        auto* page = new QWidget;
        m_canvases[static_cast<std::size_t>(i)] = new QWidget(page);
        tabs->addTab(page, captions[i]);
    }
    buildKeyboardTab(m_canvases[0]);
    buildColorTab(m_canvases[1]);
    buildTextTab(m_canvases[2]);
    // Ctrl+Tab and Ctrl+Shift+Tab turn the tabs wherever the keyboard is in the dialog, not only on the tabs.
    const auto turnTabs = [this](int step) {
        tabs->setCurrentIndex((tabs->currentIndex() + step + tabs->count()) % tabs->count());
    };
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Tab), this), &QShortcut::activated, this,
            [turnTabs] { turnTabs(1); });
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab), this), &QShortcut::activated, this,
            [turnTabs] { turnTabs(-1); });

    okButton = button(this, tr("&Ok"), 1680, 6360, 1080, 375);
    cancelButton = button(this, tr("&Cancel"), 2880, 6360, 1080, 375);
    okButton->setDefault(true);
    connect(okButton, &QPushButton::clicked, this, [this] { onOkClicked(); });
    connect(cancelButton, &QPushButton::clicked, this, [this] { onCancelClicked(); });

    fillFromSettings();
}

void OptionsDialog::buildKeyboardTab(QWidget* page) {
    sepTimeButton = button(page, tr("Start / Stop Penalty Clock"), 240, 480, 1695, 495);
    startStopClockButton = button(page, tr("Start / Stop  Clock"), 240, 1080, 1695, 375);
    resetClockButton = button(page, tr("Reset Clock"), 240, 1560, 1695, 375);
    hornButton = button(page, tr("Horn"), 240, 2040, 1695, 375);
    buzzerButton = button(page, tr("Buzzer"), 240, 2520, 1695, 375);
    clockSwitchButton = button(page, tr("Game / Clock Switch"), 240, 3000, 1695, 375);
    clearKeyButton = button(page, tr("# Clear Key"), 240, 3480, 1695, 375);
    sepTimeLabel = borderedLabel(page, 1920, 480, 1335, 375);
    startStopClockLabel = borderedLabel(page, 1920, 1080, 1335, 375);
    resetClockLabel = borderedLabel(page, 1920, 1560, 1335, 375);
    hornLabel = borderedLabel(page, 1920, 2040, 1335, 375);
    buzzerLabel = borderedLabel(page, 1920, 2520, 1335, 375);
    clockSwitchLabel = borderedLabel(page, 1920, 3000, 1335, 375);
    clearLabel = borderedLabel(page, 1920, 3480, 1335, 375);

    m_keyButtons = {{
        {startStopClockButton, startStopClockLabel, &OptionsDialog::startStopClockKeyTemp,
         QT_TR_NOOP("start / stop the clock")},
        {resetClockButton, resetClockLabel, &OptionsDialog::resetClockKeyTemp, QT_TR_NOOP("reset the clock")},
        {clearKeyButton, clearLabel, &OptionsDialog::clearKeyTemp, QT_TR_NOOP("clear a number")},
        {clockSwitchButton, clockSwitchLabel, &OptionsDialog::clockSwitchKeyTemp,
         QT_TR_NOOP("switch between clock and game time")},
        {sepTimeButton, sepTimeLabel, &OptionsDialog::sepTimeKeyTemp,
         QT_TR_NOOP("start / stop an independent penalty clock")},
        {buzzerButton, buzzerLabel, &OptionsDialog::buzzerKeyTemp, QT_TR_NOOP("sound the buzzer")},
        {hornButton, hornLabel, &OptionsDialog::hornKeyTemp, QT_TR_NOOP("sound the horn")},
    }};
    for (const KeyButton& key : m_keyButtons)
        connect(key.button, &QPushButton::clicked, this, [this, key] { changeKey(key); });

    numLockFrame = frame(page, tr("Numlock Options:"), 3600, 1080, 1935, 1455);
    normalOption = new QRadioButton(tr("Normal Mode"), numLockFrame);
    twips::place(normalOption, 120, 300, 1695, 315);
    keepOnOption = new QRadioButton(tr("Keep Numlock On"), numLockFrame);
    twips::place(keepOnOption, 120, 660, 1695, 315);
    keepOffOption = new QRadioButton(tr("Keep Numlock Off"), numLockFrame);
    twips::place(keepOffOption, 120, 1020, 1695, 315);

    resetKeysButton = button(page, tr("Reset Keys"), 3960, 2760, 1215, 375);
    connect(resetKeysButton, &QPushButton::clicked, this, [this] { onResetKeysClicked(); });

    buzzerFileFrame = frame(page, tr("Buzzer File:"), 120, 3960, 5535, 975);
    buzzerSoundButton = button(buzzerFileFrame, tr("Change Buzzer Sound"), 120, 270, 1935, 330);
    buzzerFileLabel = label(buzzerFileFrame, QString(), 120, 645, 5295, 255);
    hornFileFrame = frame(page, tr("Horn Sound:"), 120, 5040, 5535, 975);
    hornSoundButton = button(hornFileFrame, tr("Change Horn Sound"), 120, 270, 1935, 330);
    hornFileLabel = label(hornFileFrame, QString(), 120, 645, 5295, 255);
    connect(buzzerSoundButton, &QPushButton::clicked, this, [this] { changeSound(buzzTemp, buzzerFileLabel); });
    connect(hornSoundButton, &QPushButton::clicked, this, [this] { changeSound(hornTemp, hornFileLabel); });
}

void OptionsDialog::buildColorTab(QWidget* page) {
    struct Cell {
        QGroupBox** frame;
        ColorSample** sample;
        QPushButton** change;
        const char* caption;
        double left;
        double top;
    };
    const Cell cells[] = {
        {&timeColourFrame, &timeColourSample, &timeColourButton, QT_TR_NOOP("Time Color:"), 240, 660},
        {&scoreColourFrame, &scoreColourSample, &scoreColourButton, QT_TR_NOOP("Score Color:"), 2040, 660},
        {&borderColourFrame, &borderColourSample, &borderColourButton, QT_TR_NOOP("Border Color:"), 3840, 660},
        {&backColourFrame, &backColourSample, &backColourButton, QT_TR_NOOP("Back Color:"), 240, 1740},
        {&periodColourFrame, &periodColourSample, &periodColourButton, QT_TR_NOOP("Period Color:"), 2040, 1740},
        {&homeColourFrame, &homeColourSample, &homeColourButton, QT_TR_NOOP("Home Color:"), 3840, 1740},
        {&ledBackFrame, &ledBackSample, &ledBackButton, QT_TR_NOOP("LED Background:"), 240, 2820},
        {&ledSelectedFrame, &ledSelectedSample, &ledSelectedButton, QT_TR_NOOP("LED Selected"), 2040, 2820},
        {&visitorColourFrame, &visitorColourSample, &visitorColourButton, QT_TR_NOOP("Visitor Color:"), 3840, 2820},
    };
    for (const Cell& cell : cells) {
        const bool selected = cell.frame == &ledSelectedFrame;
        *cell.frame = frame(page, tr(cell.caption), cell.left, cell.top, 1695, selected ? 1095 : 735);
        *cell.sample = new ColorSample(*cell.frame);
        twips::place(*cell.sample, 120, 240, 615, 375);
        *cell.change = button(*cell.frame, tr("Change"), 840, 240, 735, 375);
        ColorSample* sample = *cell.sample;
        connect(*cell.change, &QPushButton::clicked, this, [this, sample] { changeColor(sample); });
    }

    widthLabel = label(ledSelectedFrame, tr("Width:"), 120, 720, 615, 255);
    widthLabel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    selectedWidthValueLabel = borderedLabel(ledSelectedFrame, 840, 720, 375, 255);
    selectedWidthValueLabel->setAutoFillBackground(true);
    QPalette white = selectedWidthValueLabel->palette();
    white.setColor(QPalette::Window, Qt::white);
    white.setColor(QPalette::WindowText, Qt::black);
    selectedWidthValueLabel->setPalette(white);
    // A spinner: 5 at the top, 0 at the bottom, so its up arrow raises the number. A scroll bar's up arrow
    // steps towards its minimum, so the bar holds the width negated: -5 at the top, 0 at the bottom.
    selectedWidthSlider = new QScrollBar(Qt::Vertical, ledSelectedFrame);
    twips::place(selectedWidthSlider, 1200, 720, 255, 255);
    selectedWidthSlider->setRange(-kSelectedWidthMax, -kSelectedWidthMin);
    selectedWidthSlider->setSingleStep(1);
    selectedWidthSlider->setPageStep(1);
    // Reached with Tab like every other control; the arrow keys then step it (up and right widen the marker).
    selectedWidthSlider->setFocusPolicy(Qt::StrongFocus);
    setTabOrder(ledSelectedButton, selectedWidthSlider);
    connect(selectedWidthSlider, &QScrollBar::valueChanged, this, [this] { onSelectedWidthChanged(); });

    digitTypeFrame = frame(page, tr("Digit Type:"), 1680, 4200, 2415, 1575);
    ledTypeCombo = new QComboBox(digitTypeFrame);
    ledTypeCombo->addItems({tr("Lines"), tr("Dots")});
    twips::place(ledTypeCombo, 120, 480, 1275, 330);
    previewLabel = label(digitTypeFrame, tr("Preview:"), 120, 1140, 1335, 255);
    previewLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    previewDigit = new LedDigit(digitTypeFrame);
    previewDigit->setSize(65);
    previewDigit->setCaption(8);
    previewDigit->move(twips::toPixels(1560), twips::toPixels(480));
    previewDigit->setFocusPolicy(Qt::NoFocus);
    connect(ledTypeCombo, &QComboBox::currentIndexChanged, this, [this] { onLedTypeChosen(); });

    resetColorsButton = button(page, tr("Reset Colors"), 4320, 4740, 1215, 375);
    connect(resetColorsButton, &QPushButton::clicked, this, [this] { onResetColorsClicked(); });
}

void OptionsDialog::buildTextTab(QWidget* page) {
    homeNameFrame = frame(page, tr("Home Name:"), 360, 840, 4815, 1095);
    homeTextEdit = new QLineEdit(QStringLiteral("Home"), homeNameFrame);
    visitorNameFrame = frame(page, tr("Visitor Name:"), 360, 2340, 4815, 1095);
    visitorTextEdit = new QLineEdit(QStringLiteral("Visitor"), visitorNameFrame);
    for (QLineEdit* box : {homeTextEdit, visitorTextEdit}) {
        twips::place(box, 120, 480, 4575, 435);
        box->setMaxLength(20);
        box->setFont(pixelFont(kArial, 15.75));
    }

    // The measuring labels of the size fit: never shown, they lie below the tab's client area.
    homePreviewLabel = new LabelControl(QStringLiteral("Home"), page);
    visitorPreviewLabel = new LabelControl(QStringLiteral("Visitor"), page);
    for (LabelControl* measure : {homePreviewLabel, visitorPreviewLabel}) {
        twips::place(measure, 360, 7000, 1900, 600);
        measure->setFontFace(kArial, true);
        measure->setAutoSize(true);
        measure->hide();
    }
    // The rules of the game for the penalty clocks (queue, release on a goal); off, the board keeps none.
    penaltyRulesCheck = new QCheckBox(tr("Apply penalty rules"), page);
    penaltyRulesCheck->setObjectName(QStringLiteral("chkPenaltyRules"));
    twips::place(penaltyRulesCheck, 360, 3840, 1740, 375);
    // The intermission's length (M:SS) on the same row: the game clock counts it down with the rules on.
    intermissionLabel = label(page, tr("Intermission:"), 3300, 3900, 1020, 255);
    intermissionLabel->setObjectName(QStringLiteral("lblIntermissionLength"));
    intermissionLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    intermissionEdit = new QLineEdit(page);
    intermissionEdit->setObjectName(QStringLiteral("txtIntermissionLength"));
    intermissionEdit->setMaxLength(5);
    intermissionEdit->setToolTip(tr("The intermission's length, minutes:seconds (0:01 to 99:59)"));
    twips::place(intermissionEdit, 4395, 3840, 780, 375);
    intermissionLabel->setBuddy(intermissionEdit);
    connect(penaltyRulesCheck, &QCheckBox::toggled, intermissionEdit, &QWidget::setEnabled);
    // The minor penalty's length (M:SS): 2:00, or 1:30 in youth hockey; the rules count a double minor as two.
    minorLengthLabel = label(page, tr("Minor:"), 2100, 3900, 660, 255);
    minorLengthLabel->setObjectName(QStringLiteral("lblMinorLength"));
    minorLengthLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    minorLengthEdit = new QLineEdit(page);
    minorLengthEdit->setObjectName(QStringLiteral("txtMinorLength"));
    minorLengthEdit->setMaxLength(4);
    minorLengthEdit->setToolTip(tr("The minor penalty's length, minutes:seconds (0:30 to 4:59; 1:30 in youth hockey)"));
    twips::place(minorLengthEdit, 2790, 3840, 510, 375);
    minorLengthLabel->setBuddy(minorLengthEdit);
    connect(penaltyRulesCheck, &QCheckBox::toggled, minorLengthEdit, &QWidget::setEnabled);
    // Where the public board goes: this window only, or one of the screens the system reports now.
    publicScreenFrame = frame(page, tr("Public board on:"), 360, 4440, 4815, 855);
    publicScreenFrame->setObjectName(QStringLiteral("fraPublicScreen"));
    publicScreenCombo = new QComboBox(publicScreenFrame);
    publicScreenCombo->setObjectName(QStringLiteral("cmbPublicScreen"));
    twips::place(publicScreenCombo, 120, 360, 4575, 375);
    // The number of each penalised player beside the penalty time, as the scorekeeper notes it.
    showPlayerNumbersCheck = new QCheckBox(tr("Show player numbers in the penalty boxes"), page);
    showPlayerNumbersCheck->setObjectName(QStringLiteral("chkShowPlayerNumbers"));
    twips::place(showPlayerNumbersCheck, 360, 5400, 4815, 375);

    connect(homeTextEdit, &QLineEdit::textChanged, this, [this] { onHomeTextChanged(); });
    connect(visitorTextEdit, &QLineEdit::textChanged, this, [this] { onVisitorTextChanged(); });
}

void OptionsDialog::placeTabContents() {
    for (QWidget* canvas : m_canvases) {
        QWidget* page = canvas->parentWidget();
        const QPoint offset = page->mapTo(tabs, QPoint(0, 0));
        canvas->setGeometry(-offset.x(), -offset.y(), tabs->width(), tabs->height());
    }
}

void OptionsDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // The tab control lays its pages out when it is shown; only then is their corner known.
    placeTabContents();
    focusOkButton();
}

void OptionsDialog::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        focusOkButton();
}

void OptionsDialog::focusOkButton() {
    okButton->setFocus(Qt::ActiveWindowFocusReason);
}

void OptionsDialog::fillFromSettings() {
    const SettingsVariables& s = m_settings;
    tabs->setCurrentIndex(0);

    timeColourSample->setBackColor(s.TimeColor);
    scoreColourSample->setBackColor(s.ScoreColor);
    ledBackSample->setBackColor(s.LEDBack);
    ledSelectedSample->setBackColor(s.LEDSelected);
    periodColourSample->setBackColor(s.PeriodColor);
    backColourSample->setBackColor(s.FormBack);
    borderColourSample->setBackColor(s.BorderColor);
    homeColourSample->setBackColor(s.HomeColor);
    visitorColourSample->setBackColor(s.VisitorColor);

    selectedWidthSlider->setValue(-clampSelectedWidth(s.LEDSelectedWidth));
    onSelectedWidthChanged();

    startStopClockKeyTemp = s.StartStopClockKey;
    resetClockKeyTemp = s.ResetClockKey;
    clearKeyTemp = s.ClearKey;
    clockSwitchKeyTemp = s.ClockSwitchKey;
    sepTimeKeyTemp = s.SepTimeKey;
    buzzerKeyTemp = s.BuzzerKey;
    hornKeyTemp = s.HornKey;
    for (const KeyButton& key : m_keyButtons)
        showKeyName(key.label, this->*key.temp);

    if (s.NumLockForce == 0)
        normalOption->setChecked(true);
    else if (s.NumLockForce == 1)
        keepOnOption->setChecked(true);
    else if (s.NumLockForce == 2)
        keepOffOption->setChecked(true);

    buzzTemp = s.BuzzerFile;
    hornTemp = s.HornFile;

    tempSize = teamSizePoints(s.TeamSize);

    ledTypeCombo->setCurrentIndex(ledStyleOf(s.LEDType));
    onLedTypeChosen();

    penaltyRulesCheck->setChecked(s.PenaltyRules);
    intermissionEdit->setEnabled(s.PenaltyRules);
    intermissionEdit->setText(QString::fromStdString(formatStoredMinutes(s.IntermissionLength)));
    minorLengthEdit->setEnabled(s.PenaltyRules);
    minorLengthEdit->setText(QString::fromStdString(formatStoredMinutes(s.MinorLength)));
    showPlayerNumbersCheck->setChecked(s.ShowPlayerNumbers);

    // A name equal to what the box already shows changes nothing, so the stored size is kept for the
    // default names.
    const QString home = QString::fromStdString(s.HomeText);
    const QString visitor = QString::fromStdString(s.VisitorText);
    if (homeTextEdit->text() != home)
        homeTextEdit->setText(home);
    if (visitorTextEdit->text() != visitor)
        visitorTextEdit->setText(visitor);

    buzzerFileLabel->setText(chopFileName(QString::fromStdString(buzzTemp), kFileLabelLength));
    hornFileLabel->setText(chopFileName(QString::fromStdString(hornTemp), kFileLabelLength));

    fillPublicScreens(QString::fromStdString(s.PublicScreen).trimmed());
}

void OptionsDialog::showPublicScreenInUse(const QString& name) {
    fillPublicScreens(name.trimmed());
}

void OptionsDialog::fillPublicScreens(const QString& stored) {
    publicScreenCombo->clear();
    publicScreenCombo->addItem(tr("this window only"), QString());
    for (const auto& [label, name] : PublicScreenController::screenChoices()) {
        // Two screens of one name are one choice: the name is what is stored.
        if (publicScreenCombo->findData(name) < 0)
            publicScreenCombo->addItem(label, name);
    }
    // A stored screen that is not connected now stays the choice until the user picks another.
    if (!stored.isEmpty() && publicScreenCombo->findData(stored) < 0)
        publicScreenCombo->addItem(tr("%1 (not connected)").arg(stored), stored);
    publicScreenCombo->setCurrentIndex(std::max(0, publicScreenCombo->findData(stored)));
    m_publicScreenShown = publicScreenCombo->currentData().toString();
}

QString OptionsDialog::chopFileName(const QString& fileName, int length) {
    const QFileInfo info(fileName);
    const QString existingName = !fileName.isEmpty() && info.isFile() ? info.fileName() : QString();
    if (fileName.isEmpty())
        return tr("[No File Selected]");
    return QString::fromStdString(::chopFileName(fileName.toStdString(), existingName.toStdString(), length));
}

void OptionsDialog::previewTeamNames() {
    tempSize = fitTeamNameSize([this](int points) {
        homePreviewLabel->setFontSize(points);
        visitorPreviewLabel->setFontSize(points);
        return std::pair{extentOf(homePreviewLabel), extentOf(visitorPreviewLabel)};
    });
}

WorkingKeys OptionsDialog::workingKeys() const {
    return {startStopClockKeyTemp, resetClockKeyTemp, clearKeyTemp, clockSwitchKeyTemp,
            sepTimeKeyTemp,        buzzerKeyTemp,     hornKeyTemp};
}

void OptionsDialog::showKeyName(QLabel* label, std::int16_t keyCode) {
    label->setText(QString::fromStdString(keyCodeToStr(keyCode)));
}

void OptionsDialog::changeColor(ColorSample* sample) {
    const std::optional<QColor> chosen = m_dialogs.pickColor(this, fromOleColor(sample->backColor()));
    if (!chosen || !chosen->isValid())
        return;
    sample->setBackColor(toOleColor(*chosen));
}

void OptionsDialog::changeKey(const KeyButton& key) {
    m_exchange.keyPrompt = key.prompt;
    m_exchange.assignedKey = this->*key.temp;
    m_exchange.chosenKey.assign(1, '0');
    m_dialogs.captureKey(this, m_exchange, workingKeys());
    if (const std::optional<std::int16_t> chosen = chosenKeyCode(m_exchange)) {
        this->*key.temp = *chosen;
        showKeyName(key.label, *chosen);
    }
}

void OptionsDialog::changeSound(std::string& temp, QLabel* label) {
    const std::optional<QString> chosen = m_dialogs.pickSoundFile(this, QString::fromStdString(temp));
    if (!chosen || chosen->isEmpty() || !QFileInfo(*chosen).isFile())
        return;
    const QString path = QDir::toNativeSeparators(*chosen);
    temp = path.toStdString();
    label->setText(chopFileName(path, kFileLabelLength));
}

void OptionsDialog::onLedTypeChosen() {
    previewDigit->setLedType(ledTypeCombo->currentIndex());
}

void OptionsDialog::onSelectedWidthChanged() {
    selectedWidthValueLabel->setText(QString::number(-selectedWidthSlider->value()));
}

QString OptionsDialog::keptName(const QLineEdit* box, const std::string& stored) {
    const QString name = QString::fromStdString(stored);
    return box->text() == name.left(box->maxLength()) ? name : box->text();
}

void OptionsDialog::onHomeTextChanged() {
    homePreviewLabel->setCaption(keptName(homeTextEdit, m_settings.HomeText));
    previewTeamNames();
}

void OptionsDialog::onVisitorTextChanged() {
    visitorPreviewLabel->setCaption(keptName(visitorTextEdit, m_settings.VisitorText));
    previewTeamNames();
}

void OptionsDialog::onResetColorsClicked() {
    if (!m_dialogs.askYesNo(this, tr("Reset Colors"), tr("Are you sure you want to reset the colors?")))
        return;
    const SettingsVariables d = defaultSettings({}, '/');
    timeColourSample->setBackColor(d.TimeColor);
    ledBackSample->setBackColor(d.LEDBack);
    ledSelectedSample->setBackColor(d.LEDSelected);
    scoreColourSample->setBackColor(d.ScoreColor);
    periodColourSample->setBackColor(d.PeriodColor);
    backColourSample->setBackColor(d.FormBack);
    borderColourSample->setBackColor(d.BorderColor);
    homeColourSample->setBackColor(d.HomeColor);
    visitorColourSample->setBackColor(d.VisitorColor);
    // Only the number: the spinner stays where it was, so its next step starts from there.
    selectedWidthValueLabel->setText(QString::number(d.LEDSelectedWidth));
}

void OptionsDialog::onResetKeysClicked() {
    if (!m_dialogs.askYesNo(this, tr("Reset Keys"), tr("Are you sure you want to reset the keys?")))
        return;
    const WorkingKeys reset = resetKeys(workingKeys());
    for (std::size_t i = 0; i < m_keyButtons.size(); ++i) {
        this->*m_keyButtons[i].temp = reset[i];
        showKeyName(m_keyButtons[i].label, reset[i]);
    }
    normalOption->setChecked(true);
}

void OptionsDialog::onOkClicked() {
    SettingsVariables& s = m_settings;
    s.TimeColor = timeColourSample->backColor();
    s.ScoreColor = scoreColourSample->backColor();
    s.BorderColor = borderColourSample->backColor();
    s.FormBack = backColourSample->backColor();
    s.PeriodColor = periodColourSample->backColor();
    s.HomeColor = homeColourSample->backColor();
    s.LEDBack = ledBackSample->backColor();
    s.LEDSelected = ledSelectedSample->backColor();
    s.VisitorColor = visitorColourSample->backColor();

    s.LEDSelectedWidth = static_cast<std::int16_t>(selectedWidthValueLabel->text().toInt());

    s.StartStopClockKey = startStopClockKeyTemp;
    s.ResetClockKey = resetClockKeyTemp;
    s.ClearKey = clearKeyTemp;
    s.ClockSwitchKey = clockSwitchKeyTemp;
    s.SepTimeKey = sepTimeKeyTemp;
    s.BuzzerKey = buzzerKeyTemp;
    s.HornKey = hornKeyTemp;
    s.BuzzerFile = buzzTemp;
    s.HornFile = hornTemp;

    if (normalOption->isChecked()) {
        s.NumLockForce = 0;
    } else if (keepOnOption->isChecked()) {
        s.NumLockForce = 1;
        if (m_setNumLock)
            m_setNumLock(true);
    } else if (keepOffOption->isChecked()) {
        s.NumLockForce = 2;
        if (m_setNumLock)
            m_setNumLock(false);
    }

    s.HomeText = keptName(homeTextEdit, s.HomeText).toStdString();
    s.VisitorText = keptName(visitorTextEdit, s.VisitorText).toStdString();
    s.TeamSize = FixedPoint4{tempSize} * kFixedPoint4Scale;

    s.LEDType = static_cast<std::int16_t>(ledTypeCombo->currentIndex());
    s.PenaltyRules = penaltyRulesCheck->isChecked();
    // A length that cannot be read keeps the one stored.
    s.IntermissionLength = parseStoredMinutes(intermissionEdit->text().toStdString()).value_or(s.IntermissionLength);
    // A length outside 0:30..4:59 keeps the one stored.
    const std::optional<TimeValue> minor = parseStoredMinutes(minorLengthEdit->text().toStdString());
    if (minor && *minor >= kShortestMinor && *minor <= kLongestMinor) {
        s.MinorLength = *minor;
    }
    s.ShowPlayerNumbers = showPlayerNumbersCheck->isChecked();
    // An untouched choice keeps the stored screen, even while the command line has put another one in use.
    const QString chosenScreen = publicScreenCombo->currentData().toString();
    m_publicScreenChanged = chosenScreen != m_publicScreenShown;
    s.PublicScreen = m_publicScreenChanged ? chosenScreen.toStdString()
                                           : QString::fromStdString(s.PublicScreen).trimmed().toStdString();

    saveSettings(s, m_store);
    // An unwritable store is reported; the new values stay in effect for this run either way.
    flushSettingsOrReport(m_store, this);
    accept();
}

void OptionsDialog::onCancelClicked() {
    reject();
}
