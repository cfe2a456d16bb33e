#include "help/RtfReader.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

// What a row of the behaviour table looks at in the document built from its file.
enum Check {
    Bold,
    Italic,
    Underline,
    Strike,
    PointSize,
    FontFamily,
    Foreground,
    Background,
    Superscript,
    Alignment,
    LeftMargin,
    RightMargin,
    TextIndent,
    TopMargin,
    BottomMargin,
    LineHeightPercent,
    FirstTabPosition,
    BlockText,
    BlockCount,
};

QString corpusFolder() {
    return qEnvironmentVariable("RINKMASTER_TEST_DATA") + u"/rtf_corpus"_s;
}

// The block and the fragment that contain needle (the first block when needle is empty).
bool find(const QTextDocument& doc, const QString& needle, QTextBlock* block, QTextFragment* fragment) {
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        if (!needle.isEmpty() && !b.text().contains(needle))
            continue;
        *block = b;
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            if (needle.isEmpty() || it.fragment().text().contains(needle)) {
                *fragment = it.fragment();
                return true;
            }
        }
        return needle.isEmpty();
    }
    return false;
}

// Characters a text view reserves for itself or cannot show; none may come out of the reader.
bool isForbidden(QChar c) {
    const char16_t u = c.unicode();
    if (u == u'\t' || u == 0x2028)
        return false;
    return u < 0x20 || (u >= 0x7F && u <= 0x9F) || u == 0x2029 || (u >= 0xFDD0 && u <= 0xFDEF) ||
           (u >= 0xFFFC && u != 0xFFFD);
}

bool startsAsRichText(QByteArray bytes) {
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes.remove(0, 3);
    return bytes.trimmed().startsWith("{\\rtf");
}

} // namespace

class TestRtfReader : public QObject {
    Q_OBJECT
private slots:
    void corpusNeverBreaksTheReader_data();
    void corpusNeverBreaksTheReader();
    void buildsTheDocument_data();
    void buildsTheDocument();
    void refusesWhatIsNotRichText_data();
    void refusesWhatIsNotRichText();
    void refusesWithoutADocument();
    void replacesEarlierContent();
    void leavesNothingToUndo();
    void saysWhenTheRestIsTooLong();
};

void TestRtfReader::corpusNeverBreaksTheReader_data() {
    QTest::addColumn<QString>("path");
    const QDir folder(corpusFolder());
    const QStringList names = folder.entryList(QDir::Files, QDir::Name);
    QVERIFY2(names.size() >= 30, qPrintable(u"corpus missing in "_s + folder.path()));
    for (const QString& name : names)
        QTest::newRow(qPrintable(name)) << folder.filePath(name);
}

void TestRtfReader::corpusNeverBreaksTheReader() {
    QFETCH(QString, path);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();

    // Nothing in a file may even make the text view complain (a font too small to shrink further, say). Only the
    // note that a fallback font lacks tables for some script is allowed: it depends on the fonts installed.
    QTest::failOnWarning(QRegularExpression(u"^(?!\\s*OpenType support missing)"_s));
    QTextDocument doc;
    doc.setPlainText(u"(the document as it was)"_s);
    QString error;
    const bool read = readRtf(bytes, &doc, &error);
    QCOMPARE(read, startsAsRichText(bytes));
    if (!read) {
        QVERIFY(!error.isEmpty());
        QCOMPARE(doc.toPlainText(), u"(the document as it was)"_s);
        return;
    }
    QVERIFY(!doc.toPlainText().contains(u"(the document as it was)"_s));
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        const QString text = block.text();
        for (const QChar c : text)
            QVERIFY2(!isForbidden(c),
                     qPrintable(u"character U+%1 in block %2"_s.arg(c.unicode(), 4, 16, QLatin1Char('0'))
                                    .arg(block.blockNumber())));
    }
    // Laying the whole text out must work with whatever sizes, indents and tabs the file asked for.
    doc.setTextWidth(400);
    QVERIFY(doc.size().height() > 0);
}

void TestRtfReader::buildsTheDocument_data() {
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("needle");
    QTest::addColumn<int>("check");
    QTest::addColumn<QVariant>("expected");

    const QByteArray tables = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss Arial;}{\\f1\\froman Times New "
                              "Roman;}{\\f2\\fcharset2 Symbol;}}{\\colortbl ;\\red200\\green0\\blue0;\\red0\\green0"
                              "\\blue160;}";
    const auto doc = [&tables](const char* body) -> QByteArray { return tables + body + "}"; };

    QTest::newRow("bold run") << doc("a\\b bold\\b0 c") << u"bold"_s << int(Bold) << QVariant(true);
    QTest::newRow("bold ends") << doc("a\\b bold\\b0 after") << u"after"_s << int(Bold) << QVariant(false);
    QTest::newRow("italic") << doc("\\i slanted") << u"slanted"_s << int(Italic) << QVariant(true);
    QTest::newRow("underline") << doc("\\ul under") << u"under"_s << int(Underline) << QVariant(true);
    QTest::newRow("underline off") << doc("\\ul a\\ulnone plain") << u"plain"_s << int(Underline) << QVariant(false);
    QTest::newRow("strike") << doc("\\strike gone") << u"gone"_s << int(Strike) << QVariant(true);
    QTest::newRow("font size") << doc("\\fs36 big") << u"big"_s << int(PointSize) << QVariant(18.0);
    QTest::newRow("default size") << doc("normal") << u"normal"_s << int(PointSize) << QVariant(12.0);
    QTest::newRow("font from table") << doc("\\f1 serif") << u"serif"_s << int(FontFamily)
                                     << QVariant(u"Times New Roman"_s);
    QTest::newRow("default font") << doc("sans") << u"sans"_s << int(FontFamily) << QVariant(u"Arial"_s);
    QTest::newRow("colour") << doc("\\cf1 red") << u"red"_s << int(Foreground) << QVariant(QColor(200, 0, 0));
    QTest::newRow("automatic colour") << doc("\\cf1 a\\cf0 auto") << u"auto"_s << int(Foreground) << QVariant();
    QTest::newRow("highlight") << doc("\\highlight2 marked") << u"marked"_s << int(Background)
                               << QVariant(QColor(0, 0, 160));
    QTest::newRow("superscript") << doc("x\\super 2") << u"2"_s << int(Superscript) << QVariant(true);
    QTest::newRow("centred") << doc("\\qc mid") << u"mid"_s << int(Alignment) << QVariant(int(Qt::AlignHCenter));
    QTest::newRow("right") << doc("\\qr end") << u"end"_s << int(Alignment) << QVariant(int(Qt::AlignRight));
    QTest::newRow("justified") << doc("\\qj full") << u"full"_s << int(Alignment) << QVariant(int(Qt::AlignJustify));
    QTest::newRow("left after pard") << doc("\\qc a\\par\\pard left") << u"left"_s << int(Alignment)
                                     << QVariant(int(Qt::AlignLeft));
    QTest::newRow("left indent") << doc("\\li720 in") << u"in"_s << int(LeftMargin) << QVariant(48.0);
    QTest::newRow("right indent") << doc("\\ri360 in") << u"in"_s << int(RightMargin) << QVariant(24.0);
    QTest::newRow("hanging first line") << doc("\\fi-360\\li720 in") << u"in"_s << int(TextIndent) << QVariant(-24.0);
    QTest::newRow("space before") << doc("\\sb240 in") << u"in"_s << int(TopMargin) << QVariant(16.0);
    QTest::newRow("space after") << doc("\\sa120 in") << u"in"_s << int(BottomMargin) << QVariant(8.0);
    QTest::newRow("line spacing") << doc("\\sl276\\slmult1 in") << u"in"_s << int(LineHeightPercent) << QVariant(115.0);
    QTest::newRow("tab stop from the margin")
        << doc("\\tx1440 a\\tab b") << u"a\tb"_s << int(FirstTabPosition) << QVariant(96.0);
    QTest::newRow("tab stop from an indented line")
        << doc("\\li720\\tx1440 a\\tab b") << u"a\tb"_s << int(FirstTabPosition) << QVariant(48.0);
    QTest::newRow("bullet lines up with the text")
        << doc("{\\pntext\\f2\\'b7\\tab}{\\*\\pn\\pnlvlblt\\pnf2{\\pntxtb\\'b7}}\\fi-360\\li720 Item") << u"Item"_s
        << int(FirstTabPosition) << QVariant(24.0);
    QTest::newRow("bullet text")
        << doc("{\\pntext\\f2\\'b7\\tab}{\\*\\pn\\pnlvlblt{\\pntxtb\\'b7}}\\fi-360\\li720 Item") << u"Item"_s
        << int(BlockText) << QVariant(u"\u2022\tItem"_s);
    QTest::newRow("paragraphs") << doc("one\\par two\\par three\\par") << QString() << int(BlockCount) << QVariant(3);
    QTest::newRow("line break stays in its paragraph")
        << doc("one\\line two") << u"one"_s << int(BlockText) << QVariant(u"one\u2028two"_s);
    QTest::newRow("empty lines") << doc("one\\par\\par three") << QString() << int(BlockCount) << QVariant(3);
    QTest::newRow("code page escapes") << doc("caf\\'e9 \\'80\\'96\\'93q\\'94") << u"caf"_s << int(BlockText)
                                       << QVariant(u"café €–“q”"_s);
    QTest::newRow("unicode with fallback")
        << doc("\\uc1\\u8364?\\uc2\\u8364\\'80\\'80 end") << u"end"_s << int(BlockText) << QVariant(u"€€ end"_s);
    QTest::newRow("named characters") << doc("\\lquote a\\rquote\\endash\\emdash\\ldblquote b\\rdblquote") << u"a"_s
                                      << int(BlockText) << QVariant(u"‘a’–—“b”"_s);
    QTest::newRow("skipped destinations")
        << doc("a{\\*\\foo x}{\\pict 0102}{\\object{\\*\\objdata 01}}{\\info{\\title t}}{\\stylesheet{\\s0 N;}}b")
        << u"a"_s << int(BlockText) << QVariant(u"ab"_s);
    QTest::newRow("field result shown, link not followed")
        << doc("{\\field{\\*\\fldinst HYPERLINK \"file:///etc\"}{\\fldrslt see}}") << u"see"_s << int(BlockText)
        << QVariant(u"see"_s);
}

void TestRtfReader::buildsTheDocument() {
    QFETCH(QByteArray, rtf);
    QFETCH(QString, needle);
    QFETCH(int, check);
    QFETCH(QVariant, expected);

    QTextDocument doc;
    QString error;
    QVERIFY2(readRtf(rtf, &doc, &error), qPrintable(error));
    QTextBlock block;
    QTextFragment fragment;
    QVERIFY2(find(doc, needle, &block, &fragment), qPrintable(needle));
    const QTextCharFormat chars = fragment.isValid() ? fragment.charFormat() : block.charFormat();
    const QTextBlockFormat para = block.blockFormat();

    QVariant actual;
    switch (check) {
    case Bold:
        actual = chars.fontWeight() == QFont::Bold;
        break;
    case Italic:
        actual = chars.fontItalic();
        break;
    case Underline:
        actual = chars.fontUnderline();
        break;
    case Strike:
        actual = chars.fontStrikeOut();
        break;
    case PointSize:
        actual = chars.fontPointSize();
        break;
    case FontFamily:
        actual = chars.fontFamilies().toStringList().value(0);
        break;
    case Foreground:
        actual = chars.hasProperty(QTextFormat::ForegroundBrush) ? QVariant(chars.foreground().color()) : QVariant();
        break;
    case Background:
        actual = chars.hasProperty(QTextFormat::BackgroundBrush) ? QVariant(chars.background().color()) : QVariant();
        break;
    case Superscript:
        actual = chars.verticalAlignment() == QTextCharFormat::AlignSuperScript;
        break;
    case Alignment:
        actual = int(para.alignment() & Qt::AlignHorizontal_Mask);
        break;
    case LeftMargin:
        actual = para.leftMargin();
        break;
    case RightMargin:
        actual = para.rightMargin();
        break;
    case TextIndent:
        actual = para.textIndent();
        break;
    case TopMargin:
        actual = para.topMargin();
        break;
    case BottomMargin:
        actual = para.bottomMargin();
        break;
    case LineHeightPercent:
        QCOMPARE(para.lineHeightType(), int(QTextBlockFormat::ProportionalHeight));
        actual = para.lineHeight();
        break;
    case FirstTabPosition:
        QVERIFY(!para.tabPositions().isEmpty());
        actual = para.tabPositions().constFirst().position;
        break;
    case BlockText:
        actual = block.text();
        break;
    case BlockCount:
        actual = doc.blockCount();
        break;
    }
    QCOMPARE(actual, expected);
}

void TestRtfReader::refusesWhatIsNotRichText_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("plain text") << QByteArray("Help for the scorekeeper");
    QTest::newRow("html") << QByteArray("<html><body>Help</body></html>");
    QTest::newRow("only a brace") << QByteArray("{");
    QTest::newRow("too large") << (QByteArray("{\\rtf1 ") + QByteArray(qsizetype{8} * 1024 * 1024, 'a'));
}

void TestRtfReader::refusesWhatIsNotRichText() {
    QFETCH(QByteArray, bytes);
    QTextDocument doc;
    doc.setPlainText(u"unchanged"_s);
    QString error;
    QVERIFY(!readRtf(bytes, &doc, &error));
    QVERIFY(!error.isEmpty());
    QCOMPARE(doc.toPlainText(), u"unchanged"_s);
}

void TestRtfReader::refusesWithoutADocument() {
    QString error;
    QVERIFY(!readRtf("{\\rtf1 a}", nullptr, &error));
    QVERIFY(!error.isEmpty());
    QVERIFY(!readRtf("{\\rtf1 a}", nullptr)); // and without a place for the reason
}

void TestRtfReader::replacesEarlierContent() {
    QTextDocument doc;
    doc.setPlainText(u"old text\nin two blocks"_s);
    QVERIFY(readRtf("{\\rtf1 new}", &doc));
    QCOMPARE(doc.toPlainText(), u"new"_s);
    QCOMPARE(doc.blockCount(), 1);
}

void TestRtfReader::leavesNothingToUndo() {
    QTextDocument doc;
    QVERIFY(doc.isUndoRedoEnabled());
    QVERIFY(readRtf("{\\rtf1 a\\par b}", &doc));
    QVERIFY(doc.isUndoRedoEnabled());
    QVERIFY(!doc.isUndoAvailable());
}

void TestRtfReader::saysWhenTheRestIsTooLong() {
    QByteArray rtf = "{\\rtf1 ";
    for (int i = 0; i < 100010; ++i)
        rtf += "x\\par ";
    rtf += "}";
    QTextDocument doc;
    QVERIFY(readRtf(rtf, &doc));
    QCOMPARE(doc.lastBlock().text(), u"[The rest of this file is too long to be shown.]"_s);
    QCOMPARE(doc.blockCount(), 100001);
}

QTEST_MAIN(TestRtfReader)
#include "tst_rtfreader.moc"
