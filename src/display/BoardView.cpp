#include "BoardView.h"
#include "display/WindowScaling.h"
#include "game/BoardModel.h"
#include <QCoreApplication>
#include <algorithm>

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

// The board's captions keep the translation context they have always had.
QString boardText(const char* text) {
    return QCoreApplication::translate("BoardWindow", text);
}

} // namespace

void BoardView::DigitRow::draw(const game::GameState& state) const {
    const std::vector<int> shown = game::digitsOf(state, group);
    for (std::size_t i = 0; i < digits.size() && i < shown.size(); ++i) {
        // A digit repaints only when its caption changes.
        digits[i]->setCaption(shown[i]);
    }
}

void BoardView::DigitRow::colour(const QColor& lit, const QColor& back) const {
    for (LedDigit* d : digits) {
        d->setBackColor(back);
        d->setLitColor(lit);
    }
}

BoardView::BoardView(const SettingsVariables& settings, const BoardModel& model, BoardViewRole role, QWidget* parent)
    : QWidget(parent), m_settings(settings), m_model(model), m_role(role) {
    setObjectName(role == BoardViewRole::Board ? QStringLiteral("boardView") : QStringLiteral("publicView"));
    setAutoFillBackground(true);
    setFocusPolicy(Qt::NoFocus);
    if (role == BoardViewRole::PublicBoard) {
        // Clicks would reach the goal covers and the fields, and change the game from the public screen.
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }
    resize(twips::toPixels(kDesignClientWidth), twips::toPixels(kDesignClientHeight));
    buildControls();
    connect(&m_model, &BoardModel::changed, this, &BoardView::drawModel);
    updateLabels();
    updateFormColors();
    recordLayout();
    drawModel();
}

void BoardView::refreshFromSettings() {
    updateLabels();
    updateFormColors();
    drawModel();
}

template <class T, class... Args> T* BoardView::add(const QString& name, QWidget* parent, Args&&... args) {
    T* control = new T(std::forward<Args>(args)..., parent);
    control->setObjectName(name);
    m_controls.push_back({control, control->typeName(), name});
    return control;
}

LedDigit* BoardView::addDigit(DigitRow& row, QWidget* parent, double left, double top, double size) {
    auto* digit = new LedDigit(parent);
    digit->setObjectName(row.name);
    digit->setSize(size);
    digit->move(twips::toPixels(left), twips::toPixels(top));
    m_controls.push_back({digit, digit->typeName(), row.name});
    row.digits.push_back(digit);
    return digit;
}

void BoardView::buildControls() {
    using Kind = ShapeControl::Kind;
    // Shapes, labels and images lie on the window's surface, beneath every box: created first, they stay below.
    m_outerFrame = add<ShapeControl>(QStringLiteral("Shape3"), this, Kind::Rectangle);
    twips::place(m_outerFrame, 120, 120, 9255, 6495);
    m_outerFrame->setBorderWidth(4);
    m_clockFrame = add<ShapeControl>(QStringLiteral("Shape1"), this, Kind::Rectangle);
    twips::place(m_clockFrame, 2693, 120, 4095, 1725);
    m_clockFrame->setBorderWidth(4);

    auto* periodLabel =
        add<LabelControl>(QStringLiteral("lblPeriod"), this, boardText(QT_TRANSLATE_NOOP("BoardWindow", "Period")));
    twips::place(periodLabel, 4080, 4020, 1335, 375);
    periodLabel->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    auto* homePenaltyLabel =
        add<LabelControl>(QStringLiteral("lblPenaltyH"), this, boardText(QT_TRANSLATE_NOOP("BoardWindow", "Penalty")));
    twips::place(homePenaltyLabel, 1320, 2400, 1215, 375);
    homePenaltyLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    auto* visitorPenaltyLabel =
        add<LabelControl>(QStringLiteral("lblPenaltyV"), this, boardText(QT_TRANSLATE_NOOP("BoardWindow", "Penalty")));
    twips::place(visitorPenaltyLabel, 6960, 2400, 1215, 375);
    visitorPenaltyLabel->setAlignment(Qt::AlignRight | Qt::AlignTop);
    for (LabelControl* l : {periodLabel, homePenaltyLabel, visitorPenaltyLabel}) {
        l->setFontSize(15.75);
        l->setFontFace(kArial, true);
    }
    auto* createdBy = add<LabelControl>(QStringLiteral("lblCreatedBy"), this,
                                        boardText(QT_TRANSLATE_NOOP("BoardWindow", "Rinkmaster by Kestrelsoft")));
    twips::place(createdBy, 3240, 2520, 3015, 375);
    createdBy->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    createdBy->setFontSize(11.25);
    createdBy->setFontFace(kArial, true);

    const std::array<std::pair<double, double>, 2> homeLights{{{960, 2460}, {600, 2460}}};
    const std::array<std::pair<double, double>, 2> visitorLights{{{8280, 2460}, {8640, 2460}}};
    for (std::size_t i = 0; i < 2; ++i) {
        m_penaltyLights[i] = add<ShapeControl>(QStringLiteral("shpPenaltyH"), this, Kind::Circle);
        twips::place(m_penaltyLights[i], homeLights[i].first, homeLights[i].second, 255, 255);
        m_penaltyLights[i + 2] = add<ShapeControl>(QStringLiteral("shpPenaltyV"), this, Kind::Circle);
        twips::place(m_penaltyLights[i + 2], visitorLights[i].first, visitorLights[i].second, 255, 255);
        m_penaltyLights[i]->setFilled(true);
        m_penaltyLights[i + 2]->setFilled(true);
    }

    m_marker = add<ShapeControl>(QStringLiteral("shpObjectSelected"), this, Kind::Rectangle);
    twips::place(m_marker, 4560, 3000, 255, 255);
    m_marker->setFilled(true);
    m_marker->hide();

    // Team names.
    m_homeNameBox = add<PictureBoxControl>(QStringLiteral("picHomeContainer"), this);
    twips::place(m_homeNameBox, 610, 300, 1925, 600);
    m_homeName = add<LabelControl>(QStringLiteral("lblHome"), m_homeNameBox, QStringLiteral("Home"));
    twips::place(m_homeName, 300, 0, 1335, 555);
    m_visitorNameBox = add<PictureBoxControl>(QStringLiteral("picVisitorContainer"), this);
    twips::place(m_visitorNameBox, 6960, 300, 1925, 600);
    m_visitorName = add<LabelControl>(QStringLiteral("lblVisitor"), m_visitorNameBox, QStringLiteral("Visitor"));
    twips::place(m_visitorName, 195, 0, 1545, 555);
    for (LabelControl* l : {m_homeName, m_visitorName}) {
        l->setAlignment(Qt::AlignCenter);
        l->setFontSize(24);
        l->setFontFace(kArial, true);
        l->setAutoSize(true);
    }

    auto field = [this](game::Field f) -> PictureBoxControl*& { return m_fields[static_cast<std::size_t>(f)]; };

    // Game clock.
    PictureBoxControl* clockBox = field(game::Field::TimeBack) =
        add<PictureBoxControl>(QStringLiteral("TimeBack"), this);
    twips::place(clockBox, 2835, 240, 3810, 1455);
    m_timeDigits.name = QStringLiteral("lumTime");
    m_timeDigits.group = game::DigitGroup::Time;
    for (double left : {120.0, 960.0, 2160.0, 3000.0}) {
        addDigit(m_timeDigits, clockBox, left, 135, 80);
    }
    m_clockColon[0] = add<ShapeControl>(QStringLiteral("Shape2"), clockBox, Kind::Circle);
    twips::place(m_clockColon[0], 1800, 300, 195, 195);
    m_clockColon[1] = add<ShapeControl>(QStringLiteral("Shape2"), clockBox, Kind::Circle);
    twips::place(m_clockColon[1], 1800, 1000, 200, 200);
    m_clockColon[0]->setFilled(true);
    m_clockColon[1]->setFilled(true);

    // Scores: index 0 units (right), 1 tens (left).
    PictureBoxControl* homeBox = field(game::Field::HomeBack) =
        add<PictureBoxControl>(QStringLiteral("HomeBack"), this);
    twips::place(homeBox, 432, 960, 1905, 1335);
    m_homeDigits.name = QStringLiteral("lumHome");
    m_homeDigits.group = game::DigitGroup::Home;
    addDigit(m_homeDigits, homeBox, 1080, 105, 75);
    addDigit(m_homeDigits, homeBox, 210, 105, 75)->setCaption(-1);
    PictureBoxControl* visitorBox = field(game::Field::VisitorBack) =
        add<PictureBoxControl>(QStringLiteral("VisitorBack"), this);
    twips::place(visitorBox, 7144, 960, 1905, 1335);
    m_visitorDigits.name = QStringLiteral("lumVisitor");
    m_visitorDigits.group = game::DigitGroup::Visitor;
    addDigit(m_visitorDigits, visitorBox, 1080, 105, 75);
    addDigit(m_visitorDigits, visitorBox, 210, 105, 75)->setCaption(-1);

    // Goal lights: the covers lie exactly over the lights and take the clicks.
    PictureBoxControl* goalBox = field(game::Field::GoalLights) =
        add<PictureBoxControl>(QStringLiteral("picGoalBack"), this);
    twips::place(goalBox, 2693, 2040, 4095, 375);
    m_homeGoalLight = add<ShapeControl>(QStringLiteral("shpGoalH"), goalBox, Kind::Oval);
    twips::place(m_homeGoalLight, 60, 60, 495, 255);
    m_visitorGoalLight = add<ShapeControl>(QStringLiteral("shpGoalV"), goalBox, Kind::Oval);
    twips::place(m_visitorGoalLight, 3540, 60, 495, 255);
    m_homeGoalLight->setFilled(true);
    m_visitorGoalLight->setFilled(true);
    m_homeGoalLabel =
        add<LabelControl>(QStringLiteral("lblGoalH"), goalBox, boardText(QT_TRANSLATE_NOOP("BoardWindow", "GOAL")));
    twips::place(m_homeGoalLabel, 660, 0, 975, 360);
    m_homeGoalLabel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_visitorGoalLabel =
        add<LabelControl>(QStringLiteral("lblGoalV"), goalBox, boardText(QT_TRANSLATE_NOOP("BoardWindow", "GOAL")));
    twips::place(m_visitorGoalLabel, 2460, 0, 975, 360);
    m_visitorGoalLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    for (LabelControl* l : {m_homeGoalLabel, m_visitorGoalLabel}) {
        l->setFontSize(15.75);
        l->setFontFace(kArial, true);
    }
    m_homeGoalCover = add<ImageControl>(QStringLiteral("imgGoalCoverH"), goalBox);
    twips::place(m_homeGoalCover, 60, 60, 495, 255);
    m_visitorGoalCover = add<ImageControl>(QStringLiteral("imgGoalCoverV"), goalBox);
    twips::place(m_visitorGoalCover, 3540, 60, 495, 255);

    // Period.
    PictureBoxControl* periodBox = field(game::Field::PeriodBack) =
        add<PictureBoxControl>(QStringLiteral("PeriodBack"), this);
    twips::place(periodBox, 4410, 2880, 660, 1095);
    m_periodDigits.name = QStringLiteral("lumPeriod");
    m_periodDigits.group = game::DigitGroup::Period;
    addDigit(m_periodDigits, periodBox, 60, 60, 65);

    // Penalty clocks: index 0 seconds (right), 2 minutes (left); all dark until a time is typed.
    struct PenaltyPlace {
        game::Field field;
        int clock; // 1..4
        const char* boxName;
        const char* rowName;
        const char* colonName;
        game::DigitGroup digits;
        double left;
        double top;
        std::array<double, 3> digitLefts;
        double colonLeft;
    };
    using F = game::Field;
    using G = game::DigitGroup;
    const std::array<PenaltyPlace, 4> penalties{{
        {F::PenaltyTH1,
         1,
         "PenaltyTH1",
         "lumPenaltyTH1",
         "dotPenaltyTH1",
         G::PenaltyTH1,
         720,
         3240,
         {1973, 1215, 181},
         879},
        {F::PenaltyTV1,
         3,
         "PenaltyTV1",
         "lumPenaltyTV1",
         "dotPenaltyTV1",
         G::PenaltyTV1,
         6120,
         3240,
         {1965, 1210, 180},
         875},
        {F::PenaltyTH2,
         2,
         "PenaltyTH2",
         "lumPenaltyTH2",
         "dotPenaltyTH2",
         G::PenaltyTH2,
         720,
         4800,
         {1973, 1215, 181},
         875},
        {F::PenaltyTV2,
         4,
         "PenaltyTV2",
         "lumPenaltyTV2",
         "dotPenaltyTV2",
         G::PenaltyTV2,
         6120,
         4800,
         {1965, 1210, 180},
         875},
    }};
    for (const PenaltyPlace& p : penalties) {
        const auto index = static_cast<std::size_t>(p.clock - 1);
        PictureBoxControl* box = field(p.field) = add<PictureBoxControl>(QString::fromLatin1(p.boxName), this);
        twips::place(box, p.left, p.top, 2715, 1335);
        DigitRow& row = m_penaltyDigits[index];
        row.name = QString::fromLatin1(p.rowName);
        row.group = p.digits;
        for (double left : p.digitLefts) {
            addDigit(row, box, left, 150, 70)->setCaption(-1);
        }
        for (std::size_t i = 0; i < 2; ++i) {
            ShapeControl* dot = add<ShapeControl>(QString::fromLatin1(p.colonName), box, Kind::Circle);
            twips::place(dot, p.colonLeft, i == 0 ? 240 : 840, 210, 210);
            dot->setFilled(true);
            m_penaltyColons[index][i] = dot;
        }
    }

    // Player numbers: a small box of two digits against each penalty box on the side of the middle, level with its
    // top, well clear of the period and its caption so that the three never read as one number; lit in the team's
    // colour, unlike any time. Hidden unless the option is on and a number is noted.
    struct PlayerPlace {
        int clock; // 1..4
        const char* boxName;
        const char* digitName;
        double left;
        double top;
    };
    const std::array<PlayerPlace, 4> players{{{1, "PlayerTH1", "lumPlayerTH1", 3465, 3240},
                                              {3, "PlayerTV1", "lumPlayerTV1", 5280, 3240},
                                              {2, "PlayerTH2", "lumPlayerTH2", 3465, 4800},
                                              {4, "PlayerTV2", "lumPlayerTV2", 5280, 4800}}};
    for (const PlayerPlace& p : players) {
        PlayerNumber& number = m_players[static_cast<std::size_t>(p.clock - 1)];
        number.box = add<PictureBoxControl>(QString::fromLatin1(p.boxName), this);
        twips::place(number.box, p.left, p.top, 810, 675);
        number.box->hide();
        DigitRow row;
        row.name = QString::fromLatin1(p.digitName);
        // Index 0 units (right), 1 tens (left), as the scores.
        for (double left : {420.0, 30.0}) {
            LedDigit* d = addDigit(row, number.box, left, 30, 42);
            d->setCaption(-1);
            // Part of no field: a click on it selects nothing.
            d->setFocusPolicy(Qt::NoFocus);
        }
        number.digits = {row.digits[0], row.digits[1]};
    }

    const std::array<std::pair<const DigitRow*, game::Field>, 8> owners{{{&m_timeDigits, F::TimeBack},
                                                                         {&m_homeDigits, F::HomeBack},
                                                                         {&m_visitorDigits, F::VisitorBack},
                                                                         {&m_periodDigits, F::PeriodBack},
                                                                         {&m_penaltyDigits[0], F::PenaltyTH1},
                                                                         {&m_penaltyDigits[1], F::PenaltyTH2},
                                                                         {&m_penaltyDigits[2], F::PenaltyTV1},
                                                                         {&m_penaltyDigits[3], F::PenaltyTV2}}};
    if (m_role == BoardViewRole::PublicBoard) {
        for (const auto& [row, f] : owners) {
            for (LedDigit* d : row->digits) {
                d->setFocusPolicy(Qt::NoFocus);
            }
        }
        return;
    }
    // Focus: the nine field boxes in tab order; digits and labels pass the focus on to their field.
    for (PictureBoxControl* f : m_fields) {
        f->setFieldBox(true);
    }
    for (std::size_t i = 0; i + 1 < m_fields.size(); ++i) {
        setTabOrder(m_fields[i], m_fields[i + 1]);
    }
    for (const auto& [row, f] : owners) {
        PictureBoxControl* box = fieldBox(f);
        for (LedDigit* d : row->digits) {
            connect(d, &LedDigit::gotFocus, box, [box] { box->setFocus(Qt::OtherFocusReason); });
        }
    }
}

void BoardView::drawModel() {
    const game::GameState& s = m_model.state();
    for (const DigitRow* row : {&m_timeDigits, &m_homeDigits, &m_visitorDigits, &m_periodDigits}) {
        row->draw(s);
    }
    for (const DigitRow& row : m_penaltyDigits) {
        row.draw(s);
    }
    const SettingsVariables& set = m_settings;
    m_clockColon[1]->setFillColor(fromOleColor(set.BorderColor));
    m_clockColon[0]->setFillColor(fromOleColor(s.colon ? set.BorderColor : set.LEDBack));
    for (std::size_t i = 0; i < m_penaltyColons.size(); ++i) {
        // A penalty clock's colon is lit while its seconds digit shows.
        const QColor c = fromOleColor(s.penaltyDigits[i][0] > -1 ? set.BorderColor : set.LEDBack);
        m_penaltyColons[i][0]->setFillColor(c);
        m_penaltyColons[i][1]->setFillColor(c);
        m_penaltyLights[i]->setFillColor(fromOleColor(s.penaltyLights[i] ? set.ScoreColor : set.FormBack));
    }
    m_homeGoalLight->setFillColor(fromOleColor(s.whoGoal == 1 ? set.ScoreColor : set.FormBack));
    m_visitorGoalLight->setFillColor(fromOleColor(s.whoGoal == 2 ? set.ScoreColor : set.FormBack));
    for (std::size_t i = 0; i < m_players.size(); ++i) {
        // Beside a penalty time only, and only with the option on: off, the board is as it always was.
        const int player = s.penaltyPlayers[i];
        const bool shown = set.ShowPlayerNumbers && player >= 0 && s.penaltyDigits[i][0] > -1;
        const std::array<int, 2> digits = game::playerDigits(player);
        m_players[i].digits[0]->setCaption(digits[0]);
        m_players[i].digits[1]->setCaption(digits[1]);
        if (m_players[i].box->isHidden() == shown) {
            m_players[i].box->setVisible(shown);
        }
    }
    placeMarker();
}

void BoardView::setMarkerShown(bool shown) {
    m_markerShown = shown && m_role == BoardViewRole::Board;
    placeMarker();
}

void BoardView::placeMarker() {
    const std::optional<game::Field> selected = m_model.state().selected;
    if (!m_markerShown || !selected) {
        m_marker->hide();
        return;
    }
    const std::int64_t width = std::clamp<std::int64_t>(m_settings.LEDSelectedWidth, 0, kMaxMarkerWidth);
    const std::int64_t w = twips::kPerPixel * width;
    const PictureBoxControl* f = fieldBox(*selected);
    const auto l = static_cast<std::int64_t>(twips::left(f));
    const auto t = static_cast<std::int64_t>(twips::top(f));
    const auto wd = static_cast<std::int64_t>(twips::width(f));
    const auto h = static_cast<std::int64_t>(twips::height(f));
    twips::place(m_marker, static_cast<double>(l - w), static_cast<double>(t - w), static_cast<double>(wd + 2 * w + 15),
                 static_cast<double>(h + 2 * w + 15));
    m_marker->show();
}

void BoardView::recordLayout() {
    window_scaling::recordLayout(*this, m_layout);
}

void BoardView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    window_scaling::stretchLayout(*this, m_layout);
    // Every field moves with a resize, so the marker hides until a field next gets the focus.
    setMarkerShown(false);
    updateLabels();
}

double BoardView::outerWidthTwips() const {
    return twips::width(this) + kFrameWidthTwips;
}
double BoardView::outerHeightTwips() const {
    return twips::height(this) + kFrameHeightTwips;
}
double BoardView::layoutWidthTwips() const {
    return twips::width(this);
}
double BoardView::layoutHeightTwips() const {
    return twips::height(this);
}

double BoardView::scaledSize(int points) const {
    return layout_scaling::rSize(points, outerWidthTwips(), outerHeightTwips());
}

void BoardView::updateLabels() {
    // The team-name size is used as a whole number, halves to the even one.
    const TimeValue rounded = roundToWholeSecondsHalfEven(m_settings.TeamSize);
    const auto n = static_cast<int>(std::clamp<TimeValue>(rounded / kTicksPerSecond, -32768, 32767));
    m_homeName->setCaption(QString::fromStdString(m_settings.HomeText));
    m_homeName->setFontSize(scaledSize(n));
    m_visitorName->setCaption(QString::fromStdString(m_settings.VisitorText));
    m_visitorName->setFontSize(scaledSize(n));
    for (auto [label, box] : {std::pair{m_homeName, m_homeNameBox}, std::pair{m_visitorName, m_visitorNameBox}}) {
        twips::setTop(label, twips::height(box) / 2 - twips::height(label) / 2);
        twips::setLeft(label, twips::width(box) / 2 - twips::width(label) / 2);
    }
    window_scaling::setLedType(*this, m_settings.LEDType);
    emit labelsChanged();
}

void BoardView::updateFormColors() {
    const SettingsVariables& s = m_settings;
    QPalette pal = palette();
    pal.setColor(QPalette::Window, fromOleColor(s.FormBack));
    setPalette(pal);
    const QColor back = fromOleColor(s.LEDBack);
    m_timeDigits.colour(fromOleColor(s.TimeColor), back);
    m_homeDigits.colour(fromOleColor(s.ScoreColor), back);
    m_visitorDigits.colour(fromOleColor(s.ScoreColor), back);
    m_periodDigits.colour(fromOleColor(s.PeriodColor), back);
    for (const DigitRow& row : m_penaltyDigits) {
        row.colour(fromOleColor(s.TimeColor), back);
    }
    for (std::size_t i = 0; i < m_players.size(); ++i) {
        // Clocks 1 and 2 are the home team's.
        const QColor team = fromOleColor(i < 2 ? s.HomeColor : s.VisitorColor);
        for (LedDigit* d : m_players[i].digits) {
            d->setBackColor(back);
            d->setLitColor(team);
        }
    }
    colourControls({QStringLiteral("lblHome"), QStringLiteral("lblVisitor"), QStringLiteral("Shape1"),
                    QStringLiteral("Shape3"), QStringLiteral("picHomeContainer"),
                    QStringLiteral("picVisitorContainer")});
    m_homeName->setForeColor(fromOleColor(s.HomeColor));
    m_visitorName->setForeColor(fromOleColor(s.VisitorColor));
    m_clockFrame->setBorderColor(fromOleColor(s.BorderColor));
    m_outerFrame->setBorderColor(fromOleColor(s.BorderColor));
    m_homeNameBox->setBackColor(fromOleColor(s.FormBack));
    m_visitorNameBox->setBackColor(fromOleColor(s.FormBack));
    m_marker->setFillColor(fromOleColor(s.LEDSelected));
    fieldBox(game::Field::GoalLights)->setBackColor(fromOleColor(s.FormBack));
    drawModel();
}

void BoardView::colourControls(const QStringList& exceptions) {
    const QColor border = fromOleColor(m_settings.BorderColor);
    const QColor ledBack = fromOleColor(m_settings.LEDBack);
    for (const BoardControlRef& c : m_controls) {
        if (exceptions.contains(c.name)) {
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
