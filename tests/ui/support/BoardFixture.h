#pragma once
#include "FakeSoundDevice.h"
#include "board/BoardWindow.h"
#include "core/board/ClockEngine.h"
#include "core/board/ClockSource.h"
#include "core/settings/Settings.h"
#include <QStringList>
#include <QTimer>
#include <functional>
#include <memory>

// The settings of a first run, as the board's tests start from.
SettingsVariables boardDefaults();

// A board on a hand-advanced clock with recording sound devices and a fixed time of day.
struct BoardFixture {
    explicit BoardFixture(const SettingsVariables& initial = boardDefaults());
    ~BoardFixture();

    // Advances the clock by ms and runs the tick once, as the timer would.
    void advance(std::int64_t ms);
    // The time of day moves on to a new minute, and the board's minute wake runs if it is armed.
    void minutePasses(QTime newTimeOfDay);
    // Shows the board and waits until the game clock's field has the focus.
    void show();
    // Types keys into whatever has the focus, as real key events.
    void type(const QString& keys);
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    void focus(PictureBoxControl* field);

    // The board's controls are its own: tests find them by object name, as a viewer of the board names them.
    template <class T = QWidget> T* control(const QString& name) const { return board->findChild<T*>(name); }
    // Every control of a name (a digit group, a pair of dots or lights), in the board's order.
    template <class T> QList<T*> controls(const QString& name) const { return board->findChildren<T*>(name); }
    PictureBoxControl* field(const char* name) const;
    QList<LedDigit*> digits(const QString& group) const;
    // The board's tick.
    BoardTick& tick() const;
    // The minute wake of a shown time of day.
    QTimer& timeOfDayTick() const;

    // What a digit group shows, leftmost first, '-' for a dark digit, e.g. "10:00" -> "1000", a dark tens "-7".
    static QString shown(const QList<LedDigit*>& digits, bool indexZeroIsRightmost);
    QString shown(const QString& group, bool indexZeroIsRightmost) const;
    QString gameClock() const; // "1000", "-507", "453-"
    QString home() const;      // "-7"
    QString visitor() const;
    QString period() const;
    QString penalty(int clock) const; // "200", "---"

    SettingsVariables settings;
    ManualClockSource clock;
    ClockEngine engine{clock};
    FakeSoundDevice buzzer;
    FakeSoundDevice horn;
    QTime timeOfDay{14, 35};
    bool twelveHourClock = false;
    // Runs while the options dialog is open, as the dialog's OK would change the settings.
    std::function<void()> duringOptions;
    int helpOpened = 0;
    int optionsOpened = 0;
    int beeps = 0;
    int programEnded = 0;
    std::vector<bool> numLockRequests;
    std::unique_ptr<BoardWindow> board;
};
