#include "BoardFixture.h"
#include <QApplication>
#include <QTest>

SettingsVariables boardDefaults() {
    SettingsVariables s = defaultSettings("/nonexistent-program-folder", '/');
    // No sounds unless a test gives them.
    s.BuzzerFile.clear();
    s.HornFile.clear();
    return s;
}

BoardFixture::BoardFixture(const SettingsVariables& initial) : settings(initial) {
    BoardServices services;
    services.openHelp = [this] { ++helpOpened; };
    services.openOptions = [this] {
        ++optionsOpened;
        if (duringOptions) {
            duringOptions();
        }
    };
    services.timeOfDay = [this] { return timeOfDay; };
    services.twelveHourClock = [this] { return twelveHourClock; };
    services.beep = [this] { ++beeps; };
    services.setNumLock = [this](bool on) { numLockRequests.push_back(on); };
    services.endProgram = [this] { ++programEnded; };
    engine.beep = [this] { ++beeps; };
    board = std::make_unique<frmScoreBoard>(settings, engine, buzzer, horn, services);
    // The tests run the tick by hand on their own clock.
    board->tmrClock1.stop();
}

BoardFixture::~BoardFixture() { board.reset(); }

void BoardFixture::advance(std::int64_t ms) {
    clock.advance(ms);
    if (board->tmrClock1.isActive()) {
        board->tmrClock1_Timer();
    }
}

void BoardFixture::minutePasses(QTime newTimeOfDay) {
    timeOfDay = newTimeOfDay;
    if (board->tmrTimeOfDay.isActive()) {
        board->tmrTimeOfDay_Timer();
    }
}

void BoardFixture::show() {
    board->show();
    board->activateWindow();
    QVERIFY(QTest::qWaitForWindowExposed(board.get()));
    QTRY_VERIFY(board->TimeBack->hasFocus());
    board->tmrClock1.stop();
}

void BoardFixture::focus(PictureBoxControl* field) {
    field->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
}

void BoardFixture::press(Qt::Key key, Qt::KeyboardModifiers modifiers) {
    QWidget* target = QApplication::focusWidget();
    if (target == nullptr) {
        target = board.get();
    }
    QTest::keyClick(target, key, modifiers);
}

void BoardFixture::type(const QString& keys) {
    for (const QChar c : keys) {
        Qt::Key key = Qt::Key_unknown;
        if (c == QLatin1Char('\n')) {
            key = Qt::Key_Return;
        } else if (c == QLatin1Char(' ')) {
            key = Qt::Key_Space;
        } else if (c == QLatin1Char('#')) {
            key = Qt::Key_Delete;
        } else if (c == QLatin1Char('+')) {
            key = Qt::Key_Plus;
        } else if (c == QLatin1Char('-')) {
            key = Qt::Key_Minus;
        } else if (c == QLatin1Char('.')) {
            key = Qt::Key_Period;
        } else if (c.isDigit()) {
            key = static_cast<Qt::Key>(Qt::Key_0 + c.digitValue());
        } else if (c.isLetter()) {
            key = static_cast<Qt::Key>(Qt::Key_A + (c.toUpper().unicode() - 'A'));
        }
        press(key);
    }
}

QString BoardFixture::shown(const LumGroup& group, bool indexZeroIsRightmost) {
    QString out;
    for (const Lumidig* d : group.digits) {
        const QChar c = d->Caption() < 0 ? QLatin1Char('-') : QChar(QLatin1Char('0' + d->Caption()));
        if (indexZeroIsRightmost) {
            out.prepend(c);
        } else {
            out.append(c);
        }
    }
    return out;
}

QString BoardFixture::gameClock() const { return shown(board->lumTime, false); }
QString BoardFixture::home() const { return shown(board->lumHome, true); }
QString BoardFixture::visitor() const { return shown(board->lumVisitor, true); }
QString BoardFixture::period() const { return shown(board->lumPeriod, true); }

QString BoardFixture::penalty(int clockNumber) const {
    const LumGroup* groups[] = {nullptr, &board->lumPenaltyTH1, &board->lumPenaltyTH2, &board->lumPenaltyTV1,
                                &board->lumPenaltyTV2};
    return shown(*groups[clockNumber], true);
}
