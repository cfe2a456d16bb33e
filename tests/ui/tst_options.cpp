// The options dialog: what it shows when it opens, what each button does to the working copies, what OK
// writes (and in which order NumLock is set), and that Cancel, Escape and the close button change nothing.
// The pickers, questions and key window are answered by FakeOptionsDialogs.
#include <QApplication>
#include <QColorDialog>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "FakeOptionsDialogs.h"
#include "core/input/KeyTables.h"
#include "core/settings/Settings.h"
#include "core/settings/SettingsStore.h"
#include "display/BoardControls.h"
#include "display/LedDigit.h"
#include "settings/KeyCaptureDialog.h"
#include "settings/OptionsDialog.h"
#include "settings/SettingsErrorReporter.h"

using namespace Qt::StringLiterals;

namespace {

SettingsVariables defaults() {
    return defaultSettings("/opt/rinkmaster", '/');
}

// A dialog on its own settings and store, with the NumLock calls recorded.
struct Rig {
    SettingsVariables settings;
    InMemorySettingsStore store;
    FakeOptionsDialogs dialogs;
    QList<bool> numLockCalls;
    QList<bool> visibleAtNumLock;
    QList<std::size_t> storedAtNumLock;
    std::unique_ptr<OptionsDialog> dialog;

    explicit Rig(SettingsVariables s = defaults()) : settings(std::move(s)) {}

    OptionsDialog& open() {
        dialog = std::make_unique<OptionsDialog>(
            settings, store,
            [this](bool on) {
                numLockCalls.append(on);
                visibleAtNumLock.append(dialog->isVisible());
                storedAtNumLock.append(store.values().size());
            },
            dialogs);
        dialog->show();
        return *dialog;
    }
};

// Writes a file at exactly `length` characters of path under base, ending in "/" + name.
QString makeFile(const QString& base, int length, const QString& name) {
    const int padding = length - static_cast<int>(base.size()) - 2 - static_cast<int>(name.size());
    QString folder = base;
    if (padding > 0)
        folder += u'/' + QString(padding, u'd');
    QDir().mkpath(folder);
    QString path = padding > 0 ? folder + u'/' + name : base + u'/' + name;
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write("RIFF");
    return path;
}

QString text(const std::string& s) {
    return QString::fromStdString(s);
}

// The nine colour cells: button, sample, and the setting OK writes.
struct ColourCell {
    QPushButton* OptionsDialog::*button;
    ColorSample* OptionsDialog::*sample;
    OleColor SettingsVariables::*setting;
};

const ColourCell kColourCells[] = {
    {&OptionsDialog::timeColourButton, &OptionsDialog::timeColourSample, &SettingsVariables::TimeColor},
    {&OptionsDialog::scoreColourButton, &OptionsDialog::scoreColourSample, &SettingsVariables::ScoreColor},
    {&OptionsDialog::borderColourButton, &OptionsDialog::borderColourSample, &SettingsVariables::BorderColor},
    {&OptionsDialog::backColourButton, &OptionsDialog::backColourSample, &SettingsVariables::FormBack},
    {&OptionsDialog::periodColourButton, &OptionsDialog::periodColourSample, &SettingsVariables::PeriodColor},
    {&OptionsDialog::homeColourButton, &OptionsDialog::homeColourSample, &SettingsVariables::HomeColor},
    {&OptionsDialog::ledBackButton, &OptionsDialog::ledBackSample, &SettingsVariables::LEDBack},
    {&OptionsDialog::ledSelectedButton, &OptionsDialog::ledSelectedSample, &SettingsVariables::LEDSelected},
    {&OptionsDialog::visitorColourButton, &OptionsDialog::visitorColourSample, &SettingsVariables::VisitorColor},
};

// The seven key buttons: button, label, working copy and setting.
struct KeyCell {
    QPushButton* OptionsDialog::*button;
    QLabel* OptionsDialog::*label;
    std::int16_t OptionsDialog::*temp;
    std::int16_t SettingsVariables::*setting;
};

const KeyCell kKeyCells[] = {
    {&OptionsDialog::startStopClockButton, &OptionsDialog::startStopClockLabel, &OptionsDialog::startStopClockKeyTemp,
     &SettingsVariables::StartStopClockKey},
    {&OptionsDialog::resetClockButton, &OptionsDialog::resetClockLabel, &OptionsDialog::resetClockKeyTemp,
     &SettingsVariables::ResetClockKey},
    {&OptionsDialog::clearKeyButton, &OptionsDialog::clearLabel, &OptionsDialog::clearKeyTemp,
     &SettingsVariables::ClearKey},
    {&OptionsDialog::clockSwitchButton, &OptionsDialog::clockSwitchLabel, &OptionsDialog::clockSwitchKeyTemp,
     &SettingsVariables::ClockSwitchKey},
    {&OptionsDialog::sepTimeButton, &OptionsDialog::sepTimeLabel, &OptionsDialog::sepTimeKeyTemp,
     &SettingsVariables::SepTimeKey},
    {&OptionsDialog::buzzerButton, &OptionsDialog::buzzerLabel, &OptionsDialog::buzzerKeyTemp,
     &SettingsVariables::BuzzerKey},
    {&OptionsDialog::hornButton, &OptionsDialog::hornLabel, &OptionsDialog::hornKeyTemp, &SettingsVariables::HornKey},
};

// Clicks the spinner's upper or lower arrow.
void clickSpinner(QScrollBar* bar, bool up) {
    const QPoint at(bar->width() / 2, up ? 2 : bar->height() - 3);
    QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, at);
}

} // namespace

class TestOptions : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void opensWithTheLayoutAndCaptions();
    void keyNamesAreFramedAndCentred();
    void fillsEveryControlFromTheSettings();
    void defaultNamesKeepTheStoredSize();
    void widthIsShownAndKept_data();
    void widthIsShownAndKept();
    void ledTypeIsShownAndKept_data();
    void ledTypeIsShownAndKept();
    void numLockModeOnOpenAndOk_data();
    void numLockModeOnOpenAndOk();
    void spinnerStepsWithinItsRange();
    void markerWidthIsReachedWithTabAndArrows();
    void ctrlTabTurnsTheTabsFromAnywhere_data();
    void ctrlTabTurnsTheTabsFromAnywhere();
    void cancelChangesNothing_data();
    void cancelChangesNothing();
    void colourButtonsPickFromTheSample_data();
    void colourButtonsPickFromTheSample();
    void cancelledColourPickerChangesNothing_data();
    void cancelledColourPickerChangesNothing();
    void soundButtons_data();
    void soundButtons();
    void cancelledSoundChooserChangesNothing_data();
    void cancelledSoundChooserChangesNothing();
    void chopFileName_data();
    void chopFileName();
    void previewItSizes_data();
    void previewItSizes();
    void typingRecomputesFromSixty();
    void nameFitRunsNoOtherEvents();
    void namesTakeAtMostTwentyCharacters();
    void okKeepsAnUntouchedLongName_data();
    void okKeepsAnUntouchedLongName();
    void ledTypeListDrivesThePreview();
    void penaltyRulesBoxIsShownAndKept_data();
    void penaltyRulesBoxIsShownAndKept();
    void intermissionLengthIsMinutesOrKept_data();
    void intermissionLengthIsMinutesOrKept();
    void resetColors_data();
    void resetColors();
    void resetKeys_data();
    void resetKeys();
    void keyButtons_data();
    void keyButtons();
    void keyWindowRefusesTheWorkingKeys();
    void okWritesEveryValue();
    void publicScreenChoice_data();
    void publicScreenChoice();
    void publicScreenInUse_data();
    void publicScreenInUse();
    void unwritableStoreIsReported();
    void enterInANameBoxPressesOk();
    void standardColourPicker_data();
    void standardColourPicker();
    void standardSoundChooser_data();
    void standardSoundChooser();
    void standardQuestion_data();
    void standardQuestion();

private:
    QTemporaryDir m_files;
};

void TestOptions::initTestCase() {
    QVERIFY(m_files.isValid());
}

void TestOptions::opensWithTheLayoutAndCaptions() {
    Rig rig;
    OptionsDialog& d = rig.open();
    QCOMPARE(d.windowTitle(), QStringLiteral("Options"));
    QCOMPARE(d.size(), QSize(402, 454));
    QCOMPARE(d.tabs->count(), 3);
    QCOMPARE(d.tabs->tabText(0), QStringLiteral("Keyboard Controls"));
    QCOMPARE(d.tabs->tabText(1), QStringLiteral("Color Controls"));
    QCOMPARE(d.tabs->tabText(2), QStringLiteral("Text Controls"));
    QCOMPARE(d.tabs->currentIndex(), 0);
    QCOMPARE(d.tabs->geometry(), QRect(8, 8, 385, 409));
    QCOMPARE(d.okButton->geometry(), QRect(112, 424, 72, 25));
    QCOMPARE(d.cancelButton->geometry(), QRect(192, 424, 72, 25));
    QCOMPARE(d.okButton->text(), QStringLiteral("&Ok"));
    QCOMPARE(d.cancelButton->text(), QStringLiteral("&Cancel"));
    QVERIFY(d.okButton->isDefault());
    // Positions count from the tab control's corner, tab strip included.
    QCOMPARE(d.sepTimeButton->mapTo(d.tabs, QPoint(0, 0)), QPoint(16, 32));
    QCOMPARE(d.clearKeyButton->mapTo(d.tabs, QPoint(0, 0)), QPoint(16, 232));
    QCOMPARE(d.sepTimeButton->size(), QSize(113, 33));
    QCOMPARE(d.resetKeysButton->mapTo(d.tabs, QPoint(0, 0)), QPoint(264, 184));
    QCOMPARE(d.focusWidget(), d.okButton);

    const QList<QPair<QAbstractButton*, const char*>> captions{
        {d.sepTimeButton, "Start / Stop Penalty Clock"},
        {d.startStopClockButton, "Start / Stop  Clock"},
        {d.resetClockButton, "Reset Clock"},
        {d.hornButton, "Horn"},
        {d.buzzerButton, "Buzzer"},
        {d.clockSwitchButton, "Game / Clock Switch"},
        {d.clearKeyButton, "# Clear Key"},
        {d.normalOption, "Normal Mode"},
        {d.keepOnOption, "Keep Numlock On"},
        {d.keepOffOption, "Keep Numlock Off"},
        {d.resetKeysButton, "Reset Keys"},
        {d.buzzerSoundButton, "Change Buzzer Sound"},
        {d.hornSoundButton, "Change Horn Sound"},
        {d.resetColorsButton, "Reset Colors"},
        {d.timeColourButton, "Change"},
        {d.visitorColourButton, "Change"},
    };
    for (const auto& [button, caption] : captions)
        QCOMPARE(button->text(), QString::fromLatin1(caption));
    const QList<QPair<QGroupBox*, const char*>> frames{
        {d.numLockFrame, "Numlock Options:"},  {d.buzzerFileFrame, "Buzzer File:"},
        {d.hornFileFrame, "Horn Sound:"},      {d.timeColourFrame, "Time Color:"},
        {d.scoreColourFrame, "Score Color:"},  {d.borderColourFrame, "Border Color:"},
        {d.backColourFrame, "Back Color:"},    {d.periodColourFrame, "Period Color:"},
        {d.homeColourFrame, "Home Color:"},    {d.ledBackFrame, "LED Background:"},
        {d.ledSelectedFrame, "LED Selected"},  {d.visitorColourFrame, "Visitor Color:"},
        {d.digitTypeFrame, "Digit Type:"},     {d.homeNameFrame, "Home Name:"},
        {d.visitorNameFrame, "Visitor Name:"},
    };
    for (const auto& [box, caption] : frames)
        QCOMPARE(box->title(), QString::fromLatin1(caption));
    QCOMPARE(d.ledSelectedFrame->height(), 73);
    QCOMPARE(d.timeColourFrame->height(), 49);
    QCOMPARE(d.widthLabel->text(), QStringLiteral("Width:"));
    QCOMPARE(d.previewLabel->text(), QStringLiteral("Preview:"));
    QCOMPARE(d.ledTypeCombo->count(), 2);
    QCOMPARE(d.ledTypeCombo->itemText(0), QStringLiteral("Lines"));
    QCOMPARE(d.ledTypeCombo->itemText(1), QStringLiteral("Dots"));
    QCOMPARE(d.previewDigit->caption(), 8);
    QCOMPARE(d.previewDigit->ledSize(), 65);
    QCOMPARE(d.previewDigit->size(), QSize(36, 65));
    for (QLineEdit* box : {d.homeTextEdit, d.visitorTextEdit}) {
        QCOMPARE(box->maxLength(), 20);
        QCOMPARE(box->font().pixelSize(), 21);
        QCOMPARE(QFontInfo(box->font()).family(), QStringLiteral("Liberation Sans"));
    }
    QVERIFY(!d.homePreviewLabel->isVisible());
    QVERIFY(!d.visitorPreviewLabel->isVisible());
}

void TestOptions::keyNamesAreFramedAndCentred() {
    Rig rig;
    OptionsDialog& d = rig.open();
    for (const KeyCell& cell : kKeyCells) {
        QLabel* label = d.*cell.label;
        QCOMPARE(label->frameShape(), QFrame::Box);
        QCOMPARE(label->lineWidth(), 1);
        QVERIFY(label->alignment() & Qt::AlignHCenter);
        QCOMPARE(label->size(), QSize(89, 25));
        QCOMPARE(label->mapTo(d.tabs, QPoint(0, 0)).x(), 128);
        // Level with its button.
        QCOMPARE(label->mapTo(d.tabs, QPoint(0, 0)).y(), (d.*cell.button)->mapTo(d.tabs, QPoint(0, 0)).y());
    }
}

void TestOptions::fillsEveryControlFromTheSettings() {
    SettingsVariables s = defaults();
    s.TimeColor = 1;
    s.ScoreColor = 2;
    s.BorderColor = 3;
    s.FormBack = 4;
    s.PeriodColor = 5;
    s.HomeColor = 6;
    s.LEDBack = 7;
    s.LEDSelected = 8;
    s.VisitorColor = 9;
    s.StartStopClockKey = 114;
    s.ResetClockKey = 220;
    s.ClearKey = 8;
    s.ClockSwitchKey = 70;
    s.SepTimeKey = 222;
    s.BuzzerKey = 106;
    s.HornKey = 0; // no name
    Rig rig(s);
    OptionsDialog& d = rig.open();
    for (const ColourCell& cell : kColourCells)
        QCOMPARE((d.*cell.sample)->backColor(), s.*cell.setting);
    QCOMPARE(d.startStopClockLabel->text(), QStringLiteral("F3"));
    QCOMPARE(d.resetClockLabel->text(), QStringLiteral("\\"));
    QCOMPARE(d.clearLabel->text(), QStringLiteral("Backspace"));
    QCOMPARE(d.clockSwitchLabel->text(), QStringLiteral("F"));
    QCOMPARE(d.sepTimeLabel->text(), QStringLiteral("\""));
    QCOMPARE(d.buzzerLabel->text(), QStringLiteral("Numpad *"));
    QCOMPARE(d.hornLabel->text(), QString());
    for (const KeyCell& cell : kKeyCells)
        QCOMPARE(d.*cell.temp, s.*cell.setting);
    QCOMPARE(text(d.buzzTemp), text(s.BuzzerFile));
    QCOMPARE(text(d.hornTemp), text(s.HornFile));
    QCOMPARE(d.buzzerFileLabel->text(), QStringLiteral("/opt/rinkmaster/buzzer.wav"));
    QCOMPARE(d.hornFileLabel->text(), QStringLiteral("/opt/rinkmaster/horn.wav"));
    QCOMPARE(d.homeTextEdit->text(), QStringLiteral("Home"));
    QCOMPARE(d.visitorTextEdit->text(), QStringLiteral("Visitor"));
    QVERIFY(d.normalOption->isChecked());
}

void TestOptions::defaultNamesKeepTheStoredSize() {
    // The names equal what the boxes start with, so no fit runs and OK keeps the stored size.
    SettingsVariables s = defaults();
    s.TeamSize = 40 * kFixedPoint4Scale + 4000; // 40.4 is used as 40
    Rig rig(s);
    OptionsDialog& d = rig.open();
    QCOMPARE(d.tempSize, std::int16_t{40});
    d.okButton->click();
    QCOMPARE(rig.settings.TeamSize, FixedPoint4{400000});
    // A stored name that differs runs the fit at once.
    s.HomeText = "Wolves";
    Rig other(s);
    QCOMPARE(other.open().tempSize, std::int16_t{26});
}

void TestOptions::widthIsShownAndKept_data() {
    QTest::addColumn<int>("stored");
    QTest::addColumn<int>("shown");
    for (int width = 0; width <= 5; ++width)
        QTest::addRow("%d", width) << width << width;
    QTest::newRow("-3 hand-edited") << -3 << 0;
    QTest::newRow("9 hand-edited") << 9 << 5;
    QTest::newRow("32767 hand-edited") << 32767 << 5;
}

void TestOptions::widthIsShownAndKept() {
    QFETCH(int, stored);
    QFETCH(int, shown);
    SettingsVariables s = defaults();
    s.LEDSelectedWidth = static_cast<std::int16_t>(stored);
    Rig rig(s);
    OptionsDialog& d = rig.open();
    QCOMPARE(d.selectedWidthValueLabel->text(), QString::number(shown));
    d.okButton->click();
    QCOMPARE(int(rig.settings.LEDSelectedWidth), shown);
    QCOMPARE(text(*rig.store.read("ColorSettings", "LEDSelectedWidth")), QString::number(shown));
}

void TestOptions::ledTypeIsShownAndKept_data() {
    QTest::addColumn<int>("stored");
    QTest::addColumn<int>("shown");
    QTest::newRow("Lines") << 0 << 0;
    QTest::newRow("Dots") << 1 << 1;
    // Anything but Dots is Lines, as on the board.
    QTest::newRow("-1 hand-edited") << -1 << 0;
    QTest::newRow("2 hand-edited") << 2 << 0;
    QTest::newRow("5 hand-edited") << 5 << 0;
    QTest::newRow("300 hand-edited") << 300 << 0;
}

void TestOptions::ledTypeIsShownAndKept() {
    QFETCH(int, stored);
    QFETCH(int, shown);
    SettingsVariables s = defaults();
    s.LEDType = static_cast<std::int16_t>(stored);
    Rig rig(s);
    OptionsDialog& d = rig.open();
    QCOMPARE(d.ledTypeCombo->currentIndex(), shown);
    QCOMPARE(d.previewDigit->ledType(), shown);
    d.okButton->click();
    QCOMPARE(int(rig.settings.LEDType), shown);
}

void TestOptions::numLockModeOnOpenAndOk_data() {
    QTest::addColumn<int>("stored");
    QTest::addColumn<QString>("shown");  // option checked on opening, empty for none
    QTest::addColumn<QString>("choose"); // option the user picks, empty for none
    QTest::addColumn<int>("saved");
    QTest::addColumn<QList<bool>>("numLockCalls");
    QTest::newRow("normal kept") << 0 << "optNormal"
                                 << "" << 0 << QList<bool>{};
    QTest::newRow("on kept sets it on") << 1 << "optKeepOn"
                                        << "" << 1 << QList<bool>{true};
    QTest::newRow("off kept sets it off") << 2 << "optKeepOff"
                                          << "" << 2 << QList<bool>{false};
    QTest::newRow("normal to off") << 0 << "optNormal"
                                   << "optKeepOff" << 2 << QList<bool>{false};
    QTest::newRow("off to on") << 2 << "optKeepOff"
                               << "optKeepOn" << 1 << QList<bool>{true};
    // Leaving a held mode leaves NumLock as it is.
    QTest::newRow("on to normal") << 1 << "optKeepOn"
                                  << "optNormal" << 0 << QList<bool>{};
    // A hand-edited mode selects nothing and is kept.
    QTest::newRow("7 kept") << 7 << ""
                            << "" << 7 << QList<bool>{};
    QTest::newRow("7 to on") << 7 << ""
                             << "optKeepOn" << 1 << QList<bool>{true};
}

void TestOptions::numLockModeOnOpenAndOk() {
    QFETCH(int, stored);
    QFETCH(QString, shown);
    QFETCH(QString, choose);
    QFETCH(int, saved);
    QFETCH(QList<bool>, numLockCalls);
    SettingsVariables s = defaults();
    s.NumLockForce = stored;
    Rig rig(s);
    OptionsDialog& d = rig.open();
    const QList<QPair<QRadioButton*, QString>> options{
        {d.normalOption, u"optNormal"_s}, {d.keepOnOption, u"optKeepOn"_s}, {d.keepOffOption, u"optKeepOff"_s}};
    for (const auto& [option, name] : options)
        QCOMPARE(option->isChecked(), name == shown);
    for (const auto& [option, name] : options) {
        if (name == choose)
            QTest::mouseClick(option, Qt::LeftButton, Qt::NoModifier, QPoint(6, option->height() / 2));
    }
    QVERIFY(rig.numLockCalls.isEmpty());
    d.okButton->click();
    QCOMPARE(rig.settings.NumLockForce, saved);
    QCOMPARE(rig.numLockCalls, numLockCalls);
    // At once, while the dialog is still open and before the settings are written.
    for (int i = 0; i < rig.numLockCalls.size(); ++i) {
        QVERIFY(rig.visibleAtNumLock[i]);
        QCOMPARE(rig.storedAtNumLock[i], std::size_t{0});
    }
    QCOMPARE(text(*rig.store.read("KeySettings", "NumLockForce")), QString::number(saved));
}

void TestOptions::spinnerStepsWithinItsRange() {
    SettingsVariables s = defaults();
    s.LEDSelectedWidth = 3;
    Rig rig(s);
    OptionsDialog& d = rig.open();
    d.tabs->setCurrentIndex(1);
    QScrollBar* bar = d.selectedWidthSlider;
    clickSpinner(bar, true);
    QCOMPARE(d.selectedWidthValueLabel->text(), QStringLiteral("4"));
    for (int i = 0; i < 4; ++i)
        clickSpinner(bar, true);
    QCOMPARE(d.selectedWidthValueLabel->text(), QStringLiteral("5"));
    clickSpinner(bar, false);
    QCOMPARE(d.selectedWidthValueLabel->text(), QStringLiteral("4"));
    for (int i = 0; i < 9; ++i)
        clickSpinner(bar, false);
    QCOMPARE(d.selectedWidthValueLabel->text(), QStringLiteral("0"));
    // The keyboard's up arrow raises it as well.
    bar->setFocus();
    QTest::keyClick(bar, Qt::Key_Up);
    QCOMPARE(d.selectedWidthValueLabel->text(), QStringLiteral("1"));
    d.okButton->click();
    QCOMPARE(rig.settings.LEDSelectedWidth, std::int16_t{1});
}

void TestOptions::markerWidthIsReachedWithTabAndArrows() {
    SettingsVariables s = defaults();
    s.LEDSelectedWidth = 3;
    Rig rig(s);
    OptionsDialog& d = rig.open();
    d.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&d));
    d.tabs->setCurrentIndex(1);
    d.ledSelectedButton->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), d.selectedWidthSlider);
    const struct {
        Qt::Key key;
        const char* shown;
    } steps[] = {{Qt::Key_Up, "4"},   {Qt::Key_Up, "5"},    {Qt::Key_Up, "5"},   {Qt::Key_Down, "4"},
                 {Qt::Key_Left, "3"}, {Qt::Key_Right, "4"}, {Qt::Key_Down, "3"}, {Qt::Key_Down, "2"}};
    for (const auto& step : steps) {
        QTest::keyClick(QApplication::focusWidget(), step.key);
        QCOMPARE(d.selectedWidthValueLabel->text(), QString::fromLatin1(step.shown));
    }
    d.okButton->click();
    QCOMPARE(rig.settings.LEDSelectedWidth, std::int16_t{2});
}

void TestOptions::ctrlTabTurnsTheTabsFromAnywhere_data() {
    QTest::addColumn<int>("tab");
    QTest::addColumn<QString>("focus");
    QTest::addColumn<int>("forward");
    QTest::addColumn<int>("back");
    QTest::newRow("ok button") << 0 << u"ok"_s << 1 << 2;
    QTest::newRow("cancel button") << 1 << u"cancel"_s << 2 << 0;
    QTest::newRow("a key button") << 0 << u"key"_s << 1 << 2;
    QTest::newRow("the marker width") << 1 << u"width"_s << 2 << 0;
    QTest::newRow("the digit type list") << 1 << u"digits"_s << 2 << 0;
    QTest::newRow("a name box") << 2 << u"name"_s << 0 << 1;
    QTest::newRow("the tabs themselves") << 2 << u"tabs"_s << 0 << 1;
}

void TestOptions::ctrlTabTurnsTheTabsFromAnywhere() {
    QFETCH(int, tab);
    QFETCH(QString, focus);
    QFETCH(int, forward);
    QFETCH(int, back);
    Rig rig;
    OptionsDialog& d = rig.open();
    d.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&d));
    QWidget* const target = focus == u"ok"_s       ? static_cast<QWidget*>(d.okButton)
                            : focus == u"cancel"_s ? static_cast<QWidget*>(d.cancelButton)
                            : focus == u"key"_s    ? static_cast<QWidget*>(d.startStopClockButton)
                            : focus == u"width"_s  ? static_cast<QWidget*>(d.selectedWidthSlider)
                            : focus == u"digits"_s ? static_cast<QWidget*>(d.ledTypeCombo)
                            : focus == u"name"_s   ? static_cast<QWidget*>(d.homeTextEdit)
                                                   : static_cast<QWidget*>(d.tabs->tabBar());
    d.tabs->setCurrentIndex(tab);
    target->setFocus();
    QCOMPARE(QApplication::focusWidget(), target);
    QTest::keyClick(target, Qt::Key_Tab, Qt::ControlModifier);
    QCOMPARE(d.tabs->currentIndex(), forward);
    d.tabs->setCurrentIndex(tab);
    target->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(d.tabs->currentIndex(), back);
    QVERIFY(d.isVisible());
}

void TestOptions::cancelChangesNothing_data() {
    QTest::addColumn<QString>("how");
    QTest::newRow("Cancel") << "Cancel";
    QTest::newRow("Escape") << "Escape";
    QTest::newRow("close button") << "close";
}

void TestOptions::cancelChangesNothing() {
    QFETCH(QString, how);
    const QString sound = makeFile(m_files.path(), 40, u"cancel.wav"_s);
    SettingsVariables s = defaults();
    s.LEDSelectedWidth = 2;
    Rig rig(s);
    OptionsDialog& d = rig.open();
    rig.dialogs.colors = {QColor(1, 2, 3), QColor(4, 5, 6)};
    rig.dialogs.chosenKeys = {u"88"_s};
    rig.dialogs.files = {sound};
    rig.dialogs.answers = {true};
    d.timeColourButton->click();
    d.ledSelectedButton->click();
    d.hornButton->click();
    d.buzzerSoundButton->click();
    d.resetKeysButton->click();
    QTest::mouseClick(d.keepOffOption, Qt::LeftButton, Qt::NoModifier, QPoint(6, 6));
    d.homeTextEdit->setText(u"Eagles"_s);
    d.visitorTextEdit->setText(u"Falcons"_s);
    d.ledTypeCombo->setCurrentIndex(1);
    clickSpinner(d.selectedWidthSlider, true);
    QCOMPARE(d.hornKeyTemp, std::int16_t{71}); // Reset Keys has put it back
    QCOMPARE(text(d.buzzTemp), sound);

    if (how == u"Cancel")
        d.cancelButton->click();
    else if (how == u"Escape")
        QTest::keyClick(d.homeTextEdit, Qt::Key_Escape);
    else
        QVERIFY(d.close());
    QVERIFY(!d.isVisible());
    QCOMPARE(d.result(), int(QDialog::Rejected));
    QVERIFY(rig.settings == s);
    QVERIFY(rig.store.values().empty());
    QVERIFY(rig.numLockCalls.isEmpty());
}

void TestOptions::colourButtonsPickFromTheSample_data() {
    QTest::addColumn<int>("cell");
    const char* names[] = {"time", "score",          "border",       "back",   "period",
                           "home", "LED background", "LED selected", "visitor"};
    for (int i = 0; i < 9; ++i)
        QTest::newRow(names[i]) << i;
}

void TestOptions::colourButtonsPickFromTheSample() {
    QFETCH(int, cell);
    const ColourCell& c = kColourCells[cell];
    SettingsVariables s = defaults();
    s.*c.setting = 0x123456;
    Rig rig(s);
    OptionsDialog& d = rig.open();
    rig.dialogs.colors = {QColor(0x11, 0x22, 0x33)};
    (d.*c.button)->click();
    // The picker starts at the sample's colour (0x00BBGGRR: red 0x56, green 0x34, blue 0x12).
    QCOMPARE(rig.dialogs.colorPresets, QList<QColor>{QColor(0x56, 0x34, 0x12)});
    QCOMPARE(rig.dialogs.parents, QList<QWidget*>{&d});
    QCOMPARE((d.*c.sample)->backColor(), OleColor{0x332211});
    QCOMPARE((d.*c.sample)->palette().color(QPalette::Window), QColor(0x11, 0x22, 0x33));
    d.okButton->click();
    SettingsVariables expected = s;
    expected.*c.setting = 0x332211;
    QVERIFY(rig.settings == expected);
}

void TestOptions::cancelledColourPickerChangesNothing_data() {
    QTest::addColumn<bool>("pickedBefore");
    QTest::addColumn<bool>("sameSample");
    QTest::newRow("first use") << false << false;
    QTest::newRow("after a pick for another sample") << true << false;
    QTest::newRow("after a pick for the same sample") << true << true;
}

void TestOptions::cancelledColourPickerChangesNothing() {
    QFETCH(bool, pickedBefore);
    QFETCH(bool, sameSample);
    Rig rig;
    OptionsDialog& d = rig.open();
    if (pickedBefore) {
        rig.dialogs.colors = {QColor(0, 0, 255)};
        (sameSample ? d.scoreColourButton : d.timeColourButton)->click();
    }
    const OleColor before = d.scoreColourSample->backColor();
    rig.dialogs.colors = {std::nullopt};
    d.scoreColourButton->click();
    QCOMPARE(d.scoreColourSample->backColor(), before);
    QCOMPARE(rig.dialogs.colorPresets.last(), fromOleColor(before));
    d.okButton->click();
    QCOMPARE(rig.settings.ScoreColor, sameSample ? OleColor{0xFF0000} : OleColor{33023});
}

void TestOptions::soundButtons_data() {
    QTest::addColumn<bool>("horn");
    QTest::newRow("buzzer") << false;
    QTest::newRow("horn") << true;
}

void TestOptions::soundButtons() {
    QFETCH(bool, horn);
    const QString chosen = makeFile(m_files.path(), 60, u"horn.wav"_s);
    Rig rig;
    OptionsDialog& d = rig.open();
    QPushButton* button = horn ? d.hornSoundButton : d.buzzerSoundButton;
    QLabel* label = horn ? d.hornFileLabel : d.buzzerFileLabel;
    std::string& temp = horn ? d.hornTemp : d.buzzTemp;
    const QString before = text(temp);
    const QString labelBefore = label->text();

    // A file that does not exist, an empty answer and a folder are ignored.
    rig.dialogs.files = {m_files.path() + u"/missing.wav"_s, QString(), m_files.path()};
    for (int i = 0; i < 3; ++i)
        button->click();
    QCOMPARE(text(temp), before);
    QCOMPARE(label->text(), labelBefore);
    QCOMPARE(rig.dialogs.filePresets, QList<QString>(3, before));

    rig.dialogs.files = {chosen};
    button->click();
    QCOMPARE(text(temp), chosen);
    QCOMPARE(label->text(), chosen.left(37) + u" ...\\horn.wav"_s);
    QCOMPARE(label->text().size(), 50);
    d.okButton->click();
    QCOMPARE(text(horn ? rig.settings.HornFile : rig.settings.BuzzerFile), chosen);
    QCOMPARE(text(horn ? rig.settings.BuzzerFile : rig.settings.HornFile),
             text(horn ? defaults().BuzzerFile : defaults().HornFile));
}

void TestOptions::cancelledSoundChooserChangesNothing_data() {
    QTest::addColumn<bool>("sameSound");
    QTest::newRow("the other sound after a choice") << false;
    QTest::newRow("the same sound after a choice") << true;
}

void TestOptions::cancelledSoundChooserChangesNothing() {
    QFETCH(bool, sameSound);
    const QString chosen = makeFile(m_files.path(), 30, u"siren.wav"_s);
    Rig rig;
    OptionsDialog& d = rig.open();
    rig.dialogs.files = {chosen};
    d.buzzerSoundButton->click();
    const QString hornBefore = d.hornFileLabel->text();
    rig.dialogs.files = {std::nullopt};
    (sameSound ? d.buzzerSoundButton : d.hornSoundButton)->click();
    // The chooser starts at that sound's own file.
    QCOMPARE(rig.dialogs.filePresets.last(), sameSound ? chosen : text(defaults().HornFile));
    QCOMPARE(text(d.buzzTemp), chosen);
    QCOMPARE(text(d.hornTemp), text(defaults().HornFile));
    QCOMPARE(d.hornFileLabel->text(), hornBefore);
    d.okButton->click();
    QCOMPARE(text(rig.settings.HornFile), text(defaults().HornFile));
    QCOMPARE(text(rig.settings.BuzzerFile), chosen);
}

void TestOptions::chopFileName_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("shown");
    const QString base = m_files.path() + u"/chop"_s;
    const QString fifty = makeFile(base, 50, u"horn.wav"_s);
    const QString sixty = makeFile(base, 60, u"horn.wav"_s);
    const QString longName = QString(46, u'n') + u".wav"_s;
    const QString hugeName = QString(66, u'h') + u".wav"_s;
    QDir().mkpath(base);
    const QString longPath = makeFile(base, static_cast<int>(base.size()) + 1 + 50, longName);
    const QString hugePath = makeFile(base, static_cast<int>(base.size()) + 1 + 70, hugeName);
    QTest::newRow("50 characters whole") << fifty << fifty;
    QTest::newRow("60 characters to horn.wav") << sixty << sixty.left(37) + u" ...\\horn.wav"_s;
    QTest::newRow("empty") << QString() << u"[No File Selected]"_s;
    QTest::newRow("60 characters to a missing file") << sixty.left(51) + u"gone.wav"_s << sixty.left(45) + u" ...\\"_s;
    QTest::newRow("name leaves no room") << longPath << longName;
    QTest::newRow("name longer than the label") << hugePath << hugeName.left(50);
}

void TestOptions::chopFileName() {
    QFETCH(QString, path);
    QFETCH(QString, shown);
    QCOMPARE(OptionsDialog::chopFileName(path, 50), shown);
    // The dialog shows it so when it opens.
    SettingsVariables s = defaults();
    s.HornFile = path.toStdString();
    Rig rig(s);
    QCOMPARE(rig.open().hornFileLabel->text(), shown);
}

void TestOptions::previewItSizes_data() {
    QTest::addColumn<QString>("home");
    QTest::addColumn<QString>("visitor");
    QTest::addColumn<int>("size");
    // Bold Arial (Liberation Sans has the same widths): the default names are held by the 600-twip height,
    // longer ones by the 1900-twip width.
    QTest::newRow("default names") << "Home"
                                   << "Visitor" << 26;
    QTest::newRow("empty names") << ""
                                 << "" << 26;
    QTest::newRow("Maple Leafs") << "Maple Leafs"
                                 << "Visitor" << 16;
    QTest::newRow("Islanders") << "Home"
                               << "Islanders" << 21;
    QTest::newRow("twenty W, even 10 is too wide") << "WWWWWWWWWWWWWWWWWWWW"
                                                   << "Visitor" << 9;
}

void TestOptions::previewItSizes() {
    QFETCH(QString, home);
    QFETCH(QString, visitor);
    QFETCH(int, size);
    Rig rig;
    OptionsDialog& d = rig.open();
    // Every change runs the fit, whatever the size before it (the stored 24 here).
    d.homeTextEdit->setText(u"x"_s);
    d.visitorTextEdit->setText(u"x"_s);
    d.homeTextEdit->setText(home);
    d.visitorTextEdit->setText(visitor);
    QCOMPARE(int(d.tempSize), size);
    // The measuring labels are left at the size tried last: the answer, or 10 when nothing fits.
    const int measured = std::max(size, 10);
    QCOMPARE(d.homePreviewLabel->fontSize(), double(measured));
    QCOMPARE(QFontInfo(d.homePreviewLabel->font()).family(), QStringLiteral("Liberation Sans"));
    QVERIFY(d.homePreviewLabel->font().bold());
    if (size >= 10) {
        QVERIFY(twips::width(d.homePreviewLabel) < 1900 && twips::height(d.homePreviewLabel) < 600);
        QVERIFY(twips::width(d.visitorPreviewLabel) < 1900 && twips::height(d.visitorPreviewLabel) < 600);
    }
    d.okButton->click();
    QCOMPARE(rig.settings.TeamSize, FixedPoint4{size} * kFixedPoint4Scale);
    QCOMPARE(text(*rig.store.read("TextSettings", "TeamSize")), QString::number(size));
}

void TestOptions::typingRecomputesFromSixty() {
    Rig rig;
    OptionsDialog& d = rig.open();
    d.homeTextEdit->clear();
    QList<int> sizes;
    for (QChar c : u"Capitals of Hartford"_s) {
        QTest::keyClick(d.homeTextEdit, c.toLatin1());
        sizes.append(d.tempSize);
    }
    QCOMPARE(d.homeTextEdit->text(), u"Capitals of Hartford"_s);
    for (int i = 0; i < sizes.size(); ++i) {
        QVERIFY(sizes[i] <= 60);
        if (i > 0)
            QVERIFY2(sizes[i] <= sizes[i - 1], qPrintable(QString::number(i)));
    }
    QVERIFY(sizes.last() < sizes.first());
    // Shortening never lowers it, and going back to a name gives that name's size again.
    QList<int> shrinking;
    for (int i = 0; i < 12; ++i) {
        QTest::keyClick(d.homeTextEdit, Qt::Key_Backspace);
        shrinking.append(d.tempSize);
    }
    for (int i = 1; i < shrinking.size(); ++i)
        QVERIFY(shrinking[i] >= shrinking[i - 1]);
    QCOMPARE(d.homeTextEdit->text(), u"Capitals"_s);
    QCOMPARE(shrinking.last(), sizes[7]);
}

void TestOptions::nameFitRunsNoOtherEvents() {
    // A click or key waiting in the queue must not run in the middle of the fit (it could close the dialog or
    // change the name being measured); it runs after the change handling has finished.
    Rig rig;
    OptionsDialog& d = rig.open();
    bool ranDuringFit = false;
    bool ran = false;
    QMetaObject::invokeMethod(
        &d, [&] { ran = true; }, Qt::QueuedConnection);
    d.homeTextEdit->setText(u"WWWWWWWWWWWWWWWWWWWW"_s); // the longest fit: every size from 60 to 10
    ranDuringFit = ran;
    QCOMPARE(d.tempSize, std::int16_t{9});
    QVERIFY(!ranDuringFit);
    QCoreApplication::processEvents();
    QVERIFY(ran);
}

void TestOptions::namesTakeAtMostTwentyCharacters() {
    Rig rig;
    OptionsDialog& d = rig.open();
    d.visitorTextEdit->clear();
    QTest::keyClicks(d.visitorTextEdit, u"abcdefghijklmnopqrstuvwxyz"_s);
    QCOMPARE(d.visitorTextEdit->text(), u"abcdefghijklmnopqrst"_s);
}

void TestOptions::okKeepsAnUntouchedLongName_data() {
    QTest::addColumn<QString>("typed"); // empty: the name is left alone
    QTest::addColumn<QString>("saved");
    const QString stored = u"Hameenlinnan Pallokerho"_s; // 23 characters
    QTest::newRow("untouched") << QString() << stored;
    QTest::newRow("retyped") << u"Pallokerho"_s << u"Pallokerho"_s;
    QTest::newRow("retyped the first twenty") << stored.left(20) << stored;
}

void TestOptions::okKeepsAnUntouchedLongName() {
    QFETCH(QString, typed);
    QFETCH(QString, saved);
    SettingsVariables s = defaults();
    s.HomeText = "Hameenlinnan Pallokerho";
    s.VisitorText = "Kiekko-Espoo Naiset Blues Kärpät";
    Rig rig(s);
    OptionsDialog& d = rig.open();
    QCOMPARE(d.homeTextEdit->text(), u"Hameenlinnan Palloke"_s); // the box shows what fits in it
    if (!typed.isEmpty()) {
        d.homeTextEdit->clear();
        QTest::keyClicks(d.homeTextEdit, typed);
    }
    d.okButton->click();
    QCOMPARE(text(rig.settings.HomeText), saved);
    QCOMPARE(text(*rig.store.read("TextSettings", "HomeText")), saved);
    QCOMPARE(rig.settings.VisitorText, std::string("Kiekko-Espoo Naiset Blues Kärpät"));
}

void TestOptions::ledTypeListDrivesThePreview() {
    Rig rig;
    OptionsDialog& d = rig.open();
    d.ledTypeCombo->setCurrentIndex(1);
    QCOMPARE(d.previewDigit->ledType(), 1);
    d.ledTypeCombo->setCurrentIndex(0);
    QCOMPARE(d.previewDigit->ledType(), 0);
    d.ledTypeCombo->setCurrentIndex(1);
    d.okButton->click();
    QCOMPARE(rig.settings.LEDType, std::int16_t{1});
}

void TestOptions::penaltyRulesBoxIsShownAndKept_data() {
    QTest::addColumn<bool>("stored");
    QTest::addColumn<bool>("click");
    QTest::addColumn<bool>("cancel");
    QTest::addColumn<QString>("written"); // empty: nothing written
    QTest::addColumn<bool>("players");    // the player-number box instead of the rules' box
    for (const bool players : {false, true}) {
        const char* which = players ? "player numbers" : "penalty rules";
        QTest::addRow("%s: off kept", which) << false << false << false << u"No"_s << players;
        QTest::addRow("%s: on kept", which) << true << false << false << u"Yes"_s << players;
        QTest::addRow("%s: turned on", which) << false << true << false << u"Yes"_s << players;
        QTest::addRow("%s: turned off", which) << true << true << false << u"No"_s << players;
        QTest::addRow("%s: turned on, cancelled", which) << false << true << true << QString() << players;
    }
}

void TestOptions::penaltyRulesBoxIsShownAndKept() {
    QFETCH(bool, stored);
    QFETCH(bool, click);
    QFETCH(bool, cancel);
    QFETCH(QString, written);
    QFETCH(bool, players);
    bool SettingsVariables::*option =
        players ? &SettingsVariables::ShowPlayerNumbers : &SettingsVariables::PenaltyRules;
    SettingsVariables s = defaults();
    s.*option = stored;
    Rig rig(s);
    OptionsDialog& d = rig.open();
    auto* box = d.findChild<QCheckBox*>(players ? u"chkShowPlayerNumbers"_s : u"chkPenaltyRules"_s);
    QVERIFY(box);
    QCOMPARE(box->text(), players ? u"Show player numbers in the penalty boxes"_s : u"Apply penalty rules"_s);
    QCOMPARE(box->isChecked(), stored);
    d.tabs->setCurrentIndex(2);
    QVERIFY(box->isVisible());
    // Within the page: nothing of it is cut off.
    QVERIFY(box->parentWidget()->rect().contains(box->geometry()));
    if (click)
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
    (cancel ? d.cancelButton : d.okButton)->click();
    QCOMPARE(rig.settings.*option, cancel ? stored : stored != click);
    const std::optional<std::string> value =
        players ? rig.store.read("PicSettings", "ShowPlayerNumbers") : rig.store.read("RuleSettings", "PenaltyRules");
    QCOMPARE(value ? text(*value) : QString(), written);
}

void TestOptions::intermissionLengthIsMinutesOrKept_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("written");
    QTest::newRow("a length") << u"0:30"_s << u"0:30"_s;
    QTest::newRow("not a length keeps the stored one") << u"abc"_s << u"12:00"_s;
}

void TestOptions::intermissionLengthIsMinutesOrKept() {
    QFETCH(QString, typed);
    QFETCH(QString, written);
    SettingsVariables s = defaults();
    s.PenaltyRules = true;
    s.IntermissionLength = secondsToTime(720);
    Rig rig(s);
    OptionsDialog& d = rig.open();
    auto* edit = d.findChild<QLineEdit*>(u"txtIntermissionLength"_s);
    QVERIFY(edit);
    QCOMPARE(edit->text(), u"12:00"_s);
    QVERIFY(edit->isEnabled());
    d.tabs->setCurrentIndex(2);
    QVERIFY(edit->parentWidget()->rect().contains(edit->geometry()));
    edit->setText(typed);
    // The minor's length beside it: a length of a minor, or the stored one kept (5:00 is a major's).
    auto* minor = d.findChild<QLineEdit*>(u"txtMinorLength"_s);
    QVERIFY(minor && minor->isEnabled());
    QVERIFY(minor->parentWidget()->rect().contains(minor->geometry()));
    QVERIFY(!minor->geometry().intersects(edit->geometry()));
    minor->setText(typed == u"abc"_s ? u"5:00"_s : u"1:30"_s);
    d.okButton->click();
    QCOMPARE(text(*rig.store.read("RuleSettings", "IntermissionLength")), written);
    QCOMPARE(text(*rig.store.read("RuleSettings", "MinorLength")), typed == u"abc"_s ? u"2:00"_s : u"1:30"_s);
}

void TestOptions::resetColors_data() {
    QTest::addColumn<bool>("yes");
    QTest::newRow("Yes") << true;
    QTest::newRow("No") << false;
}

void TestOptions::resetColors() {
    QFETCH(bool, yes);
    SettingsVariables s = defaults();
    for (const ColourCell& cell : kColourCells)
        s.*cell.setting = 0x0A0B0C;
    s.LEDSelectedWidth = 3;
    Rig rig(s);
    OptionsDialog& d = rig.open();
    rig.dialogs.colors = {QColor(1, 1, 1)};
    d.backColourButton->click(); // the back colour changed first: the marker still resets to the default grey
    rig.dialogs.answers = {yes};
    d.resetColorsButton->click();
    QCOMPARE(rig.dialogs.questions,
             (QList<QPair<QString, QString>>{{u"Reset Colors"_s, u"Are you sure you want to reset the colors?"_s}}));
    QCOMPARE(d.selectedWidthValueLabel->text(), yes ? u"0"_s : u"3"_s);
    d.okButton->click();
    const auto stored = [&rig](const char* key) { return text(*rig.store.read("ColorSettings", key)); };
    if (yes) {
        QCOMPARE(stored("TimeColor"), u"255"_s);
        QCOMPARE(stored("LEDBack"), u"0"_s);
        QCOMPARE(stored("LEDSelected"), u"4210752"_s);
        QCOMPARE(stored("ScoreColor"), u"33023"_s);
        QCOMPARE(stored("PeriodColor"), u"49152"_s);
        QCOMPARE(stored("FormBack"), u"4210752"_s);
        QCOMPARE(stored("BorderColor"), u"16777215"_s);
        QCOMPARE(stored("HomeColor"), u"16777215"_s);
        QCOMPARE(stored("VisitorColor"), u"16777215"_s);
        QCOMPARE(stored("LEDSelectedWidth"), u"0"_s);
    } else {
        QCOMPARE(stored("TimeColor"), QString::number(0x0A0B0C));
        QCOMPARE(stored("FormBack"), QString::number(0x010101));
        QCOMPARE(stored("LEDSelectedWidth"), u"3"_s);
    }
}

void TestOptions::resetKeys_data() {
    QTest::addColumn<bool>("yes");
    QTest::newRow("Yes") << true;
    QTest::newRow("No") << false;
}

void TestOptions::resetKeys() {
    QFETCH(bool, yes);
    SettingsVariables s = defaults();
    s.StartStopClockKey = 65;
    s.ResetClockKey = 68;
    s.ClearKey = 8;
    s.ClockSwitchKey = 70; // F
    s.SepTimeKey = 74;
    s.BuzzerKey = 75;
    s.HornKey = 76;
    s.NumLockForce = 1;
    Rig rig(s);
    OptionsDialog& d = rig.open();
    rig.dialogs.answers = {yes};
    d.resetKeysButton->click();
    QCOMPARE(rig.dialogs.questions,
             (QList<QPair<QString, QString>>{{u"Reset Keys"_s, u"Are you sure you want to reset the keys?"_s}}));
    const WorkingKeys expected = yes ? WorkingKeys{83, 82, 46, 70, 73, 66, 71} : WorkingKeys{65, 68, 8, 70, 74, 75, 76};
    QCOMPARE(d.workingKeys(), expected);
    QCOMPARE(d.startStopClockLabel->text(), yes ? u"S"_s : u"A"_s);
    QCOMPARE(d.clearLabel->text(), yes ? u"Delete"_s : u"Backspace"_s);
    QCOMPARE(d.clockSwitchLabel->text(), u"F"_s);
    QCOMPARE(d.normalOption->isChecked(), yes);
    QCOMPARE(d.keepOnOption->isChecked(), !yes);
    d.okButton->click();
    QCOMPARE(rig.settings.ClockSwitchKey, std::int16_t{70});
    QCOMPARE(rig.settings.HornKey, yes ? std::int16_t{71} : std::int16_t{76});
    QCOMPARE(rig.settings.NumLockForce, yes ? 0 : 1);
}

void TestOptions::keyButtons_data() {
    QTest::addColumn<int>("cell");
    QTest::addColumn<QString>("prompt");
    QTest::addColumn<QString>("answer");
    const char* names[] = {"start/stop", "reset", "clear", "clock switch", "penalty clock", "buzzer", "horn"};
    const char* prompts[] = {"start / stop the clock",
                             "reset the clock",
                             "clear a number",
                             "switch between clock and game time",
                             "start / stop an independent penalty clock",
                             "sound the buzzer",
                             "sound the horn"};
    for (int i = 0; i < 7; ++i) {
        QTest::addRow("%s chosen", names[i]) << i << QString::fromLatin1(prompts[i]) << u"88"_s;
        QTest::addRow("%s closed", names[i]) << i << QString::fromLatin1(prompts[i]) << u"0"_s;
    }
}

void TestOptions::keyButtons() {
    QFETCH(int, cell);
    QFETCH(QString, prompt);
    QFETCH(QString, answer);
    const KeyCell& c = kKeyCells[cell];
    Rig rig;
    OptionsDialog& d = rig.open();
    const WorkingKeys before = d.workingKeys();
    rig.dialogs.chosenKeys = {answer};
    (d.*c.button)->click();
    QCOMPARE(rig.dialogs.keyRequests.size(), 1);
    QCOMPARE(text(rig.dialogs.keyRequests[0].keyPrompt), prompt);
    QCOMPARE(rig.dialogs.keyRequests[0].assignedKey, before[static_cast<std::size_t>(cell)]);
    QCOMPARE(rig.dialogs.keyRequestKeys[0], before);
    QCOMPARE(rig.dialogs.parents, QList<QWidget*>{&d});
    const bool chosen = answer != u"0";
    QCOMPARE(d.*c.temp, chosen ? std::int16_t{88} : before[static_cast<std::size_t>(cell)]);
    QCOMPARE((d.*c.label)->text(), chosen ? u"X"_s : text(keyCodeToStr(before[static_cast<std::size_t>(cell)])));
    d.okButton->click();
    QCOMPARE(rig.settings.*c.setting, chosen ? std::int16_t{88} : defaults().*c.setting);
}

void TestOptions::keyWindowRefusesTheWorkingKeys() {
    Rig rig;
    OptionsDialog& d = rig.open();
    // The horn gets X through the real key window.
    rig.dialogs.keyWindow = [](KeyCaptureDialog& window) { QTest::keyPress(&window, Qt::Key_X); };
    d.hornButton->click();
    QCOMPARE(d.hornKeyTemp, std::int16_t{88});
    // X is now taken in the dialog, though not yet stored: the buzzer cannot have it, nor the start/stop
    // key S; the user closes the window and the buzzer keeps B.
    rig.dialogs.keyWindow = [](KeyCaptureDialog& window) {
        QTest::keyPress(&window, Qt::Key_X);
        QTest::keyPress(&window, Qt::Key_S);
        QVERIFY(window.isVisible());
        QVERIFY(window.usedLabel->isVisible());
    };
    d.buzzerButton->click();
    QCOMPARE(rig.dialogs.beeps, 2);
    QCOMPARE(d.buzzerKeyTemp, std::int16_t{66});
    QCOMPARE(d.buzzerLabel->text(), u"B"_s);
    QCOMPARE(d.keyCapture().chosenKey, std::string("0"));
    // The buzzer's own key is taken again; G, given up by the horn, is free.
    rig.dialogs.keyWindow = [](KeyCaptureDialog& window) { QTest::keyPress(&window, Qt::Key_B); };
    d.buzzerButton->click();
    QCOMPARE(d.buzzerKeyTemp, std::int16_t{66});
    rig.dialogs.keyWindow = [](KeyCaptureDialog& window) { QTest::keyPress(&window, Qt::Key_G); };
    d.buzzerButton->click();
    QCOMPARE(d.buzzerKeyTemp, std::int16_t{71});
    QCOMPARE(d.buzzerLabel->text(), u"G"_s);
    QCOMPARE(rig.dialogs.beeps, 2);
}

void TestOptions::okWritesEveryValue() {
    const QString sound = makeFile(m_files.path(), 35, u"buzz.wav"_s);
    Rig rig;
    OptionsDialog& d = rig.open();
    rig.dialogs.colors = {QColor(10, 20, 30)};
    rig.dialogs.chosenKeys = {u"120"_s};
    rig.dialogs.files = {sound};
    d.periodColourButton->click();
    d.clockSwitchButton->click();
    d.buzzerSoundButton->click();
    d.visitorTextEdit->setText(QString());
    d.homeTextEdit->setText(u"Bears"_s);
    d.ledTypeCombo->setCurrentIndex(1);
    clickSpinner(d.selectedWidthSlider, true);
    d.okButton->click();
    QVERIFY(!d.isVisible());
    QCOMPARE(d.result(), int(QDialog::Accepted));

    SettingsVariables expected = defaults();
    expected.PeriodColor = 0x1E140A;
    expected.ClockSwitchKey = 120;
    expected.BuzzerFile = sound.toStdString();
    expected.HomeText = "Bears";
    expected.VisitorText = "";
    expected.TeamSize = FixedPoint4{26} * kFixedPoint4Scale;
    expected.LEDType = 1;
    expected.LEDSelectedWidth = 1;
    QVERIFY(rig.settings == expected);
    InMemorySettingsStore written;
    saveSettings(expected, written);
    // 24 values, the key-code marker, the player numbers, the penalty rules and the intermission's length, the screen
    QCOMPARE(rig.store.values().size(), std::size_t{30});
    QVERIFY(rig.store.values() == written.values());
    // The key-code marker goes with the keys, so the next start keeps them.
    QCOMPARE(text(*rig.store.read("KeySettings", "IsKeyCode")), u"Yes"_s);
    QCOMPARE(text(*rig.store.read("TextSettings", "VisitorText")), QString());
}

void TestOptions::publicScreenChoice_data() {
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QStringList>("items");
    QTest::addColumn<int>("pick"); // -1: leave the choice as it opened
    QTest::addColumn<QString>("written");
    // The offscreen platform reports one screen without a name: it cannot be told from this window only.
    QTest::newRow("this window only") << QString() << QStringList{u"this window only"_s} << -1 << QString();
    QTest::newRow("absent screen stays chosen")
        << u"HDMI-1"_s << QStringList{u"this window only"_s, u"HDMI-1 (not connected)"_s} << -1 << u"HDMI-1"_s;
    QTest::newRow("blanks around a stored name")
        << u" HDMI-1 "_s << QStringList{u"this window only"_s, u"HDMI-1 (not connected)"_s} << -1 << u"HDMI-1"_s;
    QTest::newRow("back to this window only")
        << u"HDMI-1"_s << QStringList{u"this window only"_s, u"HDMI-1 (not connected)"_s} << 0 << QString();
}

void TestOptions::publicScreenChoice() {
    QFETCH(QString, stored);
    QFETCH(QStringList, items);
    QFETCH(int, pick);
    QFETCH(QString, written);
    SettingsVariables s = defaults();
    s.PublicScreen = stored.toStdString();
    Rig rig(s);
    OptionsDialog& d = rig.open();
    QComboBox* box = d.findChild<QComboBox*>(u"cmbPublicScreen"_s);
    QVERIFY(box != nullptr);
    QStringList shown;
    for (int i = 0; i < box->count(); ++i)
        shown.append(box->itemText(i));
    QCOMPARE(shown, items);
    QCOMPARE(box->currentIndex(), items.size() - 1);
    if (pick >= 0)
        box->setCurrentIndex(pick);
    d.okButton->click();
    QCOMPARE(text(rig.settings.PublicScreen), written);
    QCOMPARE(text(*rig.store.read("DisplaySettings", "PublicScreen")), written);
}

void TestOptions::publicScreenInUse_data() {
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("inUse"); // the command line's screen, or the stored one
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("pick"); // -1: leave the choice as it opened
    QTest::addColumn<QString>("written");
    QTest::addColumn<bool>("changed");
    QTest::newRow("command line screen shown, OK keeps the stored one")
        << QString() << u"RIGHT"_s << u"RIGHT (not connected)"_s << -1 << QString() << false;
    QTest::newRow("command line this window only, OK keeps the stored screen")
        << u"HDMI-1"_s << QString() << u"this window only"_s << -1 << u"HDMI-1"_s << false;
    QTest::newRow("command line screen over another stored one")
        << u"HDMI-1"_s << u"RIGHT"_s << u"RIGHT (not connected)"_s << -1 << u"HDMI-1"_s << false;
    QTest::newRow("user picks this window only")
        << u"HDMI-1"_s << u"RIGHT"_s << u"RIGHT (not connected)"_s << 0 << QString() << true;
    QTest::newRow("stored screen in use, unchanged")
        << u"HDMI-1"_s << u"HDMI-1"_s << u"HDMI-1 (not connected)"_s << -1 << u"HDMI-1"_s << false;
}

void TestOptions::publicScreenInUse() {
    QFETCH(QString, stored);
    QFETCH(QString, inUse);
    QFETCH(QString, shown);
    QFETCH(int, pick);
    QFETCH(QString, written);
    QFETCH(bool, changed);
    SettingsVariables s = defaults();
    s.PublicScreen = stored.toStdString();
    Rig rig(s);
    OptionsDialog& d = rig.open();
    d.showPublicScreenInUse(inUse);
    QComboBox* box = d.findChild<QComboBox*>(u"cmbPublicScreen"_s);
    QVERIFY(box != nullptr);
    QCOMPARE(box->currentText(), shown);
    if (pick >= 0)
        box->setCurrentIndex(pick);
    d.okButton->click();
    QCOMPARE(d.publicScreenChanged(), changed);
    QCOMPARE(text(rig.settings.PublicScreen), written);
    QCOMPARE(text(*rig.store.read("DisplaySettings", "PublicScreen")), written);
}

void TestOptions::unwritableStoreIsReported() {
    QStringList reports;
    QList<QWidget*> reportParents;
    setStoreFailureDialog([&](QWidget* parent, const QString&, const QString& message) {
        reports.append(message);
        reportParents.append(parent);
    });
    Rig rig;
    rig.store.setFlushFailure(std::string("The disk is full."));
    OptionsDialog& d = rig.open();
    d.homeTextEdit->setText(u"Otters"_s);
    d.okButton->click();
    setStoreFailureDialog({});
    QCOMPARE(reports.size(), 1);
    QVERIFY(reports[0].contains(u"The disk is full."_s));
    QCOMPARE(reportParents, QList<QWidget*>{&d});
    // The new values are in effect for this run all the same.
    QCOMPARE(rig.settings.HomeText, std::string("Otters"));
    QVERIFY(!d.isVisible());
}

void TestOptions::enterInANameBoxPressesOk() {
    Rig rig;
    OptionsDialog& d = rig.open();
    d.tabs->setCurrentIndex(2);
    d.homeTextEdit->setFocus();
    d.homeTextEdit->setText(u"Rangers"_s);
    QTest::keyClick(d.homeTextEdit, Qt::Key_Return);
    QVERIFY(!d.isVisible());
    QCOMPARE(d.result(), int(QDialog::Accepted));
    QCOMPARE(rig.settings.HomeText, std::string("Rangers"));
}

void TestOptions::standardColourPicker_data() {
    QTest::addColumn<bool>("accept");
    QTest::newRow("cancelled") << false;
    QTest::newRow("chosen") << true;
}

void TestOptions::standardColourPicker() {
    // The program's picker starts at the sample's colour, and a cancel answers nothing at all.
    QFETCH(bool, accept);
    QColor preset;
    QTimer::singleShot(0, [&] {
        auto* picker = qobject_cast<QColorDialog*>(QApplication::activeModalWidget());
        QVERIFY(picker);
        preset = picker->currentColor();
        picker->setCurrentColor(QColor(9, 8, 7));
        accept ? picker->accept() : picker->reject();
    });
    const std::optional<QColor> answer = standardOptionsDialogs().pickColor(nullptr, QColor(0x56, 0x34, 0x12));
    QCOMPARE(preset, QColor(0x56, 0x34, 0x12));
    QCOMPARE(answer, accept ? std::optional<QColor>(QColor(9, 8, 7)) : std::nullopt);
}

void TestOptions::standardSoundChooser_data() {
    QTest::addColumn<bool>("accept");
    QTest::newRow("cancelled") << false;
    QTest::newRow("chosen") << true;
}

void TestOptions::standardSoundChooser() {
    QFETCH(bool, accept);
    const QString current = makeFile(m_files.path() + u"/chooser"_s, 50, u"current.wav"_s);
    const QString other = makeFile(m_files.path() + u"/chooser"_s, 50, u"other.wav"_s);
    QString filter;
    QString folder;
    QTimer::singleShot(0, [&] {
        auto* chooser = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        QVERIFY(chooser);
        filter = chooser->findChild<QComboBox*>(u"fileTypeCombo"_s)->currentText();
        folder = chooser->directory().absolutePath();
        if (accept) {
            chooser->selectFile(other);
            static_cast<QDialog*>(chooser)->accept();
        } else {
            chooser->reject();
        }
    });
    const std::optional<QString> answer = standardOptionsDialogs().pickSoundFile(nullptr, current);
    QCOMPARE(filter, u"Sounds *.wav"_s);
    QCOMPARE(folder, QFileInfo(current).absolutePath());
    QCOMPARE(answer, accept ? std::optional<QString>(other) : std::nullopt);
}

void TestOptions::standardQuestion_data() {
    QTest::addColumn<bool>("yes");
    QTest::newRow("Yes") << true;
    QTest::newRow("No") << false;
}

void TestOptions::standardQuestion() {
    QFETCH(bool, yes);
    QString title;
    QString question;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        QVERIFY(box);
        title = box->windowTitle();
        question = box->text();
        box->button(yes ? QMessageBox::Yes : QMessageBox::No)->click();
    });
    const bool answer = standardOptionsDialogs().askYesNo(nullptr, u"Reset Keys"_s, u"Are you sure?"_s);
    QCOMPARE(title, u"Reset Keys"_s);
    QCOMPARE(question, u"Are you sure?"_s);
    QCOMPARE(answer, yes);
}

QTEST_MAIN(TestOptions)
#include "tst_options.moc"
