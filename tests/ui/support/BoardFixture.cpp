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
    board = std::make_unique<BoardWindow>(settings, engine, buzzer, horn, services);
    // The tests run the tick by hand on their own clock.
    board->stopTick();
}

BoardFixture::~BoardFixture() {
    board.reset();
}

void BoardFixture::advance(std::int64_t ms) {
    clock.advance(ms);
    if (tick().isActive()) {
        board->onTick();
    }
}

void BoardFixture::minutePasses(QTime newTimeOfDay) {
    timeOfDay = newTimeOfDay;
    if (timeOfDayTick().isActive()) {
        board->onTimeOfDayTick();
    }
}

void BoardFixture::show() {
    board->show();
    board->activateWindow();
    QVERIFY(QTest::qWaitForWindowExposed(board.get()));
    QTRY_VERIFY(field("TimeBack")->hasFocus());
    board->stopTick();
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

QString BoardFixture::shown(const QList<LedDigit*>& digits, bool indexZeroIsRightmost) {
    QString out;
    for (const LedDigit* d : digits) {
        const QChar c = d->caption() < 0 ? QLatin1Char('-') : QChar(QLatin1Char('0' + d->caption()));
        if (indexZeroIsRightmost) {
            out.prepend(c);
        } else {
            out.append(c);
        }
    }
    return out;
}

QString BoardFixture::shown(const QString& group, bool indexZeroIsRightmost) const {
    return shown(digits(group), indexZeroIsRightmost);
}

QList<LedDigit*> BoardFixture::digits(const QString& group) const {
    return board->findChildren<LedDigit*>(group);
}

BoardTick& BoardFixture::tick() const {
    return *board->findChild<BoardTick*>(QStringLiteral("tmrClock1"));
}

QTimer& BoardFixture::timeOfDayTick() const {
    return *board->findChild<QTimer*>(QStringLiteral("tmrTimeOfDay"));
}

PictureBoxControl* BoardFixture::field(const char* name) const {
    return board->findChild<PictureBoxControl*>(QLatin1String(name));
}

QString BoardFixture::gameClock() const {
    return shown(QStringLiteral("lumTime"), false);
}
QString BoardFixture::home() const {
    return shown(QStringLiteral("lumHome"), true);
}
QString BoardFixture::visitor() const {
    return shown(QStringLiteral("lumVisitor"), true);
}
QString BoardFixture::period() const {
    return shown(QStringLiteral("lumPeriod"), true);
}

QString BoardFixture::penalty(int clockNumber) const {
    const char* groups[] = {"", "lumPenaltyTH1", "lumPenaltyTH2", "lumPenaltyTV1", "lumPenaltyTV2"};
    return shown(QLatin1String(groups[clockNumber]), true);
}
