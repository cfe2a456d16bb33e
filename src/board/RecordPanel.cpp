#include "board/RecordPanel.h"
#include "core/game/GameEvents.h"
#include "game/GameReportPdf.h"
#include "game/OfficialRecord.h"
#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QIntValidator>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

constexpr BookKind kKinds[] = {BookKind::Minor,          BookKind::BenchMinor,    BookKind::DoubleMinor,
                               BookKind::Major,          BookKind::MajorAndMinor, BookKind::Misconduct,
                               BookKind::GameMisconduct, BookKind::Match};

QString kindText(BookKind kind) {
    switch (kind) {
    case BookKind::Minor:
        return RecordPanel::tr("Minor");
    case BookKind::BenchMinor:
        return RecordPanel::tr("Bench minor");
    case BookKind::DoubleMinor:
        return RecordPanel::tr("Double minor");
    case BookKind::Major:
        return RecordPanel::tr("Major");
    case BookKind::MajorAndMinor:
        return RecordPanel::tr("Major and minor");
    case BookKind::Misconduct:
        return RecordPanel::tr("Misconduct");
    case BookKind::GameMisconduct:
        return RecordPanel::tr("Game misconduct");
    case BookKind::Match:
        return RecordPanel::tr("Match");
    }
    return {};
}

QString clock(const RecordTime& at) {
    return u"P%1 %2"_s.arg(at.period).arg(QString::fromStdString(game::clockText(at.remaining)));
}

QStringList names(const QString& text) {
    QStringList out;
    for (const QString& part : text.split(u',', Qt::SkipEmptyParts)) {
        if (!part.trimmed().isEmpty()) {
            out << part.trimmed();
        }
    }
    return out;
}

QString joined(const std::vector<std::string>& list) {
    QStringList out;
    for (const std::string& s : list) {
        out << QString::fromStdString(s);
    }
    return out.join(u", "_s);
}

std::vector<std::string> stdList(const QStringList& list) {
    std::vector<std::string> out;
    for (const QString& s : list) {
        out.push_back(s.toStdString());
    }
    return out;
}

bool askHeader(QWidget* parent, RecordHeader& h) {
    QDialog dialog(parent);
    dialog.setObjectName(u"recordHeaderDialog"_s);
    dialog.setWindowTitle(RecordPanel::tr("Game header"));
    auto* form = new QFormLayout(&dialog);
    const auto field = [&form, &dialog](const QString& label, const QString& value, const char* name) {
        auto* edit = new QLineEdit(value, &dialog);
        edit->setObjectName(QString::fromLatin1(name));
        edit->setMaxLength(static_cast<int>(kMaxRecordText));
        form->addRow(label, edit);
        return edit;
    };
    QLineEdit* date = field(RecordPanel::tr("Date"), QString::fromStdString(h.date), "headerDate");
    QLineEdit* venue = field(RecordPanel::tr("Venue"), QString::fromStdString(h.venue), "headerVenue");
    QLineEdit* game = field(RecordPanel::tr("Game number"), QString::fromStdString(h.gameNumber), "headerGame");
    QLineEdit* competition =
        field(RecordPanel::tr("Competition"), QString::fromStdString(h.competition), "headerCompetition");
    QLineEdit* referees = field(RecordPanel::tr("Referees"), joined(h.referees), "headerReferees");
    QLineEdit* linesmen = field(RecordPanel::tr("Linesmen"), joined(h.linesmen), "headerLinesmen");
    QLineEdit* scorekeeper =
        field(RecordPanel::tr("Scorekeeper"), QString::fromStdString(h.scorekeeper), "headerScorekeeper");
    form->addRow(new QLabel(RecordPanel::tr("Names: separated by commas."), &dialog));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    form->addRow(buttons);
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    h.date = date->text().trimmed().toStdString();
    h.venue = venue->text().trimmed().toStdString();
    h.gameNumber = game->text().trimmed().toStdString();
    h.competition = competition->text().trimmed().toStdString();
    h.referees = stdList(names(referees->text()));
    h.linesmen = stdList(names(linesmen->text()));
    h.scorekeeper = scorekeeper->text().trimmed().toStdString();
    return true;
}

} // namespace

RecordPanel::RecordPanel(OfficialRecord& record, QWidget* parent) : QWidget(parent), m_record(record) {
    setObjectName(u"recordPanel"_s);
    setFocusPolicy(Qt::NoFocus);
    m_dialogs.confirm = [](QWidget* parent, const QString& text) {
        return QMessageBox::question(parent, u"Rinkmaster"_s, text) == QMessageBox::Yes;
    };
    m_dialogs.reportPlace = [](QWidget* parent) -> std::optional<std::pair<QString, SheetTimeStyle>> {
        const QString folder = QFileDialog::getExistingDirectory(parent, tr("Folder for the game report"));
        if (folder.isEmpty()) {
            return std::nullopt;
        }
        bool ok = false;
        const QStringList styles{tr("Elapsed time in the period"), tr("Time remaining in the period")};
        const QString style =
            QInputDialog::getItem(parent, tr("Game report"), tr("Times on the report:"), styles, 0, false, &ok);
        if (!ok) {
            return std::nullopt;
        }
        return std::pair{folder, style == styles[1] ? SheetTimeStyle::Remaining : SheetTimeStyle::Elapsed};
    };
    m_dialogs.editHeader = askHeader;
    m_dialogs.tell = [](QWidget* parent, const QString& text) {
        QMessageBox box(QMessageBox::Information, u"Rinkmaster"_s, text, QMessageBox::Ok, parent);
        box.setTextFormat(Qt::PlainText);
        box.exec();
    };

    m_strength = new QLabel(this);
    m_strength->setObjectName(u"recordStrength"_s);
    m_strength->setTextFormat(Qt::PlainText);
    QFont big = m_strength->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.6);
    m_strength->setFont(big);
    m_penalties = new QListWidget(this);
    m_penalties->setObjectName(u"recordPenalties"_s);
    m_penalties->setFocusPolicy(Qt::NoFocus);
    m_penalties->setSelectionMode(QAbstractItemView::NoSelection);
    m_penalties->setWordWrap(true);
    m_penalties->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_penalties->setMinimumWidth(fontMetrics().horizontalAdvance(u"Visitor #99 minor 1:59 until P2 15:40"_s) * 3 / 4);

    m_team = new QComboBox(this);
    m_team->setObjectName(u"recordTeam"_s);
    m_team->setFocusPolicy(Qt::ClickFocus);
    m_team->addItems({m_home, m_visitor});
    m_team->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    m_team->setMinimumContentsLength(10);

    m_scorer = numberField("goalScorer", tr("Scorer"));
    m_assist1 = numberField("goalAssist1", tr("Assist"));
    m_assist2 = numberField("goalAssist2", tr("Assist"));
    m_emptyNet = new QCheckBox(tr("Empty net"), this);
    m_emptyNet->setObjectName(u"goalEmptyNet"_s);
    m_emptyNet->setFocusPolicy(Qt::NoFocus);
    m_penaltyShot = new QCheckBox(tr("Penalty shot"), this);
    m_penaltyShot->setObjectName(u"goalPenaltyShot"_s);
    m_penaltyShot->setFocusPolicy(Qt::NoFocus);
    m_penaltyShot->setToolTip(tr("The next goal is a penalty-shot goal: it ends no penalty."));
    connect(m_penaltyShot, &QCheckBox::toggled, this, [this](bool on) { m_record.setNextGoalPenaltyShot(on); });

    m_player = numberField("penaltyPlayer", tr("Player"));
    m_servedBy = numberField("penaltyServedBy", tr("Served"));
    m_servedBy->setToolTip(tr("Served by (a bench minor, a goalkeeper's penalty)"));
    m_infraction = new QComboBox(this);
    m_infraction->setObjectName(u"penaltyInfraction"_s);
    m_infraction->setEditable(true);
    m_infraction->setFocusPolicy(Qt::ClickFocus);
    m_infraction->setInsertPolicy(QComboBox::NoInsert);
    m_infraction->lineEdit()->setMaxLength(static_cast<int>(kMaxRecordText));
    m_infraction->addItems({tr("Tripping"),
                            tr("Hooking"),
                            tr("Slashing"),
                            tr("Holding"),
                            tr("Interference"),
                            tr("Roughing"),
                            tr("High-sticking"),
                            tr("Cross-checking"),
                            tr("Boarding"),
                            tr("Charging"),
                            tr("Elbowing"),
                            tr("Too many men"),
                            tr("Delay of game"),
                            tr("Unsportsmanlike conduct"),
                            tr("Fighting"),
                            tr("Checking from behind"),
                            tr("Abuse of officials"),
                            tr("Holding the stick"),
                            tr("Kneeing"),
                            tr("Checking to the head"),
                            tr("Spearing"),
                            tr("Butt-ending"),
                            tr("Diving"),
                            tr("Instigator")});
    m_infraction->setMinimumContentsLength(12);
    m_kind = new QComboBox(this);
    m_kind->setObjectName(u"penaltyKind"_s);
    m_kind->setFocusPolicy(Qt::ClickFocus);
    for (const BookKind kind : kKinds) {
        m_kind->addItem(kindText(kind), static_cast<int>(kind));
    }

    m_release = new QComboBox(this);
    m_release->setObjectName(u"goalRelease"_s);
    m_release->setFocusPolicy(Qt::ClickFocus);
    m_release->setToolTip(tr("Penalties with equal time left: the one the goal ends."));
    m_release->hide();
    connect(m_release, &QComboBox::activated, this, [this](int index) {
        const std::optional<RecordEntry> goal = m_record.keeper().standingEntry(m_releaseGoal);
        if (!goal || !std::holds_alternative<RecordGoal>(goal->item)) {
            return;
        }
        RecordGoal chosen = std::get<RecordGoal>(goal->item);
        chosen.release = m_release->itemData(index).toULongLong();
        if (chosen.release != std::get<RecordGoal>(goal->item).release) {
            m_record.replace(goal->seq, chosen);
        }
    });

    m_keeperIn = numberField("goalkeeperIn", tr("In"));
    m_keeperIn->setToolTip(tr("Goalkeeper in (empty: the net is left empty)"));
    m_keeperOut = numberField("goalkeeperOut", tr("Out"));
    m_keeperOut->setToolTip(tr("Goalkeeper out"));

    QPushButton* goal = button("recordGoal", tr("Goal"));
    connect(goal, &QPushButton::clicked, this, &RecordPanel::recordGoal);
    QPushButton* penalty = button("recordPenalty", tr("Penalty"));
    connect(penalty, &QPushButton::clicked, this, &RecordPanel::recordPenalty);
    m_shotHome = button("shotHome", {});
    connect(m_shotHome, &QPushButton::clicked, this, [this] { recordShot(true); });
    m_shotVisitor = button("shotVisitor", {});
    connect(m_shotVisitor, &QPushButton::clicked, this, [this] { recordShot(false); });
    QPushButton* timeout = button("recordTimeout", tr("Timeout"));
    connect(timeout, &QPushButton::clicked, this, &RecordPanel::recordTimeout);
    QPushButton* keeper = button("recordGoalkeeper", tr("Goalkeeper"));
    connect(keeper, &QPushButton::clicked, this, &RecordPanel::recordGoalkeeper);

    m_entries = new QListWidget(this);
    m_entries->setObjectName(u"recordEntries"_s);
    m_entries->setFocusPolicy(Qt::NoFocus);
    m_entries->setSelectionMode(QAbstractItemView::SingleSelection);
    m_entries->setWordWrap(true);
    m_entries->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_entries->setMinimumWidth(fontMetrics().horizontalAdvance(u"P1 12:34 Penalty Visitor #99 minor"_s) * 3 / 4);
    QPushButton* voidButton = button("voidEntry", tr("Void"));
    voidButton->setToolTip(tr("Voids the selected entry (a correction is added to the record)."));
    connect(voidButton, &QPushButton::clicked, this, [this] {
        if (const std::uint64_t seq = selectedEntry()) {
            m_record.voidEntry(seq);
        }
    });
    QPushButton* coincident = button("markCoincident", tr("Coincident"));
    coincident->setToolTip(tr("Marks the selected penalty coincident, or takes the mark off."));
    connect(coincident, &QPushButton::clicked, this, [this] {
        if (const std::uint64_t seq = selectedEntry()) {
            m_record.toggleCoincident(seq);
        }
    });
    QPushButton* header = button("recordHeader", tr("Header..."));
    connect(header, &QPushButton::clicked, this, &RecordPanel::editHeader);
    QPushButton* report = button("gameReport", tr("Game report..."));
    connect(report, &QPushButton::clicked, this, &RecordPanel::writeReport);
    QPushButton* end = button("endGame", tr("End game"));
    connect(end, &QPushButton::clicked, this, &RecordPanel::endGame);

    // Left: strength and penalties; middle: the entries' forms; right: the record and what to do with it.
    auto* left = new QVBoxLayout;
    left->addWidget(m_strength);
    left->addWidget(m_penalties, 1);

    auto* forms = new QGridLayout;
    forms->setVerticalSpacing(2);
    int row = 0;
    auto* teamRow = new QHBoxLayout;
    teamRow->addWidget(m_team);
    teamRow->addStretch(1);
    forms->addWidget(new QLabel(tr("Team"), this), row, 0, Qt::AlignRight);
    forms->addLayout(teamRow, row++, 1, 1, 4);
    auto* goalRow = new QHBoxLayout;
    for (QWidget* w :
         std::initializer_list<QWidget*>{m_scorer, m_assist1, m_assist2, m_emptyNet, m_penaltyShot, m_release}) {
        goalRow->addWidget(w);
    }
    goalRow->addStretch(1);
    forms->addWidget(goal, row, 0);
    forms->addLayout(goalRow, row++, 1, 1, 4);
    auto* penaltyRow = new QHBoxLayout;
    for (QWidget* w : std::initializer_list<QWidget*>{m_player, m_servedBy, m_kind, m_infraction}) {
        penaltyRow->addWidget(w);
    }
    penaltyRow->setStretchFactor(m_infraction, 1);
    forms->addWidget(penalty, row, 0);
    forms->addLayout(penaltyRow, row++, 1, 1, 4);
    auto* keeperRow = new QHBoxLayout;
    for (QWidget* w : std::initializer_list<QWidget*>{m_keeperIn, m_keeperOut, timeout, m_shotHome, m_shotVisitor}) {
        keeperRow->addWidget(w);
    }
    keeperRow->addStretch(1);
    forms->addWidget(keeper, row, 0);
    forms->addLayout(keeperRow, row++, 1, 1, 4);
    forms->setRowStretch(row, 1);
    forms->setColumnStretch(4, 1);

    auto* right = new QVBoxLayout;
    right->addWidget(m_entries, 1);
    auto* entryButtons = new QHBoxLayout;
    entryButtons->addWidget(voidButton);
    entryButtons->addWidget(coincident);
    right->addLayout(entryButtons);
    auto* gameButtons = new QHBoxLayout;
    gameButtons->addWidget(header);
    gameButtons->addWidget(report);
    gameButtons->addWidget(end);
    right->addLayout(gameButtons);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(left, 3);
    layout->addLayout(forms, 0);
    layout->addLayout(right, 3);

    connect(&m_record, &OfficialRecord::changed, this, &RecordPanel::refresh);
    setTeamNames(m_home, m_visitor);
    // Esc in anything of the panel that can take the keyboard gives it back to the board.
    for (QWidget* w : findChildren<QWidget*>()) {
        if (w->focusPolicy() != Qt::NoFocus) {
            w->installEventFilter(this);
        }
    }
    // Once an entry is recorded the keys go back to the board.
    for (QPushButton* b : findChildren<QPushButton*>()) {
        connect(b, &QPushButton::clicked, this, [this] { giveBackKeys(); });
    }
    connect(m_release, &QComboBox::activated, this, [this] { giveBackKeys(); });
}

void RecordPanel::giveBackKeys() {
    QWidget* focused = QApplication::focusWidget();
    if (focused != nullptr && isAncestorOf(focused) && m_giveBack) {
        m_giveBack();
    }
}

QLineEdit* RecordPanel::numberField(const char* name, const QString& tip) {
    auto* field = new QLineEdit(this);
    field->setObjectName(QString::fromLatin1(name));
    field->setFocusPolicy(Qt::ClickFocus);
    field->setValidator(new QIntValidator(0, kMaxPlayerNumber, field));
    field->setPlaceholderText(tip);
    field->setToolTip(tip);
    field->setMaxLength(2);
    field->setFixedWidth(
        std::max(fontMetrics().horizontalAdvance(u"000000"_s), fontMetrics().horizontalAdvance(tip) + 12));
    return field;
}

QPushButton* RecordPanel::button(const char* name, const QString& text) {
    auto* b = new QPushButton(text, this);
    b->setObjectName(QString::fromLatin1(name));
    b->setFocusPolicy(Qt::NoFocus);
    return b;
}

int RecordPanel::number(const QLineEdit* field) const {
    bool ok = false;
    const int n = field->text().toInt(&ok);
    return ok ? std::clamp(n, 0, kMaxPlayerNumber) : 0;
}

void RecordPanel::setTeamNames(const QString& home, const QString& visitor) {
    m_home = home;
    m_visitor = visitor;
    m_team->setItemText(0, home);
    m_team->setItemText(1, visitor);
    m_shotHome->setText(tr("Shot %1").arg(home));
    m_shotVisitor->setText(tr("Shot %1").arg(visitor));
    refresh();
}

bool RecordPanel::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        if (auto* combo = qobject_cast<QComboBox*>(watched); combo != nullptr && combo->view()->isVisible()) {
            return QWidget::eventFilter(watched, event); // Esc closes an open list first
        }
        if (m_giveBack) {
            m_giveBack();
        } else if (auto* w = qobject_cast<QWidget*>(watched)) {
            w->clearFocus();
        }
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

std::uint64_t RecordPanel::selectedEntry() const {
    const QListWidgetItem* item = m_entries->currentItem();
    return item != nullptr && item->isSelected() ? item->data(Qt::UserRole).toULongLong() : 0;
}

void RecordPanel::recordGoal() {
    RecordGoal goal;
    goal.team = m_team->currentIndex() == 1 ? Team::Visitor : Team::Home;
    goal.scorer = number(m_scorer);
    for (const QLineEdit* a : {m_assist1, m_assist2}) {
        if (const int n = number(a); n > 0) {
            goal.assists.push_back(n);
        }
    }
    goal.emptyNet = m_emptyNet->isChecked();
    if (goal.emptyNet) {
        goal.strength = "EN";
    }
    goal.penaltyShot = m_penaltyShot->isChecked();
    // The board's latest goal, not yet named, takes the details; otherwise a goal of its own, now.
    const std::optional<RecordEntry> latest = m_record.keeper().latestGoal();
    if (latest && std::get<RecordGoal>(latest->item).scorer == 0 &&
        std::get<RecordGoal>(latest->item).team == goal.team) {
        const RecordGoal& board = std::get<RecordGoal>(latest->item);
        goal.at = board.at;
        goal.release = board.release;
        goal.penaltyShot = goal.penaltyShot || board.penaltyShot;
        m_record.replace(latest->seq, goal);
    } else {
        goal.at = m_record.now();
        m_record.add(goal);
    }
    for (QLineEdit* field : {m_scorer, m_assist1, m_assist2}) {
        field->clear();
    }
    m_emptyNet->setChecked(false);
    m_penaltyShot->setChecked(false);
}

void RecordPanel::recordPenalty() {
    RecordPenalty p;
    p.at = m_record.now();
    p.team = m_team->currentIndex() == 1 ? Team::Visitor : Team::Home;
    p.player = number(m_player);
    p.servedBy = number(m_servedBy);
    p.infraction = m_infraction->currentText().trimmed().left(static_cast<int>(kMaxRecordText)).toStdString();
    p.kind = static_cast<BookKind>(m_kind->currentData().toInt());
    p.minutes = penaltyMinutes(p.kind);
    m_record.add(p);
    m_player->clear();
    m_servedBy->clear();
}

void RecordPanel::recordShot(bool home) {
    m_record.add(RecordShots{m_record.now().period, home ? Team::Home : Team::Visitor, 1});
}

void RecordPanel::recordTimeout() {
    m_record.add(RecordTimeout{m_record.now(), m_team->currentIndex() == 1 ? Team::Visitor : Team::Home});
}

void RecordPanel::recordGoalkeeper() {
    m_record.add(RecordGoalkeeper{m_record.now(), m_team->currentIndex() == 1 ? Team::Visitor : Team::Home,
                                  number(m_keeperIn), number(m_keeperOut)});
    m_keeperIn->clear();
    m_keeperOut->clear();
}

void RecordPanel::editHeader() {
    RecordHeader h = m_record.header();
    if (m_dialogs.editHeader && m_dialogs.editHeader(this, h)) {
        m_record.add(h);
    }
}

void RecordPanel::writeReport() {
    if (!m_dialogs.reportPlace) {
        return;
    }
    const auto place = m_dialogs.reportPlace(this);
    if (!place) {
        return;
    }
    // The penalties' start and end as the rule book counted them, up to the board's moment.
    const GameReport report = makeGameReport(recordWithServedTimes(m_record.keeper()), place->second);
    GameReportFiles files = writeGameReportFiles(report, place->first, false);
    if (!files.ok && (QFileInfo::exists(files.pdfPath) || QFileInfo::exists(files.csvPath)) && m_dialogs.confirm &&
        m_dialogs.confirm(this, tr("A report of this game is already in that folder. Replace it?"))) {
        files = writeGameReportFiles(report, place->first, true);
    }
    if (m_dialogs.tell) {
        m_dialogs.tell(
            this, files.ok ? tr("The game report was written: %1 and %2.")
                                 .arg(QDir::toNativeSeparators(files.pdfPath), QDir::toNativeSeparators(files.csvPath))
                           : tr("The game report could not be written: %1").arg(files.error));
    }
}

void RecordPanel::endGame() {
    if (m_dialogs.confirm &&
        !m_dialogs.confirm(this, tr("End this game? The record is closed and a new game starts on the board."))) {
        return;
    }
    m_record.endGame(m_clearBoard);
}

QString RecordPanel::entryText(const RecordEntry& entry) const {
    const auto team = [this](Team t) { return t == Team::Home ? m_home : m_visitor; };
    const auto player = [](int n) { return n > 0 ? u"#%1"_s.arg(n) : QString(); };
    return std::visit(
        [&](const auto& item) -> QString {
            using T = std::decay_t<decltype(item)>;
            if constexpr (std::is_same_v<T, RecordHeader>) {
                return tr("Header: %1, game %2")
                    .arg(QString::fromStdString(item.date), QString::fromStdString(item.gameNumber));
            } else if constexpr (std::is_same_v<T, RecordGoal>) {
                QStringList assists;
                for (const int a : item.assists) {
                    assists << player(a);
                }
                return tr("%1 Goal %2 %3 %4%5")
                    .arg(clock(item.at), team(item.team), item.scorer > 0 ? player(item.scorer) : tr("(scorer?)"),
                         assists.isEmpty() ? QString() : u"("_s + assists.join(u", "_s) + u")"_s,
                         QString(item.emptyNet ? tr(" empty net") : QString()) +
                             (item.penaltyShot ? tr(" penalty shot") : QString()));
            } else if constexpr (std::is_same_v<T, RecordPenalty>) {
                QString text = tr("%1 Penalty %2 %3 %4 %5")
                                   .arg(clock(item.at), team(item.team), player(item.player), kindText(item.kind),
                                        QString::fromStdString(item.infraction));
                if (item.servedBy > 0) {
                    text += tr(", served by %1").arg(player(item.servedBy));
                }
                if (item.coincident) {
                    text += tr(", coincident");
                }
                return text;
            } else if constexpr (std::is_same_v<T, RecordShots>) {
                return tr("P%1 Shot %2").arg(item.period).arg(team(item.team));
            } else if constexpr (std::is_same_v<T, RecordTimeout>) {
                return tr("%1 Timeout %2").arg(clock(item.at), team(item.team));
            } else if constexpr (std::is_same_v<T, RecordGoalkeeper>) {
                return tr("%1 Goalkeeper %2 in %3, out %4")
                    .arg(clock(item.at), team(item.team), item.in > 0 ? player(item.in) : tr("none"),
                         item.out > 0 ? player(item.out) : tr("none"));
            } else if constexpr (std::is_same_v<T, RecordEnd>) {
                return tr("%1 End of the game").arg(clock(item.at));
            } else {
                return QString();
            }
        },
        entry.item);
}

void RecordPanel::refresh() {
    const RecordKeeper& keeper = m_record.keeper();
    m_strength->setText(m_record.isActive() ? QString::fromStdString(keeper.strength()) : QString());

    QStringList lines;
    for (const PenaltyView& p : keeper.openPenalties()) {
        QString line = u"%1 %2 %3 %4"_s.arg(
            p.team == Team::Home ? m_home : m_visitor, p.player > 0 ? u"#%1"_s.arg(p.player) : QString(),
            QString::fromStdString(p.kind), QString::fromStdString(game::clockText(p.remaining)));
        if (p.state == "waiting") {
            line += tr(" waiting");
        } else if (p.endsAt) {
            line += tr(" until P%1 %2")
                        .arg(p.endsAt->period)
                        .arg(QString::fromStdString(game::clockText(p.endsAt->remaining)));
        }
        if (p.coincident) {
            line += tr(" (coincident)");
        }
        lines << line;
    }
    if (lines != [this] {
            QStringList shown;
            for (int i = 0; i < m_penalties->count(); ++i) {
                shown << m_penalties->item(i)->text();
            }
            return shown;
        }()) {
        m_penalties->clear();
        m_penalties->addItems(lines);
    }

    // The record's list, newest last; the selection is kept by sequence number.
    const std::vector<RecordEntry> standing = keeper.record().standing();
    if (m_entries->property("entriesWritten").toULongLong() != keeper.record().entries().size()) {
        const std::uint64_t selected = selectedEntry();
        m_entries->clear();
        for (const RecordEntry& e : standing) {
            auto* item = new QListWidgetItem(entryText(e), m_entries);
            item->setToolTip(item->text());
            item->setData(Qt::UserRole, QVariant::fromValue<qulonglong>(e.seq));
            if (e.seq == selected) {
                m_entries->setCurrentItem(item);
            }
        }
        m_entries->setProperty("entriesWritten", QVariant::fromValue<qulonglong>(keeper.record().entries().size()));
        if (selected == 0) {
            m_entries->scrollToBottom();
        }
    }
    // The latest goal with penalties tied for least time: the official may choose the one it ends.
    const std::optional<RecordEntry> goal = keeper.latestGoal();
    const std::optional<GoalOutcome> outcome = goal ? keeper.outcomeOf(goal->seq) : std::nullopt;
    if (outcome && outcome->tied.size() >= 2 && m_record.isActive()) {
        if (m_releaseGoal == goal->seq && !m_release->isHidden()) {
            return; // as shown (the list is not rebuilt under an open popup)
        }
        m_releaseGoal = goal->seq;
        m_release->clear();
        for (const std::uint64_t id : outcome->tied) {
            const BookPenalty* p = keeper.book().penalty(id);
            if (p == nullptr) {
                continue;
            }
            m_release->addItem(tr("Ends %1 #%2 %3")
                                   .arg(p->call.team == Team::Home ? m_home : m_visitor)
                                   .arg(p->call.player)
                                   .arg(QString::fromStdString(p->call.infraction)),
                               QVariant::fromValue<qulonglong>(id));
            if (outcome->released == id) {
                m_release->setCurrentIndex(m_release->count() - 1);
            }
        }
        m_release->show();
    } else {
        m_releaseGoal = 0;
        m_release->hide();
    }
    // A new goal on the board: the team is offered for its details.
    if (const std::optional<RecordEntry> latest = keeper.latestGoal(); latest && latest->seq != m_lastGoalSeen) {
        m_lastGoalSeen = latest->seq;
        m_team->setCurrentIndex(std::get<RecordGoal>(latest->item).team == Team::Home ? 0 : 1);
    }
}
