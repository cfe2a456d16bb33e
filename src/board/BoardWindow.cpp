#include "BoardWindow.h"
#include "input/KeyTranslate.h"
#include "sound/SoundDevice.h"
#include <QCloseEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QToolTip>
#include <algorithm>

namespace {

// The client area of the design's 9600 x 7200 twips window.
constexpr double kDesignClientWidth = 9480;
constexpr double kDesignClientHeight = 6795;

} // namespace

BoardWindow::BoardWindow(SettingsVariables& settings, ClockEngine& engine, SoundDevice& buzzer, SoundDevice& horn,
                         BoardServices services, QWidget* parent)
    : QWidget(parent), m_settings(settings), m_keeper(engine, settings), m_sounds(buzzer, horn),
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

    // The scorekeeper owns the game; the model mirrors it once per input for whatever follows the board.
    m_keeper.addListener([this](const game::GameState& state) { m_model.setState(state); });
    m_keeper.setWallClock([this] {
        const QTime now = m_services.timeOfDay ? m_services.timeOfDay() : QTime::currentTime();
        const bool twelveHour = m_services.twelveHourClock && m_services.twelveHourClock();
        return WallTime{now.hour(), now.minute(), now.second(), now.msec(), twelveHour};
    });
    m_keeper.setSoundLoaded([this](Sound sound) { return m_sounds.loaded(sound); });

    m_tick.setObjectName(QStringLiteral("tmrClock1"));
    m_minuteWake.setObjectName(QStringLiteral("tmrTimeOfDay"));
    connect(&m_tick, &BoardTick::timeout, this, &BoardWindow::onTick);
    m_minuteWake.setSingleShot(true);
    m_minuteWake.setTimerType(Qt::PreciseTimer);
    connect(&m_minuteWake, &QTimer::timeout, this, &BoardWindow::onTimeOfDayTick);
    for (Sound sound : {Sound::Buzzer, Sound::Horn}) {
        connect(&m_sounds.device(sound), &SoundDevice::done, this,
                [this, sound] { carryOut(m_keeper.soundEnded(sound)); });
    }

    onLoad();
}

void BoardWindow::updateTitle() {
    setWindowTitle(QStringLiteral("Rinkmaster - ") + QString::fromStdString(m_settings.HomeText));
}

BoardWindow::~BoardWindow() {
    // The window object goes away without the operator closing it: release both sounds.
    if (!m_unloaded) {
        m_sounds.closeAll();
    }
}

void BoardWindow::connectControls() {
    // The field boxes select themselves when they take the focus and hand their keys to the scorekeeper.
    const auto fields = fieldBoxes();
    for (std::size_t i = 0; i < fields.size(); ++i) {
        PictureBoxControl* f = fields[i];
        connect(f, &PictureBoxControl::gotFocus, this, [this, f] { selectField(f); });
        // A field left for no other field: nothing is selected (a field chosen next selects itself).
        connect(f, &PictureBoxControl::lostFocus, this, [this] {
            if (selectedField() == nullptr) {
                carryOut(m_keeper.selectField(std::nullopt));
                m_view->setMarkerShown(false);
            }
        });
        connect(f, &PictureBoxControl::keyUp, this, [this](int keyCode) { carryOut(m_keeper.keyUp(keyCode, false)); });
        connect(f, &PictureBoxControl::keyDown, this,
                [this, i](int keyCode) { keyDown(static_cast<game::Field>(i), keyCode); });
    }
    connect(m_view->homeGoalCover(), &ImageControl::clicked, this, [this] { goalCoverClicked(Team::Home); });
    connect(m_view->visitorGoalCover(), &ImageControl::clicked, this, [this] { goalCoverClicked(Team::Visitor); });
    // A click on a light's caption selects the goal field and changes nothing.
    const auto selectGoalField = [this] { m_view->fieldBox(game::Field::GoalLights)->setFocus(Qt::MouseFocusReason); };
    connect(m_view->homeGoalLabel(), &LabelControl::clicked, this, selectGoalField);
    connect(m_view->visitorGoalLabel(), &LabelControl::clicked, this, selectGoalField);
}

PictureBoxControl* BoardWindow::selectedField() const {
    const auto fields = fieldBoxes();
    const auto* it = std::find_if(fields.begin(), fields.end(), [](PictureBoxControl* f) { return f->hasFocus(); });
    return it == fields.end() ? nullptr : *it;
}

void BoardWindow::onLoad() {
    updateTitle();
    m_sounds.openFromSettings(m_settings.BuzzerFile, m_settings.HornFile);
    carryOut(m_keeper.load());
}

void BoardWindow::resumeGame(const game::GameState& saved) {
    carryOut(m_keeper.resume(saved));
    PictureBoxControl* field = fieldBoxes()[static_cast<std::size_t>(*m_keeper.state().selected)];
    field->setFocus(Qt::OtherFocusReason);
    selectField(field);
}

void BoardWindow::onUnload() {
    if (m_unloaded) {
        return;
    }
    m_unloaded = true;
    m_tick.stop();
    m_minuteWake.stop();
    m_sounds.closeLoaded();
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
            selectField(clock);
        });
    }
}

void BoardWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    // The view stretches its layout, hides the marker and sizes the names anew.
    m_view->setGeometry(rect());
}

// ---- Keys and clicks: the scorekeeper's inputs ------------------------------------------------------------

void BoardWindow::keyPressEvent(QKeyEvent* event) {
    // Reaches the window only while no field has the focus.
    if (const int keyCode = windowsKeyCode(event); keyCode != 0) {
        handleCommandKey(keyCode);
    }
    event->accept();
}

void BoardWindow::handleCommandKey(int keyCode) {
    keyDown(std::nullopt, keyCode);
}

void BoardWindow::keyDown(std::optional<game::Field> field, int keyCode) {
    carryOut(m_keeper.keyDown(field, keyCode));
}

bool BoardWindow::takeCommandKey(int keyCode) {
    if (!m_keeper.isCommandKey(keyCode)) {
        return false;
    }
    // The field the board's keyboard was last in takes it, as a key typed there; with none the board itself.
    const auto fields = fieldBoxes();
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (fields[i] == focusWidget()) {
            keyDown(static_cast<game::Field>(i), keyCode);
            return true;
        }
    }
    handleCommandKey(keyCode);
    return true;
}

void BoardWindow::playBuzzer() {
    carryOut(m_keeper.playBuzzer());
}

void BoardWindow::playHorn() {
    carryOut(m_keeper.playHorn());
}

void BoardWindow::startIntermission() {
    carryOut(m_keeper.startIntermission());
}

void BoardWindow::setPenaltyPlayers(const std::array<int, 4>& players) {
    carryOut(m_keeper.setPenaltyPlayers(players));
}

void BoardWindow::followRecord(const RecordedPenalties& shown) {
    carryOut(m_keeper.followRecord(shown));
}

void BoardWindow::onTick() {
    carryOut(m_keeper.tick());
}

void BoardWindow::onTimeOfDayTick() {
    carryOut(m_keeper.minutePassed());
}

void BoardWindow::stopTick() {
    carryOut(m_keeper.stopTick());
}

void BoardWindow::goalCoverClicked(Team team) {
    carryOut(m_keeper.goalClicked(team));
    m_view->fieldBox(game::Field::GoalLights)->setFocus(Qt::MouseFocusReason);
}

void BoardWindow::afterOptions() {
    m_view->refreshFromSettings();
    m_view->recordLayout();
    m_sounds.reopen(m_settings.BuzzerFile, m_settings.HornFile);
    carryOut(m_keeper.optionsChanged());
}

// ---- Effects ------------------------------------------------------------------------------------------------

void BoardWindow::carryOut(const BoardEffects& effects) {
    using Kind = BoardEffect::Kind;
    const auto call = [](const std::function<void()>& service) {
        if (service) {
            service();
        }
    };
    for (const BoardEffect& e : effects) {
        if (m_sounds.follow(e)) {
            if (e.kind == Kind::PlaySound) {
                emit soundStarted(e.sound == Sound::Horn);
            }
            if (e.kind != Kind::CutSound) {
                emit shownChanged();
            }
            continue;
        }
        if (m_tick.follow(e, m_keeper.clockSource().nowMillis())) {
            continue;
        }
        switch (e.kind) {
        case Kind::Beep:
            call(m_services.beep);
            break;
        case Kind::Refuse:
            if (e.field) {
                QWidget* box = fieldBoxes()[static_cast<std::size_t>(*e.field)];
                // The scorekeeper's own reasons are marked for translation in its context; others pass as they are.
                QToolTip::showText(box->mapToGlobal(box->rect().center()),
                                   QCoreApplication::translate("Scorekeeper", e.text.c_str()), box);
            }
            break;
        case Kind::SetNumLock:
            if (m_services.setNumLock) {
                m_services.setNumLock(e.on);
            }
            break;
        case Kind::OpenHelp:
            call(m_services.openHelp);
            break;
        case Kind::OpenOptions:
            if (m_services.openOptions) {
                m_services.openOptions();
                afterOptions();
            }
            break;
        case Kind::OpenGameSheet:
            call(m_services.openGameSheet);
            break;
        case Kind::ArmMinuteWake:
            m_minuteWake.start(static_cast<int>(e.millis));
            break;
        case Kind::StopMinuteWake:
            m_minuteWake.stop();
            break;
        default: // the tick's own, followed above
            break;
        }
    }
}

// ---- Selection --------------------------------------------------------------------------------------------

void BoardWindow::selectField(QWidget* fieldBox) {
    if (fieldBox == nullptr) {
        m_view->setMarkerShown(false);
        return;
    }
    if (const auto field = game::fieldNamed(fieldBox->objectName().toStdString())) {
        carryOut(m_keeper.selectField(field));
    }
    m_view->setMarkerShown(true);
}
