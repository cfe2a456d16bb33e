#pragma once
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabWidget>
#include <array>
#include <functional>
#include <string>

#include "core/settings/KeyCapture.h"
#include "core/settings/Settings.h"

class LedDigit;
class LabelControl;
class OptionsDialogs;
class SettingsStore;

// A colour sample of the options dialog: a plain box in one colour, the colour a setting will get.
class ColorSample : public QFrame {
    Q_OBJECT
public:
    explicit ColorSample(QWidget* parent);
    OleColor backColor() const { return m_color; }
    void setBackColor(OleColor color);

private:
    OleColor m_color = 0;
};

// The modal "Options" dialog: every setting on three tabs. It edits working copies filled from the settings
// variables each time it opens; only OK writes them back (and to the store). Cancel, Escape and the close
// button discard everything.
class OptionsDialog : public QDialog {
    Q_OBJECT
public:
    // settings and store are the program's; setNumLock brings NumLock to a state at once (true: on) when OK
    // stores a mode that holds it; dialogs opens the pickers, questions and the key window.
    OptionsDialog(SettingsVariables& settings, SettingsStore& store, std::function<void(bool)> setNumLock,
                  OptionsDialogs& dialogs, QWidget* parent = nullptr);

    // The display form of a sound path in a label `length` characters wide (see the rule in core).
    static QString chopFileName(const QString& fileName, int length);
    // Recomputes tempSize from the names in the two measuring labels.
    void previewTeamNames();

    // The public board's screen in use now (the command line's --public-screen or the stored one; empty: this
    // window only): the choice shows it. OK stores a public screen only when the user changed that choice.
    void showPublicScreenInUse(const QString& name);
    // After OK: whether the user picked another public screen than the one shown when the dialog opened.
    bool publicScreenChanged() const { return m_publicScreenChanged; }

    // The seven keys as they are now in the dialog.
    WorkingKeys workingKeys() const;
    // What the dialog last handed the key window, and its answer.
    const KeyCaptureExchange& keyCapture() const { return m_exchange; }

    // Working copies, read by the key window's refusal of taken keys.
    std::int16_t startStopClockKeyTemp = 0;
    std::int16_t resetClockKeyTemp = 0;
    std::int16_t clearKeyTemp = 0;
    std::int16_t clockSwitchKeyTemp = 0;
    std::int16_t sepTimeKeyTemp = 0;
    std::int16_t buzzerKeyTemp = 0;
    std::int16_t hornKeyTemp = 0;
    std::string buzzTemp;
    std::string hornTemp;
    std::int16_t tempSize = 0;

    QTabWidget* tabs = nullptr;

    // "Keyboard Controls"
    QPushButton* sepTimeButton = nullptr;
    QPushButton* startStopClockButton = nullptr;
    QPushButton* resetClockButton = nullptr;
    QPushButton* hornButton = nullptr;
    QPushButton* buzzerButton = nullptr;
    QPushButton* clockSwitchButton = nullptr;
    QPushButton* clearKeyButton = nullptr;
    QLabel* sepTimeLabel = nullptr;
    QLabel* startStopClockLabel = nullptr;
    QLabel* resetClockLabel = nullptr;
    QLabel* hornLabel = nullptr;
    QLabel* buzzerLabel = nullptr;
    QLabel* clockSwitchLabel = nullptr;
    QLabel* clearLabel = nullptr;
    QGroupBox* numLockFrame = nullptr;
    QRadioButton* normalOption = nullptr;
    QRadioButton* keepOnOption = nullptr;
    QRadioButton* keepOffOption = nullptr;
    QPushButton* resetKeysButton = nullptr;
    QGroupBox* buzzerFileFrame = nullptr;
    QPushButton* buzzerSoundButton = nullptr;
    QLabel* buzzerFileLabel = nullptr;
    QGroupBox* hornFileFrame = nullptr;
    QPushButton* hornSoundButton = nullptr;
    QLabel* hornFileLabel = nullptr;

    // "Color Controls"
    QGroupBox* timeColourFrame = nullptr;
    QGroupBox* scoreColourFrame = nullptr;
    QGroupBox* borderColourFrame = nullptr;
    QGroupBox* backColourFrame = nullptr;
    QGroupBox* periodColourFrame = nullptr;
    QGroupBox* homeColourFrame = nullptr;
    QGroupBox* ledBackFrame = nullptr;
    QGroupBox* ledSelectedFrame = nullptr;
    QGroupBox* visitorColourFrame = nullptr;
    ColorSample* timeColourSample = nullptr;
    ColorSample* scoreColourSample = nullptr;
    ColorSample* borderColourSample = nullptr;
    ColorSample* backColourSample = nullptr;
    ColorSample* periodColourSample = nullptr;
    ColorSample* homeColourSample = nullptr;
    ColorSample* ledBackSample = nullptr;
    ColorSample* ledSelectedSample = nullptr;
    ColorSample* visitorColourSample = nullptr;
    QPushButton* timeColourButton = nullptr;
    QPushButton* scoreColourButton = nullptr;
    QPushButton* borderColourButton = nullptr;
    QPushButton* backColourButton = nullptr;
    QPushButton* periodColourButton = nullptr;
    QPushButton* homeColourButton = nullptr;
    QPushButton* ledBackButton = nullptr;
    QPushButton* ledSelectedButton = nullptr;
    QPushButton* visitorColourButton = nullptr;
    QLabel* widthLabel = nullptr;
    QLabel* selectedWidthValueLabel = nullptr;
    QScrollBar* selectedWidthSlider = nullptr;
    QGroupBox* digitTypeFrame = nullptr;
    QComboBox* ledTypeCombo = nullptr;
    QLabel* previewLabel = nullptr;
    LedDigit* previewDigit = nullptr;
    QPushButton* resetColorsButton = nullptr;

    // "Text Controls"
    QGroupBox* homeNameFrame = nullptr;
    QLineEdit* homeTextEdit = nullptr;
    QGroupBox* visitorNameFrame = nullptr;
    QLineEdit* visitorTextEdit = nullptr;
    LabelControl* homePreviewLabel = nullptr;
    LabelControl* visitorPreviewLabel = nullptr;
    QCheckBox* penaltyRulesCheck = nullptr;
    QLabel* intermissionLabel = nullptr;
    QLineEdit* intermissionEdit = nullptr;
    QLabel* minorLengthLabel = nullptr;
    QLineEdit* minorLengthEdit = nullptr;
    QCheckBox* showPlayerNumbersCheck = nullptr;
    QGroupBox* publicScreenFrame = nullptr;
    QComboBox* publicScreenCombo = nullptr;

    QPushButton* okButton = nullptr;
    QPushButton* cancelButton = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    struct KeyButton {
        QPushButton* button;
        QLabel* label;
        std::int16_t OptionsDialog::*temp;
        const char* prompt;
    };

    void buildKeyboardTab(QWidget* page);
    void buildColorTab(QWidget* page);
    void buildTextTab(QWidget* page);
    void placeTabContents();
    void fillPublicScreens(const QString& stored);

    void fillFromSettings();
    void focusOkButton();
    void changeColor(ColorSample* sample);
    void changeKey(const KeyButton& key);
    void changeSound(std::string& temp, QLabel* label);
    void showKeyName(QLabel* label, std::int16_t keyCode);
    void onLedTypeChosen();
    void onSelectedWidthChanged();
    // The name a box stands for: the box takes at most 20 characters, so a longer stored name shows cut; while
    // the box still shows exactly that cut the name was not changed, and it is kept whole.
    static QString keptName(const QLineEdit* box, const std::string& stored);
    void onHomeTextChanged();
    void onVisitorTextChanged();
    void onResetColorsClicked();
    void onResetKeysClicked();
    void onOkClicked();
    void onCancelClicked();

    SettingsVariables& m_settings;
    SettingsStore& m_store;
    std::function<void(bool)> m_setNumLock;
    OptionsDialogs& m_dialogs;
    KeyCaptureExchange m_exchange;
    std::array<KeyButton, 7> m_keyButtons{};
    // The tab pages hold their controls on canvases placed so that positions count from the tab control's own
    // corner, as the layout is drawn.
    std::array<QWidget*, 3> m_canvases{};
    QString m_publicScreenShown; // the public screen the choice showed when the dialog opened
    bool m_publicScreenChanged = false;
};
