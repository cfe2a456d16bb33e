#include <QBuffer>
#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include "game/GameReportPdf.h"

// The report as PDF: a real PDF with as many pages as the tables need, its text read back by pdftotext, record
// text drawn as it was typed (never as markup), and an existing report kept unless the caller says otherwise.
class TestGameReportPdf : public QObject {
    Q_OBJECT

private:
    static GameReport reportWith(int penalties) {
        GameRecord record;
        RecordHeader h;
        h.date = "2026-12-07";
        h.gameNumber = "12";
        h.homeTeam = "<b>Lakers</b>";
        h.visitorTeam = "Hawks";
        h.referees = {"Anna Berger"};
        record.append(h);
        record.append(RecordGoal{{1, secondsToTime(600)}, Team::Home, 17, {4, 22}, "", false});
        for (int i = 0; i < penalties; ++i) {
            RecordPenalty p;
            p.at = {1 + i % 3, secondsToTime(1100 - i)};
            p.team = i % 2 == 0 ? Team::Home : Team::Visitor;
            p.player = 1 + i % 99;
            p.infraction = "Interference";
            if (i + 2 >= penalties) { // the table's last two rows
                p.at = {3, secondsToTime(penalties - i)};
                p.infraction = i + 1 == penalties ? "Lastone" : "Nextlast";
            }
            p.start = p.at;
            record.append(p);
        }
        for (const int minutes : {11, 12, 13}) // elapsed 11:11, 12:12, 13:13
            record.append(RecordTimeout{{1, secondsToTime(1200 - minutes * 61)}, Team::Visitor});
        return makeGameReport(record);
    }

    // The page (from 0) whose text holds `what`; -1 when none does.
    static int pageOf(const QStringList& pages, const QString& what) {
        for (qsizetype i = 0; i < pages.size(); ++i)
            if (pages[i].contains(what))
                return static_cast<int>(i);
        return -1;
    }

    static QString textOf(const QByteArray& pdf) {
        const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
        if (tool.isEmpty())
            return {};
        QTemporaryDir dir;
        QFile file(dir.filePath(QStringLiteral("r.pdf")));
        if (!file.open(QIODevice::WriteOnly))
            return {};
        file.write(pdf);
        file.close();
        QProcess p;
        p.start(tool, {QStringLiteral("-layout"), file.fileName(), QStringLiteral("-")});
        p.waitForFinished(30000);
        return QString::fromUtf8(p.readAllStandardOutput());
    }

    static int pageObjects(const QByteArray& pdf) {
        int pages = 0;
        for (qsizetype at = pdf.indexOf("/Type /Page"); at >= 0; at = pdf.indexOf("/Type /Page", at + 1))
            if (pdf.mid(at + 11, 1) != "s")
                ++pages;
        return pages;
    }

private slots:
    void shortGameIsOnePage() {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        const GameReportPdfResult result = writeGameReportPdf(reportWith(3), buffer);
        QVERIFY(result.ok);
        QCOMPARE(result.pages, 1);
        QVERIFY(buffer.data().startsWith("%PDF-"));
        QCOMPARE(pageObjects(buffer.data()), 1);

        const QString text = textOf(buffer.data());
        QVERIFY2(!text.isEmpty(), "pdftotext (poppler-utils, installed by tools/dev.sh) read nothing");
        QVERIFY(text.contains(QStringLiteral("Official game report")));
        QVERIFY(text.contains(QStringLiteral("<b>Lakers</b>"))); // plain text, not markup
        QVERIFY(text.contains(QStringLiteral("Interference")));
        QVERIFY(text.contains(QStringLiteral("Anna Berger")));
        QVERIFY(text.contains(QStringLiteral("Referee")));
    }

    void longTablesBreakOntoMorePages() {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        const GameReportPdfResult result = writeGameReportPdf(reportWith(150), buffer);
        QVERIFY(result.ok);
        QVERIFY2(result.pages >= 3, qPrintable(QString::number(result.pages)));
        QCOMPARE(pageObjects(buffer.data()), result.pages);
        const QString text = textOf(buffer.data());
        QVERIFY(text.contains(QStringLiteral("Page %1 of %1").arg(result.pages)));
        // The penalties' heading row repeats on each page the table runs onto.
        QVERIFY(text.count(QStringLiteral("Infraction")) >= 2);
    }

    void shortTablesStayWholeAndNoLastRowIsAlone() {
        // As many penalties as move the later tables through every place on a page.
        for (int penalties = 2; penalties <= 60; ++penalties) {
            QBuffer buffer;
            buffer.open(QIODevice::WriteOnly);
            QVERIFY(writeGameReportPdf(reportWith(penalties), buffer).ok);
            const QStringList pages = textOf(buffer.data()).split(QLatin1Char('\f'));
            const QString where = QStringLiteral("%1 penalties").arg(penalties);
            const int timeouts = pageOf(pages, QStringLiteral("Timeouts"));
            QVERIFY2(timeouts >= 0, qPrintable(where));
            for (const char* time : {"11:11", "12:12", "13:13"})
                QVERIFY2(pageOf(pages, QLatin1String(time)) == timeouts, qPrintable(where));
            QVERIFY2(pageOf(pages, QStringLiteral("Lastone")) == pageOf(pages, QStringLiteral("Nextlast")),
                     qPrintable(where));
        }
    }

    void existingReportIsKeptUnlessReplaced() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("game.pdf"));
        QVERIFY(writeGameReportPdfFile(reportWith(1), path, false).ok);
        const QByteArray first = [&] {
            QFile f(path);
            return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
        }();
        const GameReportPdfResult again = writeGameReportPdfFile(reportWith(40), path, false);
        QVERIFY(!again.ok);
        QVERIFY(again.error.contains(QStringLiteral("already exists")));
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), first);
        f.close();
        QVERIFY(writeGameReportPdfFile(reportWith(40), path, true).ok);
    }

    void eachGameGetsItsOwnPairOfFiles() {
        QTemporaryDir dir;
        GameReport second = reportWith(2);
        second.header.gameNumber = "13";
        const GameReportFiles one = writeGameReportFiles(reportWith(2), dir.path(), false);
        const GameReportFiles two = writeGameReportFiles(second, dir.path(), false);
        QVERIFY2(one.ok && two.ok, qPrintable(one.error + two.error));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files),
                 QStringLiteral("2026-12-07-game-12.csv 2026-12-07-game-12.pdf 2026-12-07-game-13.csv "
                                "2026-12-07-game-13.pdf")
                     .split(QLatin1Char(' ')));
        // Only the CSV is there: still nothing is written over without the caller's say.
        QFile::remove(one.pdfPath);
        QVERIFY(!writeGameReportFiles(reportWith(2), dir.path(), false).ok);
        QVERIFY(!QFile::exists(one.pdfPath));
        QVERIFY(writeGameReportFiles(reportWith(2), dir.path(), true).ok);
        QVERIFY(QFile::exists(one.pdfPath));
    }
};

QTEST_MAIN(TestGameReportPdf)
#include "tst_gamereportpdf.moc"
