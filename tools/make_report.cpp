// The game report from a game record file, without the console:
//   make_report [--remaining] [--replace] [--out DIR] RECORD...
//     writes DIR/<date>-game-<number>.pdf and .csv for each record (DIR: beside the record); an existing report
//     is kept unless --replace is given. Lines the reader refused are listed on the error output.
//   make_report --sample FILE [--game NUMBER] [--date DATE] [--replace]
//     writes a sample record as the console writes one: a 60-minute game with about 40 events (goals given
//     their scorers after the board's goal, a coincident pair, a major and minor, a misconduct, shots,
//     timeouts, goalkeeper changes, a voided goal, the end); the penalties' start and end come from the rules.
#include "core/rules/GameRecord.h"
#include "core/rules/GameReport.h"
#include "core/rules/RecordKeeping.h"
#include "game/GameReportPdf.h"

#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QSaveFile>
#include <QTextStream>

namespace {

RecordTime at(int period, int minutes, int seconds) {
    return {period, secondsToTime(minutes * 60 + seconds)};
}

RecordPenalty penalty(RecordTime given, Team team, int player, BookKind kind, const char* infraction) {
    RecordPenalty p;
    p.at = given;
    p.team = team;
    p.player = player;
    p.kind = kind;
    p.minutes = penaltyMinutes(kind);
    p.infraction = infraction;
    return p;
}

// A sample game written as the console writes one: the record keeper follows the game clock from entry to
// entry, a goal comes from the board with no scorer and the official's entry then takes its place, penalties
// carry no start or end (the rule book has those), the header is filled in after the first minutes.
std::string sampleRecord(const std::string& gameNumber, const std::string& date) {
    RecordKeeper keeper;
    std::string text;
    const auto add = [&](RecordItem item) {
        if (const auto* p = std::get_if<RecordPenalty>(&item))
            keeper.catchUp(p->at);
        else if (const auto* t = std::get_if<RecordTimeout>(&item))
            keeper.catchUp(t->at);
        else if (const auto* k = std::get_if<RecordGoalkeeper>(&item))
            keeper.catchUp(k->at);
        else if (const auto* e = std::get_if<RecordEnd>(&item))
            keeper.catchUp(e->at);
        text += keeper.append(std::move(item));
    };
    // The board's goal, then the official's details in its place (none: the goal is voided).
    const auto goal = [&](RecordTime when, Team team, int scorer, std::vector<int> assists, bool emptyNet = false) {
        keeper.catchUp(when);
        RecordGoal board;
        board.at = when;
        board.team = team;
        text += keeper.append(board);
        const std::uint64_t seq = keeper.record().entries().back().seq;
        if (scorer == 0) {
            text += keeper.append(RecordCorrection{seq});
            return;
        }
        RecordGoal full = board;
        full.scorer = scorer;
        full.assists = std::move(assists);
        full.emptyNet = emptyNet;
        for (const std::string& line : keeper.replace(seq, full))
            text += line;
    };
    RecordHeader h;
    h.homeTeam = "Lakeside Lakers";
    h.visitorTeam = "Hillcrest Hawks";
    add(h);
    const Team home = Team::Home;
    const Team visitor = Team::Visitor;
    add(RecordGoalkeeper{at(1, 20, 0), home, 30, 0});
    add(RecordGoalkeeper{at(1, 20, 0), visitor, 1, 0});
    goal(at(1, 15, 12), home, 17, {4, 22});
    h.date = date;
    h.venue = "Eisstadion Am See, Rink 1";
    h.gameNumber = gameNumber;
    h.competition = "Regional League, Round 7";
    h.referees = {"Anna Berger", "Tom Keller"};
    h.linesmen = {"Luc Martin", "Sara Novak"};
    h.scorekeeper = "Paul Weber";
    add(h);
    add(penalty(at(1, 12, 40), visitor, 8, BookKind::Minor, "Tripping"));
    goal(at(1, 11, 5), home, 9, {17}); // power play: ends the minor
    add(penalty(at(1, 8, 30), home, 4, BookKind::Minor, "Roughing"));
    add(penalty(at(1, 8, 30), visitor, 12, BookKind::Minor, "Roughing")); // four on four
    add(penalty(at(1, 7, 50), home, 19, BookKind::Minor, "Hooking"));
    goal(at(1, 6, 10), visitor, 11, {3, 5}); // ends the hooking minor
    add(RecordTimeout{at(1, 3, 0), home});
    add(RecordShots{1, home, 11});
    add(RecordShots{1, visitor, 7});
    add(penalty(at(2, 17, 3), visitor, 5, BookKind::MajorAndMinor, "Boarding"));
    add(penalty(at(2, 17, 3), visitor, 5, BookKind::Misconduct, "Boarding")); // after the 5+2
    goal(at(2, 14, 41), home, 22, {});                                        // the major is not ended by a goal
    goal(at(2, 12, 2), visitor, 3, {11});                                     // short-handed
    RecordPenalty bench = penalty(at(2, 9, 15), home, 0, BookKind::BenchMinor, "Too many men");
    bench.servedBy = 27;
    add(bench);
    add(RecordTimeout{at(2, 5, 0), visitor});
    add(penalty(at(2, 2, 20), home, 6, BookKind::DoubleMinor, "High-sticking"));
    add(RecordShots{2, home, 9});
    add(RecordShots{2, visitor, 14});
    goal(at(2, 0, 44), visitor, 7, {12, 5}); // cuts the double minor to its second minor
    goal(at(3, 19, 30), visitor, 0, {});     // the board's score went up by mistake: voided
    goal(at(3, 16, 58), home, 17, {9, 4});
    add(penalty(at(3, 13, 0), visitor, 21, BookKind::Major, "Fighting"));
    add(penalty(at(3, 13, 0), home, 28, BookKind::Major, "Fighting")); // coincident majors
    add(penalty(at(3, 13, 0), visitor, 21, BookKind::GameMisconduct, "Fighting"));
    goal(at(3, 9, 59), home, 14, {22});
    add(RecordTimeout{at(3, 2, 10), visitor});
    add(RecordGoalkeeper{at(3, 1, 45), visitor, 0, 1});
    goal(at(3, 0, 38), home, 9, {30}, true);
    add(RecordGoalkeeper{at(3, 0, 38), visitor, 1, 0});
    add(penalty(at(3, 0, 20), visitor, 3, BookKind::Minor, "Slashing"));
    add(RecordShots{3, home, 12});
    add(RecordShots{3, visitor, 10});
    add(RecordShots{3, home, 1});
    goal(at(3, 0, 12), home, 19, {6}); // ends the slashing minor
    add(RecordEnd{at(3, 0, 0)});
    return text;
}

bool writeWhole(const QString& path, const QByteArray& bytes, bool replace, QString& error) {
    if (!replace && QFileInfo::exists(path)) {
        error = QStringLiteral("%1 already exists (--replace writes over it)").arg(path);
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        error = path + QStringLiteral(": ") + file.errorString();
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTextStream err(stderr);
    QStringList args = app.arguments().mid(1);
    bool remaining = false;
    bool replace = false;
    QString outDir;
    QString sample;
    QString game = QStringLiteral("1");
    QString date = QStringLiteral("2026-12-07");
    QStringList records;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == QLatin1String("--remaining"))
            remaining = true;
        else if (a == QLatin1String("--replace"))
            replace = true;
        else if (a == QLatin1String("--out") && hasValue)
            outDir = args[++i];
        else if (a == QLatin1String("--sample") && hasValue)
            sample = args[++i];
        else if (a == QLatin1String("--game") && hasValue)
            game = args[++i];
        else if (a == QLatin1String("--date") && hasValue)
            date = args[++i];
        else if (a.startsWith(QLatin1String("--"))) {
            err << "usage: make_report [--remaining] [--replace] [--out DIR] RECORD...\n"
                   "       make_report --sample FILE [--game NUMBER] [--date DATE] [--replace]\n";
            return 2;
        } else
            records << a;
    }
    QString error;
    if (!sample.isEmpty()) {
        const std::string text = sampleRecord(game.toStdString(), date.toStdString());
        if (!writeWhole(sample, QByteArray::fromStdString(text), replace, error)) {
            err << error << "\n";
            return 1;
        }
        return 0;
    }
    if (records.isEmpty()) {
        err << "make_report: no record file given\n";
        return 2;
    }
    int status = 0;
    for (const QString& path : records) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            err << path << ": " << file.errorString() << "\n";
            status = 1;
            continue;
        }
        const QByteArray bytes = file.readAll();
        const RecordReading reading =
            readRecord(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
        for (const std::string& problem : reading.problems)
            err << path << ": " << QString::fromStdString(problem) << "\n";
        // The penalties' start and end the record leaves out come from the rule book, as on the console.
        const GameReport report = makeGameReport(recordWithServedTimes(reading.record),
                                                 remaining ? SheetTimeStyle::Remaining : SheetTimeStyle::Elapsed);
        const QString folder = outDir.isEmpty() ? QFileInfo(path).absolutePath() : outDir;
        const GameReportFiles files = writeGameReportFiles(report, folder, replace);
        if (!files.ok) {
            err << files.error << "\n";
            status = 1;
            continue;
        }
        QTextStream(stdout) << files.pdfPath << " (" << files.pages << (files.pages == 1 ? " page" : " pages")
                            << ") and " << files.csvPath << "\n";
    }
    return status;
}
