#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include "core/game/GameJournal.h"
#include "game/BoardModel.h"
#include "game/GameFiles.h"
#include "game/GameLock.h"
#include "game/JournalWriter.h"

using namespace Qt::StringLiterals;

namespace {

std::optional<game::GameState> readBack(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    const QByteArray text = file.readAll();
    const game::JournalReading r = game::readJournal(std::string_view(text.constData(), text.size()));
    if (!r.game) {
        return std::nullopt;
    }
    return r.game->state;
}

game::GameState running(TimeValue used) {
    game::GameState s;
    s.clocks[0].running = true;
    s.clocks[0].used = used;
    return s;
}

} // namespace

class TestGameJournal : public QObject {
    Q_OBJECT

private slots:
    void modelSaysOnlyRealChanges();
    void everyChangeIsWrittenAtOnce();
    void aRunningClockIsWrittenTwiceASecond();
    void aClockOnlyChangeWritesTheClocksOfItsMoment();
    void theLastStateIsWrittenAtTheEnd();
    void anUnwritableFolderIsToldOnceAndRetried();
    void filesSitBesideTheStore_data();
    void filesSitBesideTheStore();
    void oneProgramPerStore();
    void aLockLeftByAProgramThatHasGoneIsTakenOver();
};

void TestGameJournal::modelSaysOnlyRealChanges() {
    BoardModel model;
    QSignalSpy spy(&model, &BoardModel::changed);
    model.edit([](game::GameState&) {});
    model.setState(game::freshGame());
    QCOMPARE(spy.count(), 0);
    model.edit([](game::GameState& s) { s.homeDigits[0] = 1; });
    QCOMPARE(spy.count(), 1);
    QCOMPARE(model.state().homeDigits[0], 1);
    model.edit([](game::GameState& s) { s.homeDigits[0] = 1; });
    QCOMPARE(spy.count(), 1);
}

void TestGameJournal::everyChangeIsWrittenAtOnce() {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"sub/game.json"_s);
    JournalWriter writer(path);
    writer.setWallClock([] { return std::int64_t{1'796'674'507'000}; });
    game::GameState s;
    for (int goal = 1; goal <= 5; ++goal) {
        s.homeDigits[0] = goal;
        writer.save(s);
        writer.waitUntilWritten();
        // Nothing is held back: each key's effect is on disk before the next.
        const auto back = readBack(path);
        QVERIFY(back.has_value());
        QCOMPARE(back->homeDigits[0], goal);
    }
    // No temporary file is left beside the journal.
    QCOMPARE(QDir(dir.filePath(u"sub"_s)).entryList(QDir::Files), QStringList{u"game.json"_s});
}

void TestGameJournal::aRunningClockIsWrittenTwiceASecond() {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"game.json"_s);
    JournalWriter writer(path);
    writer.save(running(0));
    writer.waitUntilWritten();
    QCOMPARE(writer.writesDone(), 1);
    // Ten ticks a second for 2.5 s: the clock moves, nothing else does.
    QElapsedTimer t;
    t.start();
    TimeValue used = 0;
    while (t.elapsed() < 2500) {
        used = tenthsToTime(t.elapsed() / 100);
        writer.save(running(used));
        QTest::qWait(100);
    }
    writer.waitUntilWritten();
    const int writes = writer.writesDone();
    const int expected = 1 + 2500 / JournalWriter::kClockIntervalMs;
    QVERIFY2(writes >= expected - 1 && writes <= expected + 1, qPrintable(QString::number(writes)));
    // What was written is never more than an interval behind the clock.
    const auto back = readBack(path);
    QVERIFY(back.has_value());
    QVERIFY(used - back->clocks[0].used <= JournalWriter::kClockIntervalMs * kTicksPerSecond / 1000);
    // A key while the clock runs is written at once, not a second later.
    game::GameState goal = running(used + 1000);
    goal.visitorDigits[0] = 1;
    const int before = writer.writesDone();
    writer.save(goal);
    QTRY_COMPARE_WITH_TIMEOUT(writer.writesDone(), before + 1, 500);
    QCOMPARE(readBack(path)->visitorDigits[0], 1);
}

void TestGameJournal::aClockOnlyChangeWritesTheClocksOfItsMoment() {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"game.json"_s);
    JournalWriter writer(path);
    TimeValue now = 0;
    writer.setCurrentState([&now] { return running(now); });
    writer.save(running(0));
    writer.waitUntilWritten();
    writer.save(running(1000)); // held for its interval
    now = 4000;                 // the engine has moved on meanwhile
    QTRY_COMPARE(writer.writesDone(), 2);
    QCOMPARE(readBack(path)->clocks[0].used, 4000);
}

void TestGameJournal::theLastStateIsWrittenAtTheEnd() {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"game.json"_s);
    {
        JournalWriter writer(path);
        writer.save(running(0));
        writer.save(running(5000)); // held for its second
    }
    QCOMPARE(readBack(path)->clocks[0].used, 5000);
}

void TestGameJournal::anUnwritableFolderIsToldOnceAndRetried() {
    QTemporaryDir dir;
    // A file where the journal's folder should be: no user, not even root, can write there.
    const QString blocker = dir.filePath(u"store"_s);
    {
        QFile f(blocker);
        QVERIFY(f.open(QIODevice::WriteOnly));
    }
    const QString path = blocker + u"/game.json"_s;
    JournalWriter writer(path);
    QSignalSpy failed(&writer, &JournalWriter::failed);
    QSignalSpy recovered(&writer, &JournalWriter::recovered);
    game::GameState s;
    s.periodDigits[0] = 1;
    writer.save(s);
    QTRY_COMPARE(failed.count(), 1);
    QVERIFY(!failed.at(0).at(0).toString().isEmpty());
    for (int p = 2; p <= 4; ++p) {
        s.periodDigits[0] = p;
        writer.save(s);
    }
    QTest::qWait(1500);
    QCOMPARE(failed.count(), 1); // told once, however many writes fail
    QVERIFY(QFile::remove(blocker));
    QVERIFY(QDir().mkpath(blocker));
    QTRY_COMPARE_WITH_TIMEOUT(recovered.count(), 1, 3000);
    writer.waitUntilWritten();
    QCOMPARE(readBack(path)->periodDigits[0], 4); // the newest state, not the first that failed
}

void TestGameJournal::filesSitBesideTheStore_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("journal");
    QTest::addColumn<QString>("lock");
    QTest::newRow("--settings FILE") << QStringList{u"rinkmaster"_s, u"--settings"_s, u"/srv/rink/a.ini"_s}
                                     << u"/srv/rink/a.ini.game.json"_s << u"/srv/rink/a.ini.instance.lock"_s;
    QTest::newRow("--settings=FILE") << QStringList{u"rinkmaster"_s, u"--settings=/srv/b.ini"_s}
                                     << u"/srv/b.ini.game.json"_s << u"/srv/b.ini.instance.lock"_s;
    const QString user = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    QTest::newRow("the user's store") << QStringList{u"rinkmaster"_s} << user + u"/Rinkmaster/Rinkmaster.game.json"_s
                                      << user + u"/Rinkmaster/Rinkmaster.instance.lock"_s;
}

void TestGameJournal::filesSitBesideTheStore() {
    QFETCH(QStringList, arguments);
    const auto files = gameFilesFor(arguments);
    QVERIFY(files.has_value());
    QTEST(files->journal, "journal");
    QTEST(files->lock, "lock");
    QCOMPARE(files->previous, files->journal + u".previous"_s);
    // A store kept in memory keeps no game.
    QVERIFY(!gameFilesFor({u"rinkmaster"_s, u"--settings"_s}).has_value());
}

void TestGameJournal::oneProgramPerStore() {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"x.ini.lock"_s);
    auto first = std::make_unique<GameLock>(path);
    QVERIFY(first->tryLock());
    GameLock second(path);
    QVERIFY(!second.tryLock());
    first.reset();
    QVERIFY(second.tryLock());
    QCOMPARE(GameLock::alreadyRunningMessage(), u"Rinkmaster is already running with these settings"_s);
}

void TestGameJournal::aLockLeftByAProgramThatHasGoneIsTakenOver() {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"x.ini.lock"_s);
    // A crashed holder: its process (started and ended here) no longer runs.
    QProcess gone;
    gone.start(u"true"_s);
    QVERIFY(gone.waitForFinished());
    const qint64 pid = gone.processId() > 0 ? gone.processId() : 999'999;
    {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QByteArray::number(pid) + "\nrinkmaster\n" + QSysInfo::machineHostName().toUtf8() + "\n");
    }
    GameLock lock(path);
    QVERIFY(lock.tryLock());
}

QTEST_GUILESS_MAIN(TestGameJournal)
#include "tst_gamejournal.moc"
