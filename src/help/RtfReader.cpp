#include "help/RtfReader.h"
#include "display/BoardControls.h"

#include "core/help/RtfParser.h"

#include <QColor>
#include <QCoreApplication>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextOption>

#include <algorithm>
#include <vector>

namespace {

// The document measures in pixels; the file in twips, 15 to the pixel on the screens the board is designed for.
constexpr double kTwipsPerPixel = twips::kPerPixel;

double pixels(int twips) {
    return twips / kTwipsPerPixel;
}

QString toQString(const std::u16string& text) {
    return QString(reinterpret_cast<const QChar*>(text.data()), static_cast<qsizetype>(text.size()));
}

QTextCharFormat charFormat(const rtf::CharFormat& format) {
    QTextCharFormat result;
    result.setFontWeight(format.bold ? QFont::Bold : QFont::Normal);
    result.setFontItalic(format.italic);
    result.setFontUnderline(format.underline);
    result.setFontStrikeOut(format.strike);
    result.setFontPointSize(format.halfPoints / 2.0);
    if (!format.fontFamily.empty())
        result.setFontFamilies(QStringList{QString::fromStdString(format.fontFamily)});
    if (format.foreground)
        result.setForeground(QColor(format.foreground->red, format.foreground->green, format.foreground->blue));
    if (format.background)
        result.setBackground(QColor(format.background->red, format.background->green, format.background->blue));
    if (format.position == rtf::VerticalPosition::Superscript)
        result.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
    else if (format.position == rtf::VerticalPosition::Subscript)
        result.setVerticalAlignment(QTextCharFormat::AlignSubScript);
    return result;
}

QTextOption::TabType tabType(rtf::TabKind kind) {
    switch (kind) {
    case rtf::TabKind::Centre:
        return QTextOption::CenterTab;
    case rtf::TabKind::Right:
        return QTextOption::RightTab;
    case rtf::TabKind::Decimal:
        return QTextOption::DelimiterTab;
    case rtf::TabKind::Left:
        break;
    }
    return QTextOption::LeftTab;
}

QTextBlockFormat blockFormat(const rtf::ParagraphFormat& format) {
    QTextBlockFormat result;
    switch (format.alignment) {
    case rtf::Alignment::Left:
        result.setAlignment(Qt::AlignLeft);
        break;
    case rtf::Alignment::Centre:
        result.setAlignment(Qt::AlignHCenter);
        break;
    case rtf::Alignment::Right:
        result.setAlignment(Qt::AlignRight);
        break;
    case rtf::Alignment::Justify:
        result.setAlignment(Qt::AlignJustify);
        break;
    }
    result.setLeftMargin(pixels(format.leftIndent));
    result.setRightMargin(pixels(format.rightIndent));
    result.setTextIndent(pixels(format.firstLineIndent));
    result.setTopMargin(pixels(format.spaceBefore));
    result.setBottomMargin(pixels(format.spaceAfter));
    switch (format.lineSpacing) {
    case rtf::LineSpacing::Single:
        break;
    case rtf::LineSpacing::Multiple:
        result.setLineHeight(format.lineSpacingValue * 100.0 / 240.0, QTextBlockFormat::ProportionalHeight);
        break;
    case rtf::LineSpacing::AtLeast:
        result.setLineHeight(pixels(format.lineSpacingValue), QTextBlockFormat::MinimumHeight);
        break;
    case rtf::LineSpacing::Exactly:
        result.setLineHeight(pixels(format.lineSpacingValue), QTextBlockFormat::FixedHeight);
        break;
    }

    // The file measures tab stops from the page's left margin; the text view measures them from where each line
    // starts. Tabs almost always sit in a paragraph's first line (bullets, key lists), so the stops are moved to
    // be right there.
    const int firstLineStart = format.leftIndent + format.firstLineIndent;
    QList<QTextOption::Tab> tabs;
    const auto addTab = [&tabs, firstLineStart](int position, rtf::TabKind kind) {
        if (position > firstLineStart)
            tabs.append(QTextOption::Tab(pixels(position - firstLineStart), tabType(kind),
                                         kind == rtf::TabKind::Decimal ? QLatin1Char('.') : QChar()));
    };
    for (const rtf::TabStop& stop : format.tabStops)
        addTab(stop.position, stop.kind);
    // A hanging first line (a bullet or a number before a tab) lines the tab up with the rest of the paragraph,
    // as word processors do without writing a tab stop for it.
    if (format.firstLineIndent < 0)
        addTab(format.leftIndent, rtf::TabKind::Left);
    std::sort(tabs.begin(), tabs.end(),
              [](const QTextOption::Tab& a, const QTextOption::Tab& b) { return a.position < b.position; });
    if (!tabs.isEmpty())
        result.setTabPositions(tabs);
    return result;
}

} // namespace

bool readRtf(const QByteArray& rtf, QTextDocument* doc, QString* error) {
    if (doc == nullptr) {
        if (error != nullptr)
            *error = QCoreApplication::translate("RtfReader", "There is no document to show the text in.");
        return false;
    }
    const rtf::ParseResult parsed =
        rtf::parseRtf(std::string_view(rtf.constData(), static_cast<std::size_t>(rtf.size())));
    switch (parsed.status) {
    case rtf::ParseStatus::NotRtf:
        if (error != nullptr)
            *error = QCoreApplication::translate("RtfReader", "The file is not a rich-text document.");
        return false;
    case rtf::ParseStatus::TooLarge:
        if (error != nullptr)
            *error = QCoreApplication::translate("RtfReader", "The file is too large to be shown.");
        return false;
    case rtf::ParseStatus::Ok:
        break;
    }
    const rtf::Document& source = parsed.document;

    std::vector<QTextCharFormat> formats;
    formats.reserve(source.formats.size());
    for (const rtf::CharFormat& format : source.formats)
        formats.push_back(charFormat(format));

    const QTextCharFormat plain;
    const auto formatOf = [&formats, &plain](std::size_t index) -> const QTextCharFormat& {
        return index < formats.size() ? formats[index] : plain;
    };

    const bool undo = doc->isUndoRedoEnabled();
    doc->setUndoRedoEnabled(false);
    doc->clear();
    QTextCursor cursor(doc);
    cursor.beginEditBlock();
    bool first = true;
    for (const rtf::Paragraph& paragraph : source.paragraphs) {
        const QTextBlockFormat block = blockFormat(paragraph.format);
        const QTextCharFormat& mark = formatOf(paragraph.markFormat);
        if (first) {
            cursor.setBlockFormat(block);
            cursor.setBlockCharFormat(mark);
            first = false;
        } else {
            cursor.insertBlock(block, mark);
        }
        for (const rtf::Run& run : paragraph.runs)
            cursor.insertText(toQString(run.text), formatOf(run.format));
    }
    if (source.truncated) {
        QTextCharFormat note;
        note.setFontItalic(true);
        cursor.insertBlock(QTextBlockFormat(), note);
        cursor.insertText(QCoreApplication::translate("RtfReader", "[The rest of this file is too long to be shown.]"),
                          note);
    }
    cursor.endEditBlock();
    doc->setUndoRedoEnabled(undo);
    return true;
}
