#include "BoardWindow.h"
#include "display/WindowScaling.h"
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

// The window frame around the client area of a sizable window at 96 pixels to the inch: the team-name
// scaling is reckoned on the outer size, whose design is 9600 x 7200 twips.
constexpr double kFrameWidthTwips = 120;
constexpr double kFrameHeightTwips = 405;

constexpr double kDesignClientWidth = 9480;
constexpr double kDesignClientHeight = 6795;

// The marker's margin in pixels: the options offer 0..5; a hand-edited store is held to a sane frame.
constexpr int kMaxMarkerWidth = 50;

const QString kArial = QStringLiteral("Arial");

} // namespace

std::vector<int> LedDigitGroup::captions() const {
    return game::digitsOf(model->state(), group);
}

void LedDigitGroup::draw() const {
    const std::vector<int> shown = captions();
    for (std::size_t i = 0; i < digits.size() && i < shown.size(); ++i) {
        digits[i]->setCaption(shown[i]);
    }
}

BoardWindow::BoardWindow(SettingsVariables& settings, ClockEngine& engine, SoundDevice& buzzer, SoundDevice& horn,
                         BoardServices services, QWidget* parent)
    : QWidget(parent), m_settings(settings), m_ownKeeper(std::make_unique<Scorekeeper>(engine, settings)),
      m_keeper(*m_ownKeeper), m_buzzer(buzzer), m_horn(horn), m_services(std::move(services)) {
    setWindowTitle(QStringLiteral("Rinkmaster"));
    setAutoFillBackground(true);
    setFocusPolicy(Qt::NoFocus);
    resize(twips::toPixels(kDesignClientWidth), twips::toPixels(kDesignClientHeight));
    buildControls();
    connect(&m_model, &BoardModel::changed, this, &BoardWindow::drawModel);

    // The scorekeeper owns the game; the model mirrors it once per input for whatever follows the board.
    m_keeper.addListener([this](const game::GameState& state) { m_model.setState(state); });
    m_keeper.setWallClock([this] {
        const QTime now = m_services.timeOfDay ? m_services.timeOfDay() : QTime::currentTime();
        const bool twelveHour = m_services.twelveHourClock && m_services.twelveHourClock();
        return WallTime{now.hour(), now.minute(), now.second(), now.msec(), twelveHour};
    });
    m_keeper.setSoundLoaded(
        [this](Sound sound) { return !(sound == Sound::Horn ? m_horn : m_buzzer).FileName().isEmpty(); });

    m_tick.setObjectName(QStringLiteral("tmrClock1"));
    m_minuteWake.setObjectName(QStringLiteral("tmrTimeOfDay"));
    connect(&m_tick, &BoardTick::timeout, this, &BoardWindow::onTick);
    m_minuteWake.setSingleShot(true);
    m_minuteWake.setTimerType(Qt::PreciseTimer);
    connect(&m_minuteWake, &QTimer::timeout, this, &BoardWindow::onTimeOfDayTick);
    connect(&m_buzzer, &SoundDevice::Done, this, [this] { carryOut(m_keeper.soundEnded(Sound::Buzzer)); });
    connect(&m_horn, &SoundDevice::Done, this, [this] { carryOut(m_keeper.soundEnded(Sound::Horn)); });

    onLoad();
}

BoardWindow::BoardWindow(BoardWindow& shown, QWidget* parent)
    : QWidget(parent), m_settings(shown.m_settings), m_keeper(shown.m_keeper), m_buzzer(shown.m_buzzer),
      m_horn(shown.m_horn), m_shownBoard(&shown) {
    setObjectName(QStringLiteral("publicView"));
    setAutoFillBackground(true);
    setFocusPolicy(Qt::NoFocus);
    // Clicks would reach the goal covers' handlers and change the game from the public screen.
    setAttribute(Qt::WA_TransparentForMouseEvents);
    resize(twips::toPixels(kDesignClientWidth), twips::toPixels(kDesignClientHeight));
    buildControls();
    for (PictureBoxControl* f : fieldBoxes()) {
        f->setFocusPolicy(Qt::NoFocus);
    }
    connect(&shown.m_model, &BoardModel::changed, this, &BoardWindow::drawModel);
    UpdateLabels();
    UpdateFormColors();
    WindowScaling::RecordLayout(*this, m_layout);
    drawModel();
}

void BoardWindow::refreshFromSettings() {
    UpdateLabels();
    UpdateFormColors();
    drawModel();
}

BoardModel* BoardWindow::shownModel() {
    return m_shownBoard != nullptr ? &m_shownBoard->m_model : &m_model;
}

BoardWindow::~BoardWindow() {
    // The window object goes away without the operator closing it: release both sounds (a view has none).
    if (!m_unloaded && !isView()) {
        m_buzzer.Close();
        m_horn.Close();
    }
}

template <class T, class... Args> T* BoardWindow::add(const QString& name, QWidget* parent, Args&&... args) {
    T* control = new T(std::forward<Args>(args)..., parent);
    control->setObjectName(name);
    m_controls.push_back({control, control->typeName(), name});
    return control;
}

LedDigit* BoardWindow::addDigit(LedDigitGroup& group, QWidget* parent, double left, double top, double size) {
    auto* digit = new LedDigit(parent);
    digit->setObjectName(group.name);
    digit->setSize(size);
    digit->move(twips::toPixels(left), twips::toPixels(top));
    m_controls.push_back({digit, digit->typeName(), group.name});
    group.digits.push_back(digit);
    return digit;
}

void BoardWindow::buildControls() {
    using Kind = ShapeControl::Kind;
    // Shapes, labels and images lie on the window's surface, beneath every box: created first, they stay below.
    Shape3 = add<ShapeControl>(QStringLiteral("Shape3"), this, Kind::Rectangle);
    twips::place(Shape3, 120, 120, 9255, 6495);
    Shape3->setBorderWidth(4);
    Shape1 = add<ShapeControl>(QStringLiteral("Shape1"), this, Kind::Rectangle);
    twips::place(Shape1, 2693, 120, 4095, 1725);
    Shape1->setBorderWidth(4);

    lblPeriod = add<LabelControl>(QStringLiteral("lblPeriod"), this, tr("Period"));
    twips::place(lblPeriod, 4080, 4020, 1335, 375);
    lblPeriod->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    lblPenaltyH = add<LabelControl>(QStringLiteral("lblPenaltyH"), this, tr("Penalty"));
    twips::place(lblPenaltyH, 1320, 2400, 1215, 375);
    lblPenaltyH->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblPenaltyV = add<LabelControl>(QStringLiteral("lblPenaltyV"), this, tr("Penalty"));
    twips::place(lblPenaltyV, 6960, 2400, 1215, 375);
    lblPenaltyV->setAlignment(Qt::AlignRight | Qt::AlignTop);
    for (LabelControl* l : {lblPeriod, lblPenaltyH, lblPenaltyV}) {
        l->setFontSize(15.75);
        l->setFontFace(kArial, true);
    }
    lblCreatedBy = add<LabelControl>(QStringLiteral("lblCreatedBy"), this, tr("Rinkmaster by Kestrelsoft"));
    twips::place(lblCreatedBy, 3240, 2520, 3015, 375);
    lblCreatedBy->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    lblCreatedBy->setFontSize(11.25);
    lblCreatedBy->setFontFace(kArial, true);

    const std::array<std::pair<double, double>, 2> homeLights{{{960, 2460}, {600, 2460}}};
    const std::array<std::pair<double, double>, 2> visitorLights{{{8280, 2460}, {8640, 2460}}};
    for (int i = 0; i < 2; ++i) {
        shpPenaltyH[i] = add<ShapeControl>(QStringLiteral("shpPenaltyH"), this, Kind::Circle);
        twips::place(shpPenaltyH[i], homeLights[i].first, homeLights[i].second, 255, 255);
        shpPenaltyV[i] = add<ShapeControl>(QStringLiteral("shpPenaltyV"), this, Kind::Circle);
        twips::place(shpPenaltyV[i], visitorLights[i].first, visitorLights[i].second, 255, 255);
        shpPenaltyH[i]->setFilled(true);
        shpPenaltyV[i]->setFilled(true);
    }

    shpObjectSelected = add<ShapeControl>(QStringLiteral("shpObjectSelected"), this, Kind::Rectangle);
    twips::place(shpObjectSelected, 4560, 3000, 255, 255);
    shpObjectSelected->setFilled(true);
    shpObjectSelected->hide();

    // Team names.
    picHomeContainer = add<PictureBoxControl>(QStringLiteral("picHomeContainer"), this);
    twips::place(picHomeContainer, 610, 300, 1925, 600);
    lblHome = add<LabelControl>(QStringLiteral("lblHome"), picHomeContainer, QStringLiteral("Home"));
    twips::place(lblHome, 300, 0, 1335, 555);
    picVisitorContainer = add<PictureBoxControl>(QStringLiteral("picVisitorContainer"), this);
    twips::place(picVisitorContainer, 6960, 300, 1925, 600);
    lblVisitor = add<LabelControl>(QStringLiteral("lblVisitor"), picVisitorContainer, QStringLiteral("Visitor"));
    twips::place(lblVisitor, 195, 0, 1545, 555);
    for (LabelControl* l : {lblHome, lblVisitor}) {
        l->setAlignment(Qt::AlignCenter);
        l->setFontSize(24);
        l->setFontFace(kArial, true);
        l->setAutoSize(true);
    }

    // Game clock.
    TimeBack = add<PictureBoxControl>(QStringLiteral("TimeBack"), this);
    twips::place(TimeBack, 2835, 240, 3810, 1455);
    lumTime.name = QStringLiteral("lumTime");
    lumTime.model = shownModel();
    lumTime.group = game::DigitGroup::Time;
    for (double left : {120.0, 960.0, 2160.0, 3000.0}) {
        addDigit(lumTime, TimeBack, left, 135, 80);
    }
    Shape2[0] = add<ShapeControl>(QStringLiteral("Shape2"), TimeBack, Kind::Circle);
    twips::place(Shape2[0], 1800, 300, 195, 195);
    Shape2[1] = add<ShapeControl>(QStringLiteral("Shape2"), TimeBack, Kind::Circle);
    twips::place(Shape2[1], 1800, 1000, 200, 200);
    Shape2[0]->setFilled(true);
    Shape2[1]->setFilled(true);

    // Scores: index 0 units (right), 1 tens (left).
    HomeBack = add<PictureBoxControl>(QStringLiteral("HomeBack"), this);
    twips::place(HomeBack, 432, 960, 1905, 1335);
    lumHome.name = QStringLiteral("lumHome");
    lumHome.model = shownModel();
    lumHome.group = game::DigitGroup::Home;
    addDigit(lumHome, HomeBack, 1080, 105, 75);
    addDigit(lumHome, HomeBack, 210, 105, 75)->setCaption(-1);
    VisitorBack = add<PictureBoxControl>(QStringLiteral("VisitorBack"), this);
    twips::place(VisitorBack, 7144, 960, 1905, 1335);
    lumVisitor.name = QStringLiteral("lumVisitor");
    lumVisitor.model = shownModel();
    lumVisitor.group = game::DigitGroup::Visitor;
    addDigit(lumVisitor, VisitorBack, 1080, 105, 75);
    addDigit(lumVisitor, VisitorBack, 210, 105, 75)->setCaption(-1);

    // Goal lights: the covers lie exactly over the lights and take the clicks.
    picGoalBack = add<PictureBoxControl>(QStringLiteral("picGoalBack"), this);
    twips::place(picGoalBack, 2693, 2040, 4095, 375);
    shpGoalH = add<ShapeControl>(QStringLiteral("shpGoalH"), picGoalBack, Kind::Oval);
    twips::place(shpGoalH, 60, 60, 495, 255);
    shpGoalV = add<ShapeControl>(QStringLiteral("shpGoalV"), picGoalBack, Kind::Oval);
    twips::place(shpGoalV, 3540, 60, 495, 255);
    shpGoalH->setFilled(true);
    shpGoalV->setFilled(true);
    lblGoalH = add<LabelControl>(QStringLiteral("lblGoalH"), picGoalBack, tr("GOAL"));
    twips::place(lblGoalH, 660, 0, 975, 360);
    lblGoalH->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    lblGoalV = add<LabelControl>(QStringLiteral("lblGoalV"), picGoalBack, tr("GOAL"));
    twips::place(lblGoalV, 2460, 0, 975, 360);
    lblGoalV->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    for (LabelControl* l : {lblGoalH, lblGoalV}) {
        l->setFontSize(15.75);
        l->setFontFace(kArial, true);
    }
    imgGoalCoverH = add<ImageControl>(QStringLiteral("imgGoalCoverH"), picGoalBack);
    twips::place(imgGoalCoverH, 60, 60, 495, 255);
    imgGoalCoverV = add<ImageControl>(QStringLiteral("imgGoalCoverV"), picGoalBack);
    twips::place(imgGoalCoverV, 3540, 60, 495, 255);

    // Period.
    PeriodBack = add<PictureBoxControl>(QStringLiteral("PeriodBack"), this);
    twips::place(PeriodBack, 4410, 2880, 660, 1095);
    lumPeriod.name = QStringLiteral("lumPeriod");
    lumPeriod.model = shownModel();
    lumPeriod.group = game::DigitGroup::Period;
    addDigit(lumPeriod, PeriodBack, 60, 60, 65);

    // Penalty clocks: index 0 seconds (right), 2 minutes (left); all dark until a time is typed.
    struct PenaltyPlace {
        PictureBoxControl** box;
        LedDigitGroup* group;
        std::array<ShapeControl*, 2>* dots;
        const char* boxName;
        const char* groupName;
        const char* dotName;
        game::DigitGroup digits;
        double left;
        double top;
        std::array<double, 3> digitLefts;
        double dotLeft;
    };
    const std::array<PenaltyPlace, 4> penalties{{
        {&PenaltyTH1,
         &lumPenaltyTH1,
         &dotPenaltyTH1,
         "PenaltyTH1",
         "lumPenaltyTH1",
         "dotPenaltyTH1",
         game::DigitGroup::PenaltyTH1,
         720,
         3240,
         {1973, 1215, 181},
         879},
        {&PenaltyTV1,
         &lumPenaltyTV1,
         &dotPenaltyTV1,
         "PenaltyTV1",
         "lumPenaltyTV1",
         "dotPenaltyTV1",
         game::DigitGroup::PenaltyTV1,
         6120,
         3240,
         {1965, 1210, 180},
         875},
        {&PenaltyTH2,
         &lumPenaltyTH2,
         &dotPenaltyTH2,
         "PenaltyTH2",
         "lumPenaltyTH2",
         "dotPenaltyTH2",
         game::DigitGroup::PenaltyTH2,
         720,
         4800,
         {1973, 1215, 181},
         875},
        {&PenaltyTV2,
         &lumPenaltyTV2,
         &dotPenaltyTV2,
         "PenaltyTV2",
         "lumPenaltyTV2",
         "dotPenaltyTV2",
         game::DigitGroup::PenaltyTV2,
         6120,
         4800,
         {1965, 1210, 180},
         875},
    }};
    for (const PenaltyPlace& p : penalties) {
        *p.box = add<PictureBoxControl>(QString::fromLatin1(p.boxName), this);
        twips::place(*p.box, p.left, p.top, 2715, 1335);
        p.group->name = QString::fromLatin1(p.groupName);
        p.group->model = shownModel();
        p.group->group = p.digits;
        for (double left : p.digitLefts) {
            addDigit(*p.group, *p.box, left, 150, 70)->setCaption(-1);
        }
        for (int i = 0; i < 2; ++i) {
            (*p.dots)[i] = add<ShapeControl>(QString::fromLatin1(p.dotName), *p.box, Kind::Circle);
            twips::place((*p.dots)[i], p.dotLeft, i == 0 ? 240 : 840, 210, 210);
            (*p.dots)[i]->setFilled(true);
        }
    }

    // Focus: the nine field boxes in tab order; digits and labels pass the focus on to their field.
    const auto fields = fieldBoxes();
    for (PictureBoxControl* f : fields) {
        f->setFieldBox(true);
        connect(f, &PictureBoxControl::gotFocus, this, [this, f] { ObjectSelected(f); });
        // A field left for no other field: nothing is selected (a field chosen next selects itself).
        connect(f, &PictureBoxControl::lostFocus, this, [this] {
            if (selectedField() == nullptr) {
                carryOut(m_keeper.selectField(std::nullopt));
            }
        });
        connect(f, &PictureBoxControl::keyUp, this, [this](int keyCode) { carryOut(m_keeper.keyUp(keyCode, false)); });
    }
    for (std::size_t i = 0; i + 1 < fields.size(); ++i) {
        setTabOrder(fields[i], fields[i + 1]);
    }
    const std::array<std::pair<LedDigitGroup*, PictureBoxControl*>, 8> owners{{{&lumTime, TimeBack},
                                                                               {&lumHome, HomeBack},
                                                                               {&lumVisitor, VisitorBack},
                                                                               {&lumPeriod, PeriodBack},
                                                                               {&lumPenaltyTH1, PenaltyTH1},
                                                                               {&lumPenaltyTH2, PenaltyTH2},
                                                                               {&lumPenaltyTV1, PenaltyTV1},
                                                                               {&lumPenaltyTV2, PenaltyTV2}}};
    for (const auto& [group, box] : owners) {
        for (LedDigit* d : group->digits) {
            connect(d, &LedDigit::gotFocus, box, [box] { box->setFocus(Qt::OtherFocusReason); });
        }
    }
    for (std::size_t i = 0; i < fields.size(); ++i) {
        connect(fields[i], &PictureBoxControl::keyDown, this,
                [this, i](int keyCode) { keyDown(static_cast<game::Field>(i), keyCode); });
    }
    connect(imgGoalCoverH, &ImageControl::clicked, this, &BoardWindow::onHomeGoalCoverClicked);
    connect(imgGoalCoverV, &ImageControl::clicked, this, &BoardWindow::onVisitorGoalCoverClicked);
    connect(lblGoalH, &LabelControl::clicked, this, &BoardWindow::onHomeGoalLabelClicked);
    connect(lblGoalV, &LabelControl::clicked, this, &BoardWindow::onVisitorGoalLabelClicked);
}

std::array<PictureBoxControl*, 9> BoardWindow::fieldBoxes() const {
    return {TimeBack, HomeBack, VisitorBack, picGoalBack, PeriodBack, PenaltyTH1, PenaltyTV1, PenaltyTH2, PenaltyTV2};
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
    UpdateLabels();
    UpdateFormColors();
    WindowScaling::RecordLayout(*this, m_layout);
    openDevice(m_buzzer, m_settings.BuzzerFile, true);
    openDevice(m_horn, m_settings.HornFile, true);
    carryOut(m_keeper.load());
}

void BoardWindow::drawModel() {
    const game::GameState& s = shownModel()->state();
    for (LedDigitGroup* g : {&lumTime, &lumHome, &lumVisitor, &lumPeriod, &lumPenaltyTH1, &lumPenaltyTH2,
                             &lumPenaltyTV1, &lumPenaltyTV2}) {
        g->draw();
    }
    Shape2[1]->setFillColor(fromOleColor(m_settings.BorderColor));
    Shape2[0]->setFillColor(fromOleColor(s.colon ? m_settings.BorderColor : m_settings.LEDBack));
    const std::array<std::array<ShapeControl*, 2>*, 4> dots{&dotPenaltyTH1, &dotPenaltyTH2, &dotPenaltyTV1,
                                                            &dotPenaltyTV2};
    for (std::size_t i = 0; i < dots.size(); ++i) {
        const QColor c = fromOleColor(s.penaltyDigits[i][0] > -1 ? m_settings.BorderColor : m_settings.LEDBack);
        (*dots[i])[0]->setFillColor(c);
        (*dots[i])[1]->setFillColor(c);
        ShapeControl* light = i < 2 ? shpPenaltyH[i] : shpPenaltyV[i - 2];
        light->setFillColor(fromOleColor(s.penaltyLights[i] ? m_settings.ScoreColor : m_settings.FormBack));
    }
    shpGoalH->setFillColor(fromOleColor(s.whoGoal == 1 ? m_settings.ScoreColor : m_settings.FormBack));
    shpGoalV->setFillColor(fromOleColor(s.whoGoal == 2 ? m_settings.ScoreColor : m_settings.FormBack));
}

void BoardWindow::resumeGame(const game::GameState& saved) {
    carryOut(m_keeper.resume(saved));
    PictureBoxControl* field = fieldBoxes()[static_cast<std::size_t>(*m_keeper.state().selected)];
    field->setFocus(Qt::OtherFocusReason);
    ObjectSelected(field);
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
    m_tick.stop();
    m_minuteWake.stop();
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
    if (isView()) {
        // Closing a drawing ends nothing: the console owns the game.
        event->accept();
        return;
    }
    onUnload();
    event->accept();
}

void BoardWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (m_firstShow && !isView()) {
        m_firstShow = false;
        // The game clock is selected when the board first appears, after the window has taken its size.
        QTimer::singleShot(0, this, [this] {
            activateWindow();
            TimeBack->setFocus(Qt::OtherFocusReason);
            ObjectSelected(TimeBack);
        });
    }
}

void BoardWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    WindowScaling::StretchLayout(*this, m_layout);
    // Every field moves with a resize, so the marker hides until a field next gets the focus.
    ObjectSelected(nullptr);
    UpdateLabels();
}

double BoardWindow::outerWidthTwips() const {
    return twips::width(this) + kFrameWidthTwips;
}
double BoardWindow::outerHeightTwips() const {
    return twips::height(this) + kFrameHeightTwips;
}
double BoardWindow::layoutWidthTwips() const {
    return twips::width(this);
}
double BoardWindow::layoutHeightTwips() const {
    return twips::height(this);
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
    if (!isView()) {
        carryOut(m_keeper.keyDown(field, keyCode));
    }
}

bool BoardWindow::takeCommandKey(int keyCode) {
    if (isView() || !m_keeper.isCommandKey(keyCode)) {
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

void BoardWindow::onTick() {
    carryOut(m_keeper.tick());
}

void BoardWindow::onTimeOfDayTick() {
    carryOut(m_keeper.minutePassed());
}

void BoardWindow::stopTick() {
    carryOut(m_keeper.stopTick());
}

void BoardWindow::onHomeGoalCoverClicked() {
    carryOut(m_keeper.goalClicked(Team::Home));
    picGoalBack->setFocus(Qt::MouseFocusReason);
}

void BoardWindow::onVisitorGoalCoverClicked() {
    carryOut(m_keeper.goalClicked(Team::Visitor));
    picGoalBack->setFocus(Qt::MouseFocusReason);
}

void BoardWindow::onHomeGoalLabelClicked() {
    picGoalBack->setFocus(Qt::MouseFocusReason);
}

void BoardWindow::onVisitorGoalLabelClicked() {
    picGoalBack->setFocus(Qt::MouseFocusReason);
}

void BoardWindow::afterOptions() {
    UpdateLabels();
    UpdateFormColors();
    WindowScaling::RecordLayout(*this, m_layout);
    m_buzzer.Close();
    m_buzzer.setFileName(QString::fromStdString(m_settings.BuzzerFile));
    m_buzzer.Open();
    m_horn.Close();
    m_horn.setFileName(QString::fromStdString(m_settings.HornFile));
    m_horn.Open();
    carryOut(m_keeper.optionsChanged());
}

// ---- Effects ------------------------------------------------------------------------------------------------

void BoardWindow::carryOut(const BoardEffects& effects) {
    using Kind = BoardEffect::Kind;
    for (const BoardEffect& e : effects) {
        SoundDevice& device = e.sound == Sound::Horn ? m_horn : m_buzzer;
        switch (e.kind) {
        case Kind::PlaySound:
            device.Play();
            emit soundStarted(e.sound == Sound::Horn);
            emit shownChanged();
            break;
        case Kind::CutSound:
            device.Stop();
            device.Prev();
            break;
        case Kind::SoundEnded:
            device.Stop();
            device.Prev();
            emit shownChanged();
            break;
        case Kind::Beep:
            if (m_services.beep) {
                m_services.beep();
            }
            break;
        case Kind::Refuse:
            if (e.field) {
                QWidget* box = fieldBoxes()[static_cast<std::size_t>(*e.field)];
                QToolTip::showText(box->mapToGlobal(box->rect().center()), QString::fromStdString(e.text), box);
            }
            break;
        case Kind::SetNumLock:
            if (m_services.setNumLock) {
                m_services.setNumLock(e.on);
            }
            break;
        case Kind::OpenHelp:
            if (m_services.openHelp) {
                m_services.openHelp();
            }
            break;
        case Kind::OpenOptions:
            if (m_services.openOptions) {
                m_services.openOptions();
                afterOptions();
            }
            break;
        case Kind::OpenGameSheet:
            if (m_services.openGameSheet) {
                m_services.openGameSheet();
            }
            break;
        case Kind::StartTick:
            m_tick.start();
            break;
        case Kind::WakeTick:
            if (m_tick.isActive()) {
                m_tick.fireSoon();
            } else {
                m_tick.start();
            }
            break;
        case Kind::TickSoon:
            m_tick.fireSoon();
            break;
        case Kind::TickAt:
            if (m_tick.isActive() && !m_tick.isFreeRunning()) {
                m_tick.fireIn(e.millis - m_keeper.clockSource().nowMillis());
            }
            break;
        case Kind::TickSleep:
            if (m_tick.isActive() && !m_tick.isFreeRunning()) {
                m_tick.sleep();
            }
            break;
        case Kind::StopTick:
            m_tick.stop();
            break;
        case Kind::ArmMinuteWake:
            m_minuteWake.start(static_cast<int>(e.millis));
            break;
        case Kind::StopMinuteWake:
            m_minuteWake.stop();
            break;
        }
    }
}

// ---- Selection --------------------------------------------------------------------------------------------

void BoardWindow::ObjectSelected(QWidget* selectedObject) {
    const std::int64_t width = std::clamp<std::int64_t>(m_settings.LEDSelectedWidth, 0, kMaxMarkerWidth);
    const std::int64_t w = twips::kPerPixel * width;
    shpObjectSelected->hide();
    if (selectedObject == nullptr) {
        return;
    }
    if (const auto field = game::fieldNamed(selectedObject->objectName().toStdString())) {
        carryOut(m_keeper.selectField(field));
    }
    const auto l = static_cast<std::int64_t>(twips::left(selectedObject));
    const auto t = static_cast<std::int64_t>(twips::top(selectedObject));
    const auto wd = static_cast<std::int64_t>(twips::width(selectedObject));
    const auto h = static_cast<std::int64_t>(twips::height(selectedObject));
    twips::place(shpObjectSelected, static_cast<double>(l - w), static_cast<double>(t - w),
                 static_cast<double>(wd + 2 * w + 15), static_cast<double>(h + 2 * w + 15));
    shpObjectSelected->show();
}

void BoardWindow::UpdateGoal() {
    drawModel();
}

void BoardWindow::Penalty() {
    drawModel();
}

// ---- Colours and captions ---------------------------------------------------------------------------------

double BoardWindow::RSize(int value) const {
    return LayoutScaling::RSize(value, outerWidthTwips(), outerHeightTwips());
}

void BoardWindow::UpdateLabels() {
    setWindowTitle(QStringLiteral("Rinkmaster - ") + QString::fromStdString(m_settings.HomeText));
    // The team-name size is used as a whole number, halves to the even one.
    const TimeValue rounded = roundToWholeSecondsHalfEven(m_settings.TeamSize);
    const auto n = static_cast<int>(std::clamp<TimeValue>(rounded / kTicksPerSecond, -32768, 32767));
    lblHome->setCaption(QString::fromStdString(m_settings.HomeText));
    lblHome->setFontSize(RSize(n));
    lblVisitor->setCaption(QString::fromStdString(m_settings.VisitorText));
    lblVisitor->setFontSize(RSize(n));
    for (auto [label, box] : {std::pair{lblHome, picHomeContainer}, std::pair{lblVisitor, picVisitorContainer}}) {
        twips::setTop(label, twips::height(box) / 2 - twips::height(label) / 2);
        twips::setLeft(label, twips::width(box) / 2 - twips::width(label) / 2);
    }
    WindowScaling::SetLedType(*this, m_settings.LEDType);
    emit shownChanged();
}

void BoardWindow::UpdateFormColors() {
    const SettingsVariables& s = m_settings;
    QPalette pal = palette();
    pal.setColor(QPalette::Window, fromOleColor(s.FormBack));
    setPalette(pal);
    for (LedDigit* d : lumTime.digits) {
        d->setLitColor(fromOleColor(s.TimeColor));
        d->setBackColor(fromOleColor(s.LEDBack));
    }
    ColorLedGroup(lumHome, s.ScoreColor);
    ColorLedGroup(lumVisitor, s.ScoreColor);
    ColorLedGroup(lumPeriod, s.PeriodColor);
    ColorLedGroup(lumPenaltyTH1, s.TimeColor);
    ColorLedGroup(lumPenaltyTH2, s.TimeColor);
    ColorLedGroup(lumPenaltyTV1, s.TimeColor);
    ColorLedGroup(lumPenaltyTV2, s.TimeColor);
    ColorControls({QStringLiteral("lblHome"), QStringLiteral("lblVisitor"), QStringLiteral("Shape1"),
                   QStringLiteral("Shape3"), QStringLiteral("picHomeContainer"),
                   QStringLiteral("picVisitorContainer")});
    lblHome->setForeColor(fromOleColor(s.HomeColor));
    lblVisitor->setForeColor(fromOleColor(s.VisitorColor));
    Shape1->setBorderColor(fromOleColor(s.BorderColor));
    Shape3->setBorderColor(fromOleColor(s.BorderColor));
    picHomeContainer->setBackColor(fromOleColor(s.FormBack));
    picVisitorContainer->setBackColor(fromOleColor(s.FormBack));
    shpObjectSelected->setFillColor(fromOleColor(s.LEDSelected));
    picGoalBack->setBackColor(fromOleColor(s.FormBack));
    UpdateGoal();
    UpdatePenaltyColonColors();
    Penalty();
}

void BoardWindow::ColorLedGroup(LedDigitGroup& target, OleColor colour) {
    for (LedDigit* d : target.digits) {
        d->setBackColor(fromOleColor(m_settings.LEDBack));
        d->setLitColor(fromOleColor(colour));
    }
}

void BoardWindow::ColorControls(const QStringList& exceptions) {
    QString list;
    for (const QString& e : exceptions) {
        list += QLatin1Char('|') + e + QLatin1Char('|');
    }
    list = QLatin1Char('|') + list + QLatin1Char('|');
    const QColor border = fromOleColor(m_settings.BorderColor);
    const QColor ledBack = fromOleColor(m_settings.LEDBack);
    for (const BoardControlRef& c : m_controls) {
        if (list.contains(QLatin1Char('|') + c.name + QLatin1Char('|'))) {
            continue;
        }
        if (c.typeName == QLatin1String("Label")) {
            static_cast<LabelControl*>(c.widget)->setForeColor(border);
        } else if (c.typeName == QLatin1String("PictureBox")) {
            static_cast<PictureBoxControl*>(c.widget)->setBackColor(ledBack);
        } else if (c.typeName == QLatin1String("Shape")) {
            static_cast<ShapeControl*>(c.widget)->setBorderColor(ledBack);
        }
    }
}

void BoardWindow::UpdatePenaltyColonColors() {
    // A penalty clock's colon is lit while its seconds digit shows: drawn with the model.
    drawModel();
}
