#include "BoardWindow.h"
#include "core/board/TickSchedule.h"
#include "core/input/KeyTables.h"
#include "input/KeyTranslate.h"
#include "sound/SoundDevice.h"
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFileInfo>
#include <QKeyEvent>
#include <QToolTip>
#include <algorithm>
#include <cmath>

namespace {

// Key codes the board reads without a setting.
constexpr int kF1 = 112;
constexpr int kF2 = 113;
constexpr int kF3 = 114;
constexpr int kNumPad0 = 96;
constexpr int kNumPad9 = 105;
constexpr int kInsert = 45;
constexpr int kNumLock = 144;
constexpr int kLeft = 37;
constexpr int kRight = 39;
constexpr int kDown = 40;

// The client area of the design's 9600 x 7200 twips window.
constexpr double kDesignClientWidth = 9480;
constexpr double kDesignClientHeight = 6795;

} // namespace

std::vector<int> LedDigitGroup::captions() const {
    return game::digitsOf(model->state(), group);
}

void LedDigitGroup::setCaptions(const std::vector<int>& captions) {
    model->edit([this, &captions](game::GameState& s) { game::setDigits(s, group, captions); });
}

BoardWindow::BoardWindow(SettingsVariables& settings, ClockEngine& engine, SoundDevice& buzzer, SoundDevice& horn,
                         BoardServices services, QWidget* parent)
    : QWidget(parent), m_settings(settings), m_engine(engine), m_buzzer(buzzer), m_horn(horn),
      m_services(std::move(services)) {
    setWindowTitle(QStringLiteral("Rinkmaster"));
    setFocusPolicy(Qt::NoFocus);
    resize(twips::toPixels(kDesignClientWidth), twips::toPixels(kDesignClientHeight));
    m_view = new BoardView(m_settings, m_model, BoardViewRole::Board, this);
    m_view->setGeometry(rect());
    connectControls();
    connect(m_view, &BoardView::labelsChanged, this, [this] {
        updateTitle();
        emit shownChanged();
    });

    tmrClock1.setObjectName(QStringLiteral("tmrClock1"));
    tmrTimeOfDay.setObjectName(QStringLiteral("tmrTimeOfDay"));
    connect(&tmrClock1, &BoardTick::timeout, this, &BoardWindow::onTick);
    tmrTimeOfDay.setSingleShot(true);
    tmrTimeOfDay.setTimerType(Qt::PreciseTimer);
    connect(&tmrTimeOfDay, &QTimer::timeout, this, &BoardWindow::onTimeOfDayTick);
    connect(&m_buzzer, &SoundDevice::Done, this, [this] { soundFinished(m_buzzer); });
    connect(&m_horn, &SoundDevice::Done, this, [this] { soundFinished(m_horn); });

    onLoad();
    tmrClock1.start();
}

void BoardWindow::refreshFromSettings() {
    m_view->refreshFromSettings();
}

void BoardWindow::updateTitle() {
    setWindowTitle(QStringLiteral("Rinkmaster - ") + QString::fromStdString(m_settings.HomeText));
}

BoardWindow::~BoardWindow() {
    // The window object goes away without the operator closing it: release both sounds.
    if (!m_unloaded) {
        m_buzzer.Close();
        m_horn.Close();
    }
}

void BoardWindow::connectControls() {
    const std::array<std::pair<LedDigitGroup*, game::DigitGroup>, 8> groups{{
        {&lumTime, game::DigitGroup::Time},
        {&lumHome, game::DigitGroup::Home},
        {&lumVisitor, game::DigitGroup::Visitor},
        {&lumPeriod, game::DigitGroup::Period},
        {&lumPenaltyTH1, game::DigitGroup::PenaltyTH1},
        {&lumPenaltyTH2, game::DigitGroup::PenaltyTH2},
        {&lumPenaltyTV1, game::DigitGroup::PenaltyTV1},
        {&lumPenaltyTV2, game::DigitGroup::PenaltyTV2},
    }};
    const std::array<const char*, 8> names{"lumTime",       "lumHome",       "lumVisitor",    "lumPeriod",
                                           "lumPenaltyTH1", "lumPenaltyTH2", "lumPenaltyTV1", "lumPenaltyTV2"};
    for (std::size_t i = 0; i < groups.size(); ++i) {
        groups[i].first->name = QString::fromLatin1(names[i]);
        groups[i].first->model = &m_model;
        groups[i].first->group = groups[i].second;
    }

    // The field boxes select themselves when they take the focus and hand their keys to the handlers.
    const auto fields = fieldBoxes();
    for (PictureBoxControl* f : fields) {
        connect(f, &PictureBoxControl::gotFocus, this, [this, f] { ObjectSelected(f); });
        // A field left for no other field: nothing is selected (a field chosen next selects itself).
        connect(f, &PictureBoxControl::lostFocus, this, [this] {
            if (selectedField() == nullptr) {
                m_model.edit([](game::GameState& s) { s.selected.reset(); });
            }
        });
        connect(f, &PictureBoxControl::keyUp, this, [this](int keyCode) { AllKeyUp(keyCode, 0); });
    }
    using game::Field;
    const auto keyDown = [this](Field f, auto handler) {
        connect(m_view->fieldBox(f), &PictureBoxControl::keyDown, this, handler);
    };
    keyDown(Field::TimeBack, [this](int k) { clockFieldKeyDown(k); });
    keyDown(Field::HomeBack, [this](int k) { homeScoreKeyDown(k); });
    keyDown(Field::VisitorBack, [this](int k) { visitorScoreKeyDown(k); });
    keyDown(Field::PeriodBack, [this](int k) { periodKeyDown(k); });
    keyDown(Field::picGoalBack, [this](int k) { goalFieldKeyDown(k); });
    keyDown(Field::PenaltyTH1, [this](int k) { PenaltyKeyDown(1, k); });
    keyDown(Field::PenaltyTH2, [this](int k) { PenaltyKeyDown(2, k); });
    keyDown(Field::PenaltyTV1, [this](int k) { PenaltyKeyDown(3, k); });
    keyDown(Field::PenaltyTV2, [this](int k) { PenaltyKeyDown(4, k); });
    connect(m_view->homeGoalCover(), &ImageControl::clicked, this, &BoardWindow::onHomeGoalCoverClicked);
    connect(m_view->visitorGoalCover(), &ImageControl::clicked, this, &BoardWindow::onVisitorGoalCoverClicked);
    connect(m_view->homeGoalLabel(), &LabelControl::clicked, this, &BoardWindow::onHomeGoalLabelClicked);
    connect(m_view->visitorGoalLabel(), &LabelControl::clicked, this, &BoardWindow::onVisitorGoalLabelClicked);
}

PictureBoxControl* BoardWindow::selectedField() const {
    for (PictureBoxControl* f : fieldBoxes()) {
        if (f->hasFocus()) {
            return f;
        }
    }
    return nullptr;
}

void BoardWindow::onLoad() {
    updateTitle();
    UpdateGoal();
    Penalty();
    UpdateNumLock();
    openDevice(m_buzzer, m_settings.BuzzerFile, true);
    openDevice(m_horn, m_settings.HornFile, true);
    m_engine.ResetTime = secondsToTime(600);
    m_engine.SetClock(secondsToTime(600), 0, 0);
    ShowClock(secondsToTime(600));
    noteEngine();
    drawModel();
}

void BoardWindow::noteEngine() {
    m_model.edit([this](game::GameState& s) {
        s.clocks = m_engine.Snapshot();
        s.resetTime = m_engine.ResetTime;
        s.zeroBuzzed = ZeroBuzzed != 0;
    });
}

void BoardWindow::drawModel() {
    m_view->drawModel();
}

void BoardWindow::resumeGame(const game::GameState& saved) {
    game::GameState s = saved;
    for (ClockRecord& c : s.clocks) {
        c.running = false;
    }
    m_engine.Restore(s.clocks);
    m_engine.ResetTime = s.resetTime;
    m_engine.EntryText.clear();
    m_engine.EntryOwner.clear();
    m_runningOnTheirOwn.fill(false);
    // The journal's reader has let through only a rules' state the rules could have made.
    m_rules = PenaltyRules::fromState(s.rules.penalties).value_or(PenaltyRules{});
    ZeroBuzzed = s.zeroBuzzed ? -1 : 0;
    WhoGoal = static_cast<std::int16_t>(s.whoGoal);
    m_model.setState(s);
    setClockTime(s.timeOfDay ? -1 : 0);
    if (s.timeOfDay) {
        showTimeOfDay();
    }
    drawModel();
    PictureBoxControl* field = m_view->fieldBox(game::Field::TimeBack);
    if (s.selected) {
        field = fieldBoxes()[static_cast<std::size_t>(*s.selected)];
    }
    field->setFocus(Qt::OtherFocusReason);
    ObjectSelected(field);
    if (rulesOn()) {
        adoptShownPenalties();
    }
    // The tick goes on drawing from the engine, which now holds the saved values.
    tmrClock1.start();
}

void BoardWindow::openDevice(SoundDevice& device, const std::string& file, bool checkExists) {
    const QString path = QString::fromStdString(file);
    if (checkExists) {
        // A folder is no sound: it counts as missing.
        if (path.isEmpty() || !QFileInfo(path).isFile()) {
            return;
        }
    }
    device.setFileName(path);
    device.Open();
}

void BoardWindow::onUnload() {
    if (m_unloaded) {
        return;
    }
    m_unloaded = true;
    tmrClock1.stop();
    tmrTimeOfDay.stop();
    if (!m_buzzer.FileName().isEmpty()) {
        m_buzzer.Close();
    }
    if (!m_horn.FileName().isEmpty()) {
        m_horn.Close();
    }
    if (m_services.endProgram) {
        m_services.endProgram();
    }
}

void BoardWindow::closeEvent(QCloseEvent* event) {
    onUnload();
    event->accept();
}

void BoardWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (m_firstShow) {
        m_firstShow = false;
        // The game clock is selected when the board first appears, after the window has taken its size.
        QTimer::singleShot(0, this, [this] {
            activateWindow();
            PictureBoxControl* clock = m_view->fieldBox(game::Field::TimeBack);
            clock->setFocus(Qt::OtherFocusReason);
            ObjectSelected(clock);
        });
    }
}

void BoardWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    // The view stretches its layout, hides the marker and sizes the names anew.
    m_view->setGeometry(rect());
}

// ---- Keys -------------------------------------------------------------------------------------------------

void BoardWindow::keyPressEvent(QKeyEvent* event) {
    // Reaches the window only while no field has the focus.
    if (const int keyCode = windowsKeyCode(event); keyCode != 0) {
        AllKeyCode(keyCode);
    }
    event->accept();
}

void BoardWindow::AllKeyCode(int keyCode) {
    const SettingsVariables& s = m_settings;
    if (keyCode == s.StartStopClockKey) {
        setClockTime(0);
        m_runningOnTheirOwn.fill(false);
        if (m_engine.IsClockRunning(0)) {
            for (int n = 0; n < kClockCount; ++n) {
                m_engine.StopClock(n);
            }
            showStoppedClocks();
        } else {
            for (int n = 0; n < kClockCount; ++n) {
                m_engine.StartClock(n);
            }
            tmrClock1.start();
        }
    } else if (keyCode == s.ResetClockKey) {
        if (m_engine.IsClockRunning(0)) {
            AllKeyCode(s.StartStopClockKey);
        }
        m_engine.SetClock(m_engine.ResetTime, 0, 0);
        ShowClock(m_engine.ClockValue(0));
        setClockTime(0);
    } else if (keyCode == s.ClockSwitchKey) {
        setClockTime(ClockTime == 0 ? -1 : 0);
        // Show the other view at once: after the game clock has run out the tick is off, and the intermission
        // is exactly when the time of day is wanted.
        if (ClockTime != 0) {
            showTimeOfDay();
        } else {
            ShowClock(m_engine.ClockValue(0));
        }
    } else if (keyCode == s.BuzzerKey) {
        Buzzer();
    } else if (keyCode == s.HornKey) {
        Horn();
    } else if (keyCode == kF1) {
        if (m_services.openHelp) {
            m_services.openHelp();
        }
    } else if (keyCode == kF2) {
        if (m_services.openOptions) {
            m_services.openOptions();
            afterOptions();
        }
    } else if (keyCode == kF3 && rulesOn()) {
        if (m_services.openGameSheet) {
            m_services.openGameSheet();
        }
    }
    // Every key can change what the tick draws (a typed time, a start or stop, a cleared penalty, new options):
    // the tick runs once as soon as the key has been handled, and schedules itself from what it reads.
    tmrClock1.fireSoon();
    noteEngine();
}

bool BoardWindow::takeCommandKey(int keyCode) {
    const SettingsVariables& s = m_settings;
    const bool digit = (keyCode >= '0' && keyCode <= '9') || (keyCode >= kNumPad0 && keyCode <= kNumPad9);
    if (keyCode == 0 || keyCode == kF1 || keyCode == kF2 || keyCode == kF3 || digit) {
        return false;
    }
    bool command = false;
    for (std::int64_t key :
         {s.StartStopClockKey, s.ResetClockKey, s.ClockSwitchKey, s.BuzzerKey, s.HornKey, s.SepTimeKey}) {
        command = command || key == keyCode;
    }
    if (!command) {
        return false;
    }
    // The field the board's keyboard was last in takes it, as a key typed there; with none the board itself.
    for (PictureBoxControl* f : fieldBoxes()) {
        if (f == focusWidget()) {
            emit f->keyDown(keyCode);
            return true;
        }
    }
    AllKeyCode(keyCode);
    return true;
}

void BoardWindow::afterOptions() {
    if (rulesOn()) {
        adoptShownPenalties();
    }
    m_view->updateLabels();
    m_view->updateFormColors();
    UpdateGoal();
    UpdateNumLock();
    Penalty();
    m_view->recordLayout();
    m_buzzer.Close();
    m_buzzer.setFileName(QString::fromStdString(m_settings.BuzzerFile));
    m_buzzer.Open();
    m_horn.Close();
    m_horn.setFileName(QString::fromStdString(m_settings.HornFile));
    m_horn.Open();
}

void BoardWindow::AllKeyUp(int keyCode, int /*shift*/) {
    if (keyCode == kNumLock) {
        UpdateNumLock();
    }
}

int BoardWindow::KeyCodeToAsci(int keyCode) const {
    return ::KeyCodeToAsci(static_cast<std::int16_t>(keyCode), m_settings.ClearKey);
}

void BoardWindow::setClockTime(std::int16_t value) {
    const bool wasShowingTimeOfDay = ClockTime != 0;
    ClockTime = value;
    m_model.edit([value](game::GameState& s) { s.timeOfDay = value != 0; });
    if (ClockTime != 0) {
        armTimeOfDay();
    } else {
        tmrTimeOfDay.stop();
        if (wasShowingTimeOfDay && !tmrClock1.isActive()) {
            ShowClock(m_engine.ClockValue(0));
        }
    }
}

void BoardWindow::clockFieldKeyDown(int keyCode) {
    AllKeyCode(keyCode);
    const int c = KeyCodeToAsci(keyCode);
    const TimeValue t = m_engine.EnterTimeKey(lumTime.name.toStdString(), c, 5999);
    if (t != kNoTime) {
        if (m_engine.IsClockRunning(0)) {
            AllKeyCode(m_settings.StartStopClockKey);
        }
        m_engine.SetClock(t, 0, 0);
        m_engine.ResetTime = t;
        ShowClock(m_engine.ClockValue(0));
    }
    noteEngine();
}

void BoardWindow::numberFieldKeyDown(LedDigitGroup& group, int keyCode, int min, int max) {
    AllKeyCode(keyCode);
    const int c = KeyCodeToAsci(keyCode);
    std::vector<int> captions = group.captions();
    m_digitEntry.EnterDigitKey(group.name.toStdString(), captions, c, min, max);
    group.setCaptions(captions);
}

void BoardWindow::homeScoreKeyDown(int keyCode) {
    const int before = game::numberShown(m_model.state().homeDigits.data(), 2);
    numberFieldKeyDown(lumHome, keyCode, -1, 99);
    scoreKeyed(Team::Home, before, game::numberShown(m_model.state().homeDigits.data(), 2));
}
void BoardWindow::visitorScoreKeyDown(int keyCode) {
    const int before = game::numberShown(m_model.state().visitorDigits.data(), 2);
    numberFieldKeyDown(lumVisitor, keyCode, -1, 99);
    scoreKeyed(Team::Visitor, before, game::numberShown(m_model.state().visitorDigits.data(), 2));
}
void BoardWindow::periodKeyDown(int keyCode) {
    const int before = game::numberShown(m_model.state().periodDigits.data(), 1);
    numberFieldKeyDown(lumPeriod, keyCode, 0, 9);
    const int after = game::numberShown(m_model.state().periodDigits.data(), 1);
    if (rulesOn() && after != before) {
        SheetEvent e;
        e.kind = SheetEvent::Kind::Period;
        e.at = gameMoment();
        m_model.edit([&e](game::GameState& st) { st.rules.note(e); });
    }
}

LedDigitGroup& BoardWindow::penaltyGroup(int clockNumber) {
    switch (clockNumber) {
    case 1:
        return lumPenaltyTH1;
    case 2:
        return lumPenaltyTH2;
    case 3:
        return lumPenaltyTV1;
    default:
        return lumPenaltyTV2;
    }
}

void BoardWindow::PenaltyKeyDown(int n, int keyCode) {
    LedDigitGroup& g = penaltyGroup(n);
    if (keyCode == m_settings.ClearKey) {
        ClearPenalty(n, g, g);
        if (rulesOn()) {
            applyRules(m_rules.cleared(n, penaltyReadings(), gameMoment()), n);
        }
    }
    AllKeyCode(keyCode);
    const int c = KeyCodeToAsci(keyCode);
    if (keyCode == m_settings.SepTimeKey) {
        if (m_engine.IsClockRunning(n)) {
            m_engine.StopClock(n);
            m_runningOnTheirOwn[static_cast<std::size_t>(n)] = false;
            showStoppedClocks();
        } else {
            // Started during play it runs with the game and stops at the game clock's zero like the others; only
            // one started while the game is stopped (or has run out) runs on its own through the stoppage.
            const bool onItsOwn = !gameClockRuns();
            m_engine.StartClock(n);
            m_runningOnTheirOwn[static_cast<std::size_t>(n)] = onItsOwn;
            tmrClock1.start();
        }
    }
    TimeValue v = m_engine.EnterTimeKey(g.name.toStdString(), c, 599);
    if (v != kNoTime) {
        v = roundToWholeSecondsHalfEven(v);
        m_engine.SetClock(v, 0, n);
        m_runningOnTheirOwn[static_cast<std::size_t>(n)] = false;
        DisplayTime(g, m_engine.ClockValue(n));
        UpdatePenaltyColonColors();
        Penalty();
        if (rulesOn()) {
            applyRules(m_rules.typedTime(n, v, penaltyReadings(), gameMoment()), n);
        }
    } else if (keyCode == kInsert && rulesOn() && !isCommandKey(keyCode)) {
        addPenalty(n);
    }
    noteEngine();
}

// ---- Penalty rules ----------------------------------------------------------------------------------------

bool BoardWindow::isCommandKey(int keyCode) const {
    const SettingsVariables& s = m_settings;
    for (std::int64_t key :
         {s.StartStopClockKey, s.ResetClockKey, s.ClockSwitchKey, s.BuzzerKey, s.HornKey, s.ClearKey, s.SepTimeKey}) {
        if (key == keyCode) {
            return true;
        }
    }
    return false;
}

PenaltyReadings BoardWindow::penaltyReadings() {
    PenaltyReadings r{};
    for (int n = 1; n <= 4; ++n) {
        // A dark clock holds no penalty, whatever its engine clock says.
        const bool dark = m_model.state().penaltyDigits[static_cast<std::size_t>(n - 1)][0] < 0;
        r[static_cast<std::size_t>(n - 1)] = dark ? 0 : m_engine.ClockValue(n);
    }
    return r;
}

void BoardWindow::adoptShownPenalties() {
    for (int n = 1; n <= 4; ++n) {
        const TimeValue left = penaltyReadings()[static_cast<std::size_t>(n - 1)];
        if (left > 0 && !m_rules.onClock(n)) {
            applyRules(m_rules.typedTime(n, left, penaltyReadings(), gameMoment()), n);
        }
    }
}

GameMoment BoardWindow::gameMoment() {
    return GameMoment{game::numberShown(m_model.state().periodDigits.data(), 1), m_engine.ClockValue(0)};
}

void BoardWindow::addPenalty(int n) {
    // Insert ends the typed time as Enter would, but adds the penalty instead of replacing the clock's time.
    LedDigitGroup& g = penaltyGroup(n);
    TimeValue v = m_engine.EnterTimeKey(g.name.toStdString(), '\r', 599);
    if (v == kNoTime) {
        return;
    }
    v = roundToWholeSecondsHalfEven(v);
    applyRules(m_rules.addPenalty(teamOfClock(n), v, n, penaltyReadings(), gameMoment()), n);
}

void BoardWindow::scoreKeyed(Team team, int before, int after) {
    if (!rulesOn() || before == after) {
        return;
    }
    SheetEvent e;
    e.kind = SheetEvent::Kind::Score;
    e.at = gameMoment();
    e.team = team;
    e.scoreBefore = before;
    e.scoreAfter = after;
    m_model.edit([&e](game::GameState& s) { s.rules.note(e); });
    applyRules(m_rules.scoreChanged(team, before, after, penaltyReadings(), e.at), 0);
}

void BoardWindow::applyRules(const PenaltyOutcome& outcome, int field) {
    // The clocks the rules set and the records they give are one step for whatever follows the model.
    const BoardModel::Batch batch(m_model);
    if (outcome.refusal) {
        // Told beside the field it was typed in; the board itself goes on unchanged.
        if (m_services.beep) {
            m_services.beep();
        }
        if (field >= 1 && field <= 4) {
            // Clocks 1..4 are the fields PenaltyTH1, PenaltyTH2, PenaltyTV1, PenaltyTV2.
            constexpr std::array<std::size_t, 4> kFieldOfClock{5, 7, 6, 8};
            QWidget* box = fieldBoxes()[kFieldOfClock[static_cast<std::size_t>(field - 1)]];
            QToolTip::showText(box->mapToGlobal(box->rect().center()), QString::fromStdString(*outcome.refusal), box);
        }
    }
    const bool gameRunning = m_engine.IsClockRunning(0) != 0 && m_engine.ClockValue(0) > 0;
    for (const ClockAction& a : outcome.actions) {
        LedDigitGroup& g = penaltyGroup(a.clock);
        if (a.kind == ClockAction::Kind::Clear) {
            ClearPenalty(a.clock, g, g);
            continue;
        }
        // On the clock as a typed penalty, running while the game clock runs.
        m_engine.SetClock(a.time, 0, a.clock);
        m_runningOnTheirOwn[static_cast<std::size_t>(a.clock)] = false;
        if (gameRunning) {
            m_engine.StartClock(a.clock);
            // The tick looks again at once and schedules itself from the clocks it now reads.
            if (tmrClock1.isActive()) {
                tmrClock1.fireSoon();
            } else {
                tmrClock1.start();
            }
        }
        DisplayTime(g, m_engine.ClockValue(a.clock));
    }
    if (!outcome.actions.empty()) {
        UpdatePenaltyColonColors();
        Penalty();
    }
    const PenaltyRulesState state = m_rules.state();
    m_model.edit([&outcome, &state](game::GameState& s) {
        s.rules.penalties = state;
        for (const PenaltyEvent& e : outcome.events) {
            SheetEvent entry;
            entry.kind = SheetEvent::Kind::Penalty;
            entry.at = e.at;
            entry.team = e.team;
            entry.penalty = e;
            s.rules.note(entry);
        }
    });
    noteEngine();
}

// ---- Selection --------------------------------------------------------------------------------------------

void BoardWindow::ObjectSelected(QWidget* selectedObject) {
    if (selectedObject == nullptr) {
        m_view->setMarkerShown(false);
        return;
    }
    if (const auto field = game::fieldNamed(selectedObject->objectName().toStdString())) {
        m_model.edit([field](game::GameState& s) { s.selected = field; });
    }
    m_view->setMarkerShown(true);
}

// ---- Goal lights ------------------------------------------------------------------------------------------

void BoardWindow::UpdateGoal() {
    const int who = WhoGoal;
    m_model.edit([who](game::GameState& s) { s.whoGoal = who; });
    drawModel();
}

void BoardWindow::goalFieldKeyDown(int keyCode) {
    AllKeyCode(keyCode);
    if (keyCode == kLeft) {
        WhoGoal = 1;
    } else if (keyCode == kRight) {
        WhoGoal = 2;
    } else if (keyCode == kDown) {
        WhoGoal = 0;
    }
    UpdateGoal();
}

void BoardWindow::onHomeGoalCoverClicked() {
    WhoGoal = WhoGoal == 1 ? 0 : 1;
    UpdateGoal();
    m_view->fieldBox(game::Field::picGoalBack)->setFocus(Qt::MouseFocusReason);
}

void BoardWindow::onVisitorGoalCoverClicked() {
    WhoGoal = WhoGoal == 2 ? 0 : 2;
    UpdateGoal();
    m_view->fieldBox(game::Field::picGoalBack)->setFocus(Qt::MouseFocusReason);
}

void BoardWindow::onHomeGoalLabelClicked() {
    m_view->fieldBox(game::Field::picGoalBack)->setFocus(Qt::MouseFocusReason);
}
void BoardWindow::onVisitorGoalLabelClicked() {
    m_view->fieldBox(game::Field::picGoalBack)->setFocus(Qt::MouseFocusReason);
}

// ---- NumLock ----------------------------------------------------------------------------------------------

void BoardWindow::UpdateNumLock() {
    if (!m_services.setNumLock) {
        return;
    }
    if (m_settings.NumLockForce == 1) {
        m_services.setNumLock(true);
    } else if (m_settings.NumLockForce == 2) {
        m_services.setNumLock(false);
    }
}

// ---- Clocks -----------------------------------------------------------------------------------------------

void BoardWindow::showFace(const GameClockFace& face) {
    m_model.edit([&face](game::GameState& s) {
        s.timeDigits = face.captions;
        s.colon = face.upperDotLit;
    });
}

void BoardWindow::ShowClock(TimeValue t) {
    showFace(gameClockFace(t));
}

void BoardWindow::showTimeOfDay() {
    const QTime now = m_services.timeOfDay ? m_services.timeOfDay() : QTime::currentTime();
    int hour = now.hour();
    if (m_services.twelveHourClock && m_services.twelveHourClock()) {
        hour = hour % 12 == 0 ? 12 : hour % 12;
    }
    showFace(timeOfDayFace(hour, now.minute()));
}

void BoardWindow::onTick() {
    const TimeValue v = m_engine.ClockValue(0);
    if (ClockTime != 0) {
        showTimeOfDay();
    } else {
        ShowClock(v);
    }
    if (v > 0) {
        ZeroBuzzed = 0;
    } else {
        tmrClock1.stop();
        stopPenaltyClocksAtGameZero();
        if (ZeroBuzzed == 0) {
            ZeroBuzzed = -1;
            buzzAtZero();
        }
    }
    for (int n = 1; n <= 4; ++n) {
        LedDigitGroup& g = penaltyGroup(n);
        if (g.captions()[0] >= 0) {
            DisplayTime(g, m_engine.ClockValue(n));
        }
    }
    if (rulesOn()) {
        // A penalty clock that has reached 0:00 may start the team's oldest waiting penalty.
        applyRules(m_rules.clocksRead(penaltyReadings(), gameMoment()), 0);
    }
    Penalty();
    UpdatePenaltyColonColors();
    noteEngine();
    scheduleNextTick();
}

void BoardWindow::scheduleNextTick() {
    if (!tmrClock1.isActive() || tmrClock1.isFreeRunning()) {
        return;
    }
    // Every running clock's reading turns at the same whole tenths of the engine's clock; the tick wakes at the
    // first one where something it draws changes: the game clock's face (also behind the time of day, for its
    // zero), a drawn penalty clock's face, a penalty light going out.
    const ClockSource& source = m_engine.Source();
    const std::int64_t now = source.nowMillis();
    std::optional<std::int64_t> next;
    if (m_engine.IsClockRunning(0)) {
        next = nextShownChangeMillis(now, m_engine.PeekClockValueAt(0, now), ClockDisplay::GameClock);
    }
    for (int n = 1; n <= 4; ++n) {
        const TimeValue v = m_engine.PeekClockValueAt(n, now);
        const bool drawn = penaltyGroup(n).captions()[0] >= 0;
        if (m_engine.IsClockRunning(n) && (drawn || v > 0)) {
            next = earlierOf(next, nextShownChangeMillis(now, v, ClockDisplay::PenaltyClock));
        }
    }
    if (next) {
        tmrClock1.fireIn(*next - source.nowMillis());
    } else {
        tmrClock1.sleep();
    }
}

void BoardWindow::onTimeOfDayTick() {
    if (ClockTime != 0) {
        showTimeOfDay();
        armTimeOfDay();
    }
}

void BoardWindow::armTimeOfDay() {
    const QTime now = m_services.timeOfDay ? m_services.timeOfDay() : QTime::currentTime();
    tmrTimeOfDay.start(millisToNextMinute(now.second(), now.msec()));
}

bool BoardWindow::gameClockRuns() {
    return m_engine.IsClockRunning(0) != 0 && m_engine.PeekClockValue(0) > 0;
}

void BoardWindow::stopPenaltyClocksAtGameZero() {
    // Penalty time runs only with game time: at the game clock's zero the penalty clocks stop, charged up to
    // this moment, so nothing read during the stoppage can take time off a player's penalty. The next start
    // of the game starts them again. A clock started on its own with the independent-clock key keeps running.
    for (int n = 1; n <= 4; ++n) {
        if (!m_runningOnTheirOwn[static_cast<std::size_t>(n)]) {
            m_engine.ClockValue(n);
            m_engine.StopClock(n);
        }
    }
}

void BoardWindow::showStoppedClocks() {
    // A stop keeps the time up to the key, which can lie between two of the tick's readings: the board shows what
    // was kept at once, also while the tick is off after the game clock's zero.
    if (ClockTime == 0) {
        ShowClock(m_engine.ClockValue(0));
    }
    for (int n = 1; n <= 4; ++n) {
        LedDigitGroup& g = penaltyGroup(n);
        if (g.captions()[0] >= 0) {
            DisplayTime(g, m_engine.ClockValue(n));
        }
    }
}

void BoardWindow::DisplayTime(LedDigitGroup& clockObject, TimeValue dispSec) {
    const std::array<int, 3> face = penaltyClockFace(dispSec);
    clockObject.setCaptions(std::vector<int>(face.begin(), face.end()));
}

void BoardWindow::Penalty() {
    std::array<bool, game::kPenaltyCount> lights{};
    for (int n = 1; n <= 4; ++n) {
        lights[static_cast<std::size_t>(n - 1)] = m_engine.ClockValue(n) > 0;
    }
    m_model.edit([&lights](game::GameState& s) { s.penaltyLights = lights; });
    drawModel();
}

void BoardWindow::ClearPenalty(int clockNum, LedDigitGroup& /*playerObj*/, LedDigitGroup& timeObj) {
    std::vector<int> captions = timeObj.captions();
    NumberEntry::ShowNumber(captions, std::string(1, NumberEntry::kClearCharacter), -1, -1);
    timeObj.setCaptions(captions);
    m_engine.SetClock(0, 0, clockNum);
    if (clockNum >= 0 && clockNum < kClockCount) {
        m_runningOnTheirOwn[static_cast<std::size_t>(clockNum)] = false;
    }
    UpdatePenaltyColonColors();
    Penalty();
    noteEngine();
}

// ---- Sounds -----------------------------------------------------------------------------------------------

void BoardWindow::Buzzer() {
    if (!m_buzzer.FileName().isEmpty() && BuzzerPlaying == 0) {
        playSound(m_buzzer);
    }
}

void BoardWindow::Horn() {
    if (!m_horn.FileName().isEmpty() && BuzzerPlaying == 0) {
        playSound(m_horn);
    }
}

void BoardWindow::buzzAtZero() {
    // The end of play is the one signal that is never lost: a sound still playing (the horn, a long buzzer) is cut
    // short for it. Its device still reports the end of the playback that was cut, which then changes nothing.
    if (!m_buzzer.FileName().isEmpty() && BuzzerPlaying != 0) {
        if (m_soundPlaying != nullptr) {
            m_soundPlaying->Stop();
            m_soundPlaying->Prev();
        }
        BuzzerPlaying = 0;
        m_soundPlaying = nullptr;
    }
    Buzzer();
}

void BoardWindow::playSound(SoundDevice& device) {
    BuzzerPlaying = -1;
    m_soundPlaying = &device;
    ++playsOf(device);
    device.Play();
    emit soundStarted(&device == &m_horn);
    emit shownChanged();
}

int& BoardWindow::playsOf(SoundDevice& device) {
    return &device == &m_horn ? m_hornPlays : m_buzzerPlays;
}

void BoardWindow::soundFinished(SoundDevice& device) {
    int& plays = playsOf(device);
    if (plays > 0) {
        --plays;
    }
    if (plays > 0) {
        // The end of a playback cut short; the device is playing again.
        return;
    }
    device.Stop();
    device.Prev();
    if (m_soundPlaying == &device || m_soundPlaying == nullptr) {
        BuzzerPlaying = 0;
        m_soundPlaying = nullptr;
    }
    emit shownChanged();
}

// ---- Drawing ----------------------------------------------------------------------------------------------

void BoardWindow::UpdatePenaltyColonColors() {
    // A penalty clock's colon is lit while its seconds digit shows: drawn with the model.
    drawModel();
}
