#include "BoardFixture.h"
#include "help/HelpWindow.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QPointer>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextBrowser>
#include <QWindow>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

const QString kMissing = u"Help file has been moved from its normal location.  Please reinstall the program."_s;

// The help file as shipped, straight from the source tree.
QString assetsFolder() {
    return qEnvironmentVariable("RINKMASTER_TEST_DATA") + u"/../../assets"_s;
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

TimeValue sec(int seconds) {
    return secondsToTime(seconds);
}

QTextBlock blockStartingWith(const QTextDocument* doc, const QString& start, const QTextBlock& from = {}) {
    for (QTextBlock block = from.isValid() ? from : doc->begin(); block.isValid(); block = block.next())
        if (block.text().startsWith(start))
            return block;
    return {};
}

} // namespace

class TestHelpWindow : public QObject {
    Q_OBJECT
private slots:
    void opensAsDesigned();
    void missingFileShowsTheMessage_data();
    void missingFileShowsTheMessage();
    void damagedFileShowsWhyItCannotBeShown_data();
    void damagedFileShowsWhyItCannotBeShown();
    void unreadableFileShowsWhyItCannotBeShown();
    void helpFileLoadsWithItsHeadings();
    void helpFileNamesEveryCommandKeyWithItsDefault();
    void readsTheProgramFolderByDefault();
    void textCannotBeEdited();
    void snapsToTheSmallestSize_data();
    void snapsToTheSmallestSize();
    void snapsBackWhenShrunkFromOutside_data();
    void snapsBackWhenShrunkFromOutside();
    void fitsTheTextBoxOnResize_data();
    void fitsTheTextBoxOnResize();
    void minimiseAndRestoreKeepTheBoxFitted();
    void showHelpKeepsOneWindowOpen();
    void helpFileTellsWhatIsKeptAndWhere_data();
    void helpFileTellsWhatIsKeptAndWhere();
    void commandKeysReachTheBoard_data();
    void commandKeysReachTheBoard();
};

void TestHelpWindow::opensAsDesigned() {
    QTemporaryDir folder;
    HelpWindow window(folder.path());
    QCOMPARE(window.windowTitle(), u"Rinkmaster Help"_s);
    QVERIFY(window.isWindow());
    QCOMPARE(window.windowModality(), Qt::NonModal);
    QVERIFY(!window.testAttribute(Qt::WA_QuitOnClose));
    // 11055 x 9270 twips at 15 twips to the pixel.
    QCOMPARE(window.size(), QSize(737, 618));
    QCOMPARE(window.rtbHelp->objectName(), u"rtbHelp"_s);
    QCOMPARE(window.rtbHelp->geometry(), QRect(8, 0, 729, 618));
    QVERIFY(!window.rtbHelp->openLinks());
    QVERIFY(!window.rtbHelp->openExternalLinks());
}

void TestHelpWindow::missingFileShowsTheMessage_data() {
    QTest::addColumn<QString>("what");
    QTest::newRow("no file") << u"none"_s;
    QTest::newRow("renamed") << u"renamed"_s;
    QTest::newRow("a folder in its place") << u"folder"_s;
    QTest::newRow("folder itself missing") << u"nofolder"_s;
}

void TestHelpWindow::missingFileShowsTheMessage() {
    QFETCH(QString, what);
    QTemporaryDir dir;
    QString folder = dir.path();
    if (what == u"renamed"_s)
        writeFile(QDir(folder).filePath(u"rinkmasterhelpfile.rtf.old"_s), "{\\rtf1 old help}");
    else if (what == u"folder"_s)
        QVERIFY(QDir(folder).mkdir(u"rinkmasterhelpfile.rtf"_s));
    else if (what == u"nofolder"_s)
        folder = QDir(folder).filePath(u"gone"_s);

    HelpWindow window(folder);
    window.show();
    QCOMPARE(window.rtbHelp->toPlainText(), kMissing);
}

void TestHelpWindow::damagedFileShowsWhyItCannotBeShown_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("reason");
    QTest::newRow("plain text") << QByteArray("Just some notes") << u"not a rich-text document"_s;
    QTest::newRow("empty") << QByteArray() << u"not a rich-text document"_s;
    QTest::newRow("too large") << (QByteArray("{\\rtf1 ") + QByteArray(qsizetype{8} * 1024 * 1024, 'x'))
                               << u"too large"_s;
}

void TestHelpWindow::damagedFileShowsWhyItCannotBeShown() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    writeFile(HelpWindow::helpFilePath(dir.path()), bytes);
    HelpWindow window(dir.path());
    const QString text = window.rtbHelp->toPlainText();
    QVERIFY2(text.startsWith(u"The help file cannot be shown."_s), qPrintable(text));
    QVERIFY2(text.contains(reason), qPrintable(text));
    QVERIFY(text.endsWith(u"Please reinstall the program."_s));
}

void TestHelpWindow::unreadableFileShowsWhyItCannotBeShown() {
    QTemporaryDir dir;
    const QString path = HelpWindow::helpFilePath(dir.path());
    writeFile(path, "{\\rtf1 secret}");
    QVERIFY(QFile::setPermissions(path, QFileDevice::Permissions()));
    QFile probe(path);
    if (probe.open(QIODevice::ReadOnly))
        QSKIP("this account reads files whatever their permissions");
    HelpWindow window(dir.path());
    const QString text = window.rtbHelp->toPlainText();
    QVERIFY2(text.startsWith(u"The help file could not be opened"_s), qPrintable(text));
    QVERIFY(!text.contains(u"secret"_s));
}

void TestHelpWindow::helpFileLoadsWithItsHeadings() {
    QVERIFY2(QFile::exists(HelpWindow::helpFilePath(assetsFolder())), qPrintable(assetsFolder()));
    HelpWindow window(assetsFolder());
    const QTextDocument* doc = window.rtbHelp->document();
    const QString text = doc->toPlainText();
    QVERIFY2(!text.contains(QLatin1Char('\\')) && !text.contains(QLatin1Char('{')), "control words leaked");
    QVERIFY(!text.contains(kMissing));

    const QTextBlock title = doc->begin();
    QCOMPARE(title.text(), u"Rinkmaster Help"_s);
    QCOMPARE(title.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    const QTextCharFormat titleFormat = title.begin().fragment().charFormat();
    QCOMPARE(titleFormat.fontWeight(), int(QFont::Bold));

    const QTextBlock body = blockStartingWith(doc, u"Rinkmaster shows"_s);
    QVERIFY(body.isValid());
    const qreal bodySize = body.begin().fragment().charFormat().fontPointSize();
    QVERIFY(titleFormat.fontPointSize() > bodySize);

    const QStringList headings{u"Starting the program"_s,
                               u"The board and its fields"_s,
                               u"Selecting a field"_s,
                               u"Scores and the period"_s,
                               u"The game clock"_s,
                               u"Setting the game time"_s,
                               u"Running the clock"_s,
                               u"Penalties"_s,
                               u"Command keys"_s,
                               u"Goal lights"_s,
                               u"Options"_s,
                               u"NumLock"_s,
                               u"Tips for running a game"_s,
                               u"Troubleshooting"_s};
    for (const QString& heading : headings) {
        const QTextBlock block = blockStartingWith(doc, heading);
        QVERIFY2(block.isValid() && block.text() == heading, qPrintable(heading));
        const QTextCharFormat format = block.begin().fragment().charFormat();
        QVERIFY2(format.fontWeight() == QFont::Bold, qPrintable(heading));
        QVERIFY2(format.fontPointSize() > bodySize, qPrintable(heading));
    }

    // Bullet items come with their bullet, lined up by the hanging indent.
    const QTextBlock bullet = blockStartingWith(doc, u"\u2022\tTab moves"_s);
    QVERIFY(bullet.isValid());
    QVERIFY(bullet.blockFormat().textIndent() < 0);
}

void TestHelpWindow::helpFileNamesEveryCommandKeyWithItsDefault() {
    HelpWindow window(assetsFolder());
    const QTextDocument* doc = window.rtbHelp->document();
    const QTextBlock section = blockStartingWith(doc, u"Command keys"_s);
    QVERIFY(section.isValid());
    const QList<QPair<QString, QString>> keys{{u"S\t"_s, u"Start / Stop Clock"_s},
                                              {u"R\t"_s, u"Reset Clock"_s},
                                              {u"Delete\t"_s, u"Clear Key"_s},
                                              {u"C\t"_s, u"Game / Clock Switch"_s},
                                              {u"I\t"_s, u"Start / Stop Penalty Clock"_s},
                                              {u"B\t"_s, u"Buzzer"_s},
                                              {u"G\t"_s, u"Horn"_s},
                                              {u"F1\t"_s, u"help"_s},
                                              {u"F2\t"_s, u"Options"_s}};
    for (const auto& [key, action] : keys) {
        const QTextBlock row = blockStartingWith(doc, key, section);
        QVERIFY2(row.isValid(), qPrintable(key));
        QVERIFY2(row.text().contains(action), qPrintable(row.text()));
    }
}

void TestHelpWindow::readsTheProgramFolderByDefault() {
    // The build copies the help file next to the programs, tests included.
    const QString programFolder = QCoreApplication::applicationDirPath();
    if (!QFile::exists(HelpWindow::helpFilePath(programFolder)))
        QSKIP("no help file in this program folder");
    HelpWindow window;
    QCOMPARE(window.rtbHelp->document()->begin().text(), u"Rinkmaster Help"_s);
}

void TestHelpWindow::textCannotBeEdited() {
    HelpWindow window(assetsFolder());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QString before = window.rtbHelp->toPlainText();
    QVERIFY(window.rtbHelp->isReadOnly());
    QTest::keyClicks(window.rtbHelp, u"typed"_s);
    QTest::keyClick(window.rtbHelp, Qt::Key_Delete);
    QCOMPARE(window.rtbHelp->toPlainText(), before);
}

void TestHelpWindow::snapsToTheSmallestSize_data() {
    // Outer window sizes, frame included, as the scorekeeper drags them. 2700 x 1700 twips is 180 x 113.3 pixels,
    // rounded up.
    QTest::addColumn<QSize>("asked");
    QTest::addColumn<QSize>("expected");
    QTest::newRow("far too small") << QSize(20, 20) << QSize(180, 114);
    QTest::newRow("too narrow") << QSize(100, 500) << QSize(180, 500);
    QTest::newRow("too low") << QSize(500, 100) << QSize(500, 114);
    QTest::newRow("just the smallest") << QSize(180, 114) << QSize(180, 114);
    QTest::newRow("large enough") << QSize(900, 700) << QSize(900, 700);
}

void TestHelpWindow::snapsToTheSmallestSize() {
    QFETCH(QSize, asked);
    QFETCH(QSize, expected);
    QTemporaryDir folder;
    HelpWindow window(folder.path());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QSize frame = window.frameGeometry().size() - window.size();
    window.resize(asked - frame);
    QCOMPARE(window.frameGeometry().size(), expected);
    QCOMPARE(window.rtbHelp->geometry(), QRect(8, 0, window.width() - 8, window.height()));
}

void TestHelpWindow::snapsBackWhenShrunkFromOutside_data() {
    // Without a window manager nothing holds the window to its smallest size: another program can shrink it
    // below, and the window grows back itself.
    QTest::addColumn<QSize>("shrunk");
    QTest::addColumn<QSize>("expected");
    QTest::newRow("far too small") << QSize(20, 20) << QSize(180, 114);
    QTest::newRow("too narrow") << QSize(100, 500) << QSize(180, 500);
    QTest::newRow("too low") << QSize(500, 100) << QSize(500, 114);
    QTest::newRow("large enough") << QSize(400, 300) << QSize(400, 300);
}

void TestHelpWindow::snapsBackWhenShrunkFromOutside() {
    QFETCH(QSize, shrunk);
    QFETCH(QSize, expected);
    QTemporaryDir folder;
    HelpWindow window(folder.path());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QSize frame = window.frameGeometry().size() - window.size();
    // The platform window is resized directly, as an outside program would, past the widget's own limits.
    window.windowHandle()->setGeometry(QRect(window.geometry().topLeft(), shrunk - frame));
    QTRY_COMPARE(window.frameGeometry().size(), expected);
    QTRY_COMPARE(window.windowHandle()->geometry().size(), expected - frame);
    QCOMPARE(window.rtbHelp->geometry(), QRect(8, 0, window.width() - 8, window.height()));
}

void TestHelpWindow::fitsTheTextBoxOnResize_data() {
    QTest::addColumn<QSize>("size");
    QTest::newRow("designed") << QSize(737, 618);
    QTest::newRow("wider") << QSize(1200, 618);
    QTest::newRow("taller") << QSize(737, 1000);
    QTest::newRow("smaller") << QSize(300, 200);
}

void TestHelpWindow::fitsTheTextBoxOnResize() {
    QFETCH(QSize, size);
    HelpWindow window(assetsFolder());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.resize(size);
    QCOMPARE(window.rtbHelp->geometry(), QRect(8, 0, size.width() - 8, size.height()));
    // The text wraps inside the box: no line runs past its right edge.
    QCOMPARE(window.rtbHelp->horizontalScrollBar()->maximum(), 0);
}

void TestHelpWindow::minimiseAndRestoreKeepTheBoxFitted() {
    HelpWindow window(assetsFolder());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.resize(800, 500);
    window.showMinimized();
    QTRY_VERIFY(window.isMinimized());
    window.resize(640, 480);
    window.showNormal();
    QTRY_VERIFY(!window.isMinimized());
    QCOMPARE(window.rtbHelp->geometry(), QRect(8, 0, window.width() - 8, window.height()));
    QVERIFY(window.frameGeometry().width() >= 180 && window.frameGeometry().height() >= 114);
}

void TestHelpWindow::showHelpKeepsOneWindowOpen() {
    QTemporaryDir folder;
    QPointer<HelpWindow> first = HelpWindow::showHelp(folder.path());
    QVERIFY(first);
    QVERIFY(first->isVisible());
    QCOMPARE(first->rtbHelp->toPlainText(), kMissing);
    QCOMPARE(HelpWindow::showHelp(folder.path()), first.data());

    // Closing unloads the window; the next request builds and loads a new one.
    first->close();
    QTRY_VERIFY(first.isNull());
    writeFile(HelpWindow::helpFilePath(folder.path()), "{\\rtf1 Now here}");
    QPointer<HelpWindow> second = HelpWindow::showHelp(folder.path());
    QVERIFY(second);
    QCOMPARE(second->rtbHelp->toPlainText(), u"Now here"_s);
    second->close();
    QTRY_VERIFY(second.isNull());
}

void TestHelpWindow::helpFileTellsWhatIsKeptAndWhere_data() {
    QTest::addColumn<QString>("phrase");
    QTest::addColumn<bool>("said");
    QTest::newRow("the game is resumed") << u"resume the game in progress"_s << true;
    QTest::newRow("nothing starts afresh") << u"start afresh"_s << false;
    QTest::newRow("reset goes to the last time typed") << u"last time you typed into the game clock"_s << true;
    QTest::newRow("installed data folder") << u"/usr/share/rinkmaster"_s << true;
    QTest::newRow("beside the program") << u"../share/rinkmaster"_s << true;
    QTest::newRow("keys from the start-up window") << u"press Enter or Space"_s << true;
    QTest::newRow("keys while the help is open") << u"still work on the board"_s << true;
}

void TestHelpWindow::helpFileTellsWhatIsKeptAndWhere() {
    QFETCH(QString, phrase);
    QFETCH(bool, said);
    HelpWindow window(assetsFolder());
    const QString text = window.rtbHelp->document()->toPlainText().simplified();
    QVERIFY2(text.contains(phrase) == said, qPrintable(phrase));
}

void TestHelpWindow::commandKeysReachTheBoard_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("expect");
    QTest::addColumn<bool>("taken");
    QTest::newRow("start/stop starts") << int(Qt::Key_S) << u"TimeBack"_s << u"game runs"_s << true;
    QTest::newRow("start/stop stops") << int(Qt::Key_S) << u"TimeBack"_s << u"game stopped at 9:55"_s << true;
    QTest::newRow("reset") << int(Qt::Key_R) << u"TimeBack"_s << u"back to 10:00"_s << true;
    QTest::newRow("clock switch") << int(Qt::Key_C) << u"HomeBack"_s << u"time of day"_s << true;
    QTest::newRow("buzzer") << int(Qt::Key_B) << u"TimeBack"_s << u"buzzer"_s << true;
    QTest::newRow("horn") << int(Qt::Key_G) << u"PeriodBack"_s << u"horn"_s << true;
    QTest::newRow("independent clock") << int(Qt::Key_I) << u"PenaltyTH1"_s << u"penalty runs"_s << true;
    QTest::newRow("a digit stays in the help") << int(Qt::Key_5) << u"TimeBack"_s << u"nothing"_s << false;
    QTest::newRow("the clear key stays") << int(Qt::Key_Delete) << u"PenaltyTH1"_s << u"nothing"_s << false;
    QTest::newRow("F2 stays") << int(Qt::Key_F2) << u"TimeBack"_s << u"nothing"_s << false;
    QTest::newRow("F1 stays") << int(Qt::Key_F1) << u"TimeBack"_s << u"nothing"_s << false;
    QTest::newRow("an arrow stays") << int(Qt::Key_Down) << u"TimeBack"_s << u"nothing"_s << false;
}

void TestHelpWindow::commandKeysReachTheBoard() {
    QFETCH(int, key);
    QFETCH(QString, field);
    QFETCH(QString, expect);
    QFETCH(bool, taken);
    SettingsVariables s = boardDefaults();
    // Any existing file will do for the fake sound devices.
    s.BuzzerFile = QCoreApplication::applicationFilePath().toStdString();
    s.HornFile = s.BuzzerFile;
    BoardFixture f(s);
    f.show();
    f.focus(f.field("PenaltyTH1"));
    f.type(u"2\n"_s);
    f.focus(f.field(field.toLatin1().constData()));
    if (expect == u"game stopped at 9:55"_s || expect == u"back to 10:00"_s) {
        f.type(u"s"_s);
        f.clock.advance(5'000);
    }
    const QString clockBefore = f.gameClock();
    QList<bool> answers;
    QTemporaryDir folder;
    HelpWindow help(folder.path());
    help.setKeyPassOn([&f, &answers](int keyCode) {
        answers.append(f.board->takeCommandKey(keyCode));
        return answers.back();
    });
    help.show();
    help.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&help));
    QWidget* target = QApplication::focusWidget() != nullptr ? QApplication::focusWidget() : &help;
    QCOMPARE(target->window(), &help);
    QTest::keyClick(target, static_cast<Qt::Key>(key));
    QCOMPARE(answers, QList<bool>{taken});
    QCoreApplication::processEvents();
    if (expect == u"game runs"_s) {
        QVERIFY(f.engine.isClockRunning(0) != 0);
    } else if (expect == u"game stopped at 9:55"_s) {
        QCOMPARE(f.engine.isClockRunning(0), std::int16_t{0});
        QCOMPARE(f.engine.clockValue(0), sec(595));
        QCOMPARE(f.gameClock(), u"-955"_s);
    } else if (expect == u"back to 10:00"_s) {
        QCOMPARE(f.engine.isClockRunning(0), std::int16_t{0});
        QCOMPARE(f.engine.clockValue(0), sec(600));
    } else if (expect == u"time of day"_s) {
        QVERIFY(f.board->showsTimeOfDay());
    } else if (expect == u"buzzer"_s) {
        QVERIFY(f.buzzer.commands().contains(u"Play"_s));
    } else if (expect == u"horn"_s) {
        QVERIFY(f.horn.commands().contains(u"Play"_s));
    } else if (expect == u"penalty runs"_s) {
        QVERIFY(f.engine.isClockRunning(1) != 0);
        QCOMPARE(f.engine.isClockRunning(0), std::int16_t{0});
    } else {
        QCOMPARE(f.engine.isClockRunning(0), std::int16_t{0});
        QCOMPARE(f.gameClock(), clockBefore);
        QCOMPARE(f.penalty(1), u"200"_s);
        QCOMPARE(f.optionsOpened + f.helpOpened, 0);
        QVERIFY(f.engine.entryText.empty());
    }
}

QTEST_MAIN(TestHelpWindow)
#include "tst_helpwindow.moc"
