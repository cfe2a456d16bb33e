#include "game/GameSheetFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeText(const QString& path, const QByteArray& text) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(text);
}

} // namespace

// Saving the game sheet beside the page the user chose: what the save dialog did not ask about is asked here,
// and no file is written through a link.
class TestGameSheetFile : public QObject {
    Q_OBJECT

private slots:
    void aSiblingThatExistsIsReplacedOnlyWhenTheUserSaysSo_data() {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("sibling");
        QTest::addColumn<bool>("answer");
        QTest::newRow("csv beside the page, kept") << u"sheet.html"_s << u"sheet.csv"_s << false;
        QTest::newRow("csv beside the page, replaced") << u"sheet.html"_s << u"sheet.csv"_s << true;
        QTest::newRow("page beside the csv, kept") << u"sheet.csv"_s << u"sheet.html"_s << false;
    }
    void aSiblingThatExistsIsReplacedOnlyWhenTheUserSaysSo() {
        QFETCH(QString, chosen);
        QFETCH(QString, sibling);
        QFETCH(bool, answer);
        QTemporaryDir dir;
        writeText(dir.filePath(sibling), "the user's own file");
        QStringList asked;
        const GameSheetSaving saving =
            saveGameSheetAs(game::GameState{}, u"H"_s, u"V"_s, dir.filePath(chosen), [&](const QString& text) {
                asked.append(text);
                return answer;
            });
        QCOMPARE(asked.size(), 1);
        QVERIFY2(asked[0].contains(dir.filePath(sibling)), qPrintable(asked[0]));
        QCOMPARE(saving.problem, QString());
        QCOMPARE(saving.saved, answer);
        QCOMPARE(contents(dir.filePath(sibling)) == "the user's own file", !answer);
        QCOMPARE(QFile::exists(dir.filePath(chosen)), answer);
    }

    void nothingIsAskedWhenOnlyTheChosenFileExists() {
        QTemporaryDir dir;
        writeText(dir.filePath(u"sheet.html"_s), "old page");
        int asked = 0;
        const GameSheetSaving saving =
            saveGameSheetAs(game::GameState{}, u"H"_s, u"V"_s, dir.filePath(u"sheet.html"_s), [&](const QString&) {
                ++asked;
                return false;
            });
        QCOMPARE(asked, 0);
        QVERIFY(saving.saved);
        QVERIFY(contents(dir.filePath(u"sheet.html"_s)) != "old page");
        QVERIFY(QFile::exists(dir.filePath(u"sheet.csv"_s)));
    }

    void noFileIsWrittenThroughALink_data() {
        QTest::addColumn<QString>("link");
        QTest::newRow("the csv beside the page") << u"sheet.csv"_s;
        QTest::newRow("the chosen page") << u"sheet.html"_s;
    }
    void noFileIsWrittenThroughALink() {
        QFETCH(QString, link);
        QTemporaryDir dir;
        const QString target = dir.filePath(u"precious.txt"_s);
        writeText(target, "precious");
        QVERIFY(QFile::link(target, dir.filePath(link)));
        int asked = 0;
        const GameSheetSaving saving =
            saveGameSheetAs(game::GameState{}, u"H"_s, u"V"_s, dir.filePath(u"sheet.html"_s), [&](const QString&) {
                ++asked;
                return true;
            });
        QVERIFY(!saving.saved);
        QVERIFY2(saving.problem.contains(u"link"_s), qPrintable(saving.problem));
        QVERIFY(!saving.problem.contains(u'\n'));
        QCOMPARE(asked, 0);
        QCOMPARE(contents(target), QByteArray("precious"));
        QVERIFY(QFileInfo(dir.filePath(link)).isSymLink());
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::System).size(), 2); // nothing else written
    }

    void aTeamNameASpreadsheetWouldRunIsWrittenAsText() {
        QTemporaryDir dir;
        const GameSheetSaving saving = saveGameSheetAs(game::GameState{}, u"=HYPERLINK(\"http://x\")"_s, u"@SUM(1)"_s,
                                                       dir.filePath(u"sheet.html"_s), {});
        QVERIFY(saving.saved);
        const QByteArray csv = contents(saving.files.csv);
        QVERIFY2(csv.contains("\"'=HYPERLINK(\"\"http://x\"\")\""), csv.constData());
        QVERIFY2(csv.contains("\"'@SUM(1)\""), csv.constData());
    }
};

QTEST_MAIN(TestGameSheetFile)
#include "tst_gamesheetfile.moc"
