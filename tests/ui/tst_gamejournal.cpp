#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>
#ifndef Q_OS_WIN
#include <sys/stat.h>
#include <unistd.h>
#endif

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
    void aRunningClockIsWrittenOnceASecond();
    void aChangeAndTheTickAfterItAreOneWrite();
    void aFailedWriteKeepsTheOldJournal();
    void aClocksProgressIsWrittenInPlace();
    void neverThroughALinkNorOntoAPipe();
    void aFolderOthersCanChangeIsRefused();
    void eachSetAsideGameKeepsItsOwnName();
    void oneStoreByTwoNamesHasOneLock();
    void anEmptyOrGarbageLockIsStale();
    void aLockThatCannotBeMadeIsTold();
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

void TestGameJournal::aRunningClockIsWrittenOnceASecond() {
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
    // The start, one that puts the journal on the ticks' grid, then one a second.
    const int expected = 2 + 2500 / JournalWriter::kClockIntervalMs;
    QVERIFY2(writes >= expected - 1 && writes <= expected + 1, qPrintable(QString::number(writes)));
    // What was written is never more than an interval behind the clock.
    const auto back = readBack(path);
    QVERIFY(back.has_value());
    QVERIFY(used - back->clocks[0].used <= JournalWriter::kClockIntervalMs * kTicksPerSecond / 1000);
    // A key while the clock runs is written at once, not a second later.
    game::GameState goal = running(used + 1000);
    goal.visitorDigits[0] = 1;
    const int before = writer.writesDone();
    // The clock's progress went to disk without a sync (the last one, at the wait above, may have had one).
    const int syncs = writer.syncsDone();
    QVERIFY2(syncs <= 2, qPrintable(QString::number(syncs)));
    writer.save(goal);
    QTRY_COMPARE_WITH_TIMEOUT(writer.writesDone(), before + 1, 500);
    QCOMPARE(readBack(path)->visitorDigits[0], 1);
    // A change of the game is synced.
    QTRY_COMPARE(writer.syncsDone(), syncs + 1);
    // Stopped: the clock's timer no longer runs, and nothing more is written.
    game::GameState stopped = goal;
    stopped.clocks[0].running = false;
    writer.save(stopped);
    writer.waitUntilWritten();
    QVERIFY(!writer.clockTimerArmed());
    const int afterStop = writer.writesDone();
    QTest::qWait(1300);
    QCOMPARE(writer.writesDone(), afterStop);
    QCOMPARE(writer.syncsDone(), syncs + 2);
}

void TestGameJournal::aChangeAndTheTickAfterItAreOneWrite() {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"game.json"_s);
    JournalWriter writer(path);
    writer.save(running(0));
    writer.waitUntilWritten();
    QTest::qWait(JournalWriter::kClockIntervalMs + 100);
    const int before = writer.writesDone();
    // A goal, then a millisecond later the tick that draws the clock: the goal is written, the tick waits for
    // the clock's second.
    game::GameState goal = running(tenthsToTime(11));
    goal.homeDigits[0] = 1;
    writer.save(goal);
    game::GameState tick = goal;
    tick.clocks[0].used += tenthsToTime(1);
    tick.timeDigits = {0, 9, 5, 8};
    writer.save(tick);
    QTest::qWait(300);
    QCOMPARE(writer.writesDone(), before + 1);
    QTRY_COMPARE_WITH_TIMEOUT(writer.writesDone(), before + 2, 2 * JournalWriter::kClockIntervalMs);
    QCOMPARE(readBack(path)->clocks[0].used, tick.clocks[0].used);
}

void TestGameJournal::aFailedWriteKeepsTheOldJournal() {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"game.json"_s);
    JournalWriter writer(path);
    QSignalSpy failed(&writer, &JournalWriter::failed);
    QSignalSpy recovered(&writer, &JournalWriter::recovered);
    game::GameState s;
    s.homeDigits[0] = 3;
    writer.save(s);
    writer.waitUntilWritten();
    const QByteArray old = [&path] {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }();
    QVERIFY(!old.isEmpty());
    // The disk fills up: every write fails as on a full file system.
    std::atomic<bool> full{true};
    JournalWriter::setWriteFault([&full] { return full.load(); });
    for (int goal = 4; goal <= 6; ++goal) {
        s.homeDigits[0] = goal;
        writer.save(s);
    }
    QTRY_COMPARE(failed.count(), 1);
    QVERIFY2(failed.at(0).at(0).toString().contains(u"space"_s), qPrintable(failed.at(0).at(0).toString()));
    QTest::qWait(1200);
    QCOMPARE(failed.count(), 1); // told once
    {
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), old); // the old journal, whole
    }
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{u"game.json"_s});
    full = false;
    QTRY_COMPARE_WITH_TIMEOUT(recovered.count(), 1, 3000);
    JournalWriter::setWriteFault({});
    writer.waitUntilWritten();
    QCOMPARE(readBack(path)->homeDigits[0], 6);
}

void TestGameJournal::aClocksProgressIsWrittenInPlace() {
#ifdef Q_OS_WIN
    QSKIP("the journal is always replaced whole on Windows");
#else
    QTemporaryDir dir;
    const QString path = dir.filePath(u"game.json"_s);
    JournalWriter writer(path);
    writer.setWallClock([] { return std::int64_t{1'796'674'507'000}; });
    QSignalSpy failed(&writer, &JournalWriter::failed);
    writer.save(running(10'000));
    writer.waitUntilWritten();
    // The same document but for the clock's digits: written over the journal where it lies.
    writer.save(running(20'000));
    QTRY_COMPARE_WITH_TIMEOUT(writer.writesDone(), 2, 2 * JournalWriter::kClockIntervalMs);
    QCOMPARE(writer.inPlaceWrites(), 1);
    QCOMPARE(writer.syncsDone(), 1);
    QCOMPARE(readBack(path)->clocks[0].used, 20'000);
    // One more digit: the document is longer, so it replaces the journal whole.
    writer.save(running(120'000));
    QTRY_COMPARE_WITH_TIMEOUT(writer.writesDone(), 3, 2 * JournalWriter::kClockIntervalMs);
    QCOMPARE(writer.inPlaceWrites(), 1);
    QCOMPARE(readBack(path)->clocks[0].used, 120'000);
    // A link put in the journal's place is not written through, not even in place.
    const QString theirs = dir.filePath(u"theirs.txt"_s);
    {
        QFile f(theirs);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("private\n");
    }
    QVERIFY(QFile::remove(path));
    QVERIFY(QFile::link(theirs, path));
    writer.save(running(130'000));
    QTRY_COMPARE_WITH_TIMEOUT(failed.count(), 1, 2 * JournalWriter::kClockIntervalMs);
    QFile f(theirs);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), QByteArray("private\n"));
#endif
}

void TestGameJournal::neverThroughALinkNorOntoAPipe() {
#ifdef Q_OS_WIN
    QSKIP("links and pipes as the journal are a POSIX matter");
#else
    QTemporaryDir dir;
    QTemporaryDir elsewhere;
    // Somebody's file, and a link to it under the journal's name.
    const QString theirs = elsewhere.filePath(u"theirs.txt"_s);
    {
        QFile f(theirs);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("private\n");
    }
    const QString path = dir.filePath(u"game.json"_s);
    QVERIFY(QFile::link(theirs, path));
    {
        JournalWriter writer(path);
        QSignalSpy failed(&writer, &JournalWriter::failed);
        game::GameState s;
        s.periodDigits[0] = 2;
        writer.save(s);
        QTRY_COMPARE(failed.count(), 1);
        QVERIFY2(failed.at(0).at(0).toString().contains(u"link"_s), qPrintable(failed.at(0).at(0).toString()));
    }
    QVERIFY(QFileInfo(path).isSymLink());
    QFile f(theirs);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), QByteArray("private\n"));
    QCOMPARE(readGameFile(path, 1000).text.has_value(), false);
    QVERIFY(readGameFile(path, 1000).problem.contains(u"link"_s));

    // A pipe under the journal's name: neither reading nor writing waits for it.
    const QString pipe = dir.filePath(u"pipe.json"_s);
    QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    QElapsedTimer t;
    t.start();
    const GameFileText read = readGameFile(pipe, 1000);
    QVERIFY(!read.text && !read.missing);
    QVERIFY(!read.problem.isEmpty());
    QString error;
    QVERIFY(!JournalWriter::writeDurably(pipe, "{}", true, &error));
    QVERIFY2(error.contains(u"plain file"_s), qPrintable(error));
    QVERIFY(t.elapsed() < 1000);
    QVERIFY(readGameFile(dir.filePath(u"none.json"_s), 1000).missing);
#endif
}

void TestGameJournal::aFolderOthersCanChangeIsRefused() {
#ifdef Q_OS_WIN
    QSKIP("owners and permission bits are a POSIX matter");
#else
    QTemporaryDir dir;
    const QString folder = dir.filePath(u"shared"_s);
    QVERIFY(QDir().mkpath(folder));
    const QByteArray name = QFile::encodeName(folder);
    const QString path = folder + u"/game.json"_s;
    QString error;
    QCOMPARE(::chmod(name.constData(), 0777), 0);
    QVERIFY(!JournalWriter::writeDurably(path, "{}", true, &error));
    QVERIFY2(error.contains(u"other users"_s), qPrintable(error));
    QVERIFY(!QFileInfo::exists(path));
    // Sticky and the user's own: nobody else can replace the user's files in it, but a link is still refused.
    QCOMPARE(::chmod(name.constData(), 01777), 0);
    QVERIFY2(JournalWriter::writeDurably(path, "{}", true, &error), qPrintable(error));
    QVERIFY(QFile::remove(path));
    QVERIFY(QFile::link(dir.filePath(u"elsewhere"_s), path));
    QVERIFY(!JournalWriter::writeDurably(path, "{}", false, &error));
    QVERIFY(!QFileInfo::exists(dir.filePath(u"elsewhere"_s)));
#endif
}

void TestGameJournal::eachSetAsideGameKeepsItsOwnName() {
    QTemporaryDir dir;
    const GameFiles files = gameFilesBeside(dir.filePath(u"a.ini"_s));
    const QDateTime at(QDate(2026, 12, 7), QTime(16, 15, 0));
    QCOMPARE(files.setAsideName(at), files.journal + u".previous-20261207-161500"_s);
    for (int i = 0; i < 2; ++i) {
        QFile f(files.setAsideName(at));
        QVERIFY(f.open(QIODevice::WriteOnly));
    }
    QCOMPARE(files.setAsideName(at), files.journal + u".previous-20261207-161500-3"_s);
    QVERIFY(QFileInfo::exists(files.journal + u".previous-20261207-161500-2"_s));
}

void TestGameJournal::oneStoreByTwoNamesHasOneLock() {
    QTemporaryDir dir;
    QVERIFY(QDir().mkpath(dir.filePath(u"real"_s)));
    QVERIFY(QFile::link(dir.filePath(u"real"_s), dir.filePath(u"other"_s)));
    {
        QFile f(dir.filePath(u"real/a.ini"_s));
        QVERIFY(f.open(QIODevice::WriteOnly));
    }
    QVERIFY(QFile::link(dir.filePath(u"real/a.ini"_s), dir.filePath(u"b.ini"_s)));
    const GameFiles direct = gameFilesBeside(dir.filePath(u"real/a.ini"_s));
    QCOMPARE(gameFilesBeside(dir.filePath(u"other/a.ini"_s)).lock, direct.lock);
    QCOMPARE(gameFilesBeside(dir.filePath(u"b.ini"_s)).lock, direct.lock);
    QCOMPARE(gameFilesBeside(dir.filePath(u"other/a.ini"_s)).journal, direct.journal);
    GameLock first(direct.lock);
    QVERIFY(first.tryLock());
    GameLock second(gameFilesBeside(dir.filePath(u"other/a.ini"_s)).lock);
    QVERIFY(!second.tryLock());
}

void TestGameJournal::anEmptyOrGarbageLockIsStale() {
    for (const QByteArray& left :
         {QByteArray(), QByteArray("\0\0\0\0"), QByteArray("garbage\n"), QByteArray("-5\nrinkmaster\n")}) {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"x.ini.instance.lock"_s);
        {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(left);
        }
        GameLock lock(path);
        QVERIFY2(lock.tryLock(), left.constData());
        QVERIFY(lock.problem().isEmpty());
        // Taken for real: a second program is kept out.
        GameLock second(path);
        QVERIFY(!second.tryLock());
    }
}

void TestGameJournal::aLockThatCannotBeMadeIsTold() {
    QTemporaryDir dir;
    // A name longer than any file system takes: the lock cannot be made, even by the administrator.
    const QString path = dir.filePath(QString(300, u'x') + u".instance.lock"_s);
    GameLock lock(path);
    QVERIFY(lock.tryLock()); // the run goes on
    QVERIFY(!lock.problem().isEmpty());
    QVERIFY(lock.problem().contains(u"only program"_s));
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
    QVERIFY(files->setAsideName(QDateTime::currentDateTime()).startsWith(files->journal + u".previous-"_s));
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
