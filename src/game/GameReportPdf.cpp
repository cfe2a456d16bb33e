#include "GameReportPdf.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

namespace {

QString translated(const char* text) {
    return QCoreApplication::translate("GameReportPdf", text);
}

// One line of plain text: line breaks and tabs from the record become spaces.
QString plain(const std::string& text) {
    QString s = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    for (QChar& c : s)
        if (c == QLatin1Char('\n') || c == QLatin1Char('\r') || c == QLatin1Char('\t'))
            c = QLatin1Char(' ');
    return s;
}

QString teamName(const RecordHeader& h, Team team) {
    const std::string& name = team == Team::Home ? h.homeTeam : h.visitorTeam;
    if (!name.empty())
        return plain(name);
    return team == Team::Home ? QCoreApplication::translate("GameReportPdf", "Home")
                              : QCoreApplication::translate("GameReportPdf", "Visitor");
}

QString joined(const std::vector<std::string>& names) {
    QStringList list;
    for (const std::string& n : names)
        list << plain(n);
    return list.join(QStringLiteral(", "));
}

struct Column {
    QString title;
    double width; // parts of the page's width
    Qt::Alignment align = Qt::AlignLeft;
};

// Lays the sheet out top to bottom, starting a new page when the next row does not fit.
class SheetPainter {
public:
    // `totalPages`: the page count of an earlier pass ("Page 2 of 3"), 0 when not yet known.
    SheetPainter(QPdfWriter& writer, QPainter& painter, const GameReport& report, int totalPages)
        : m_writer(writer), m_painter(painter), m_report(report), m_totalPages(totalPages) {
        m_mm = m_writer.resolution() / 25.4;
        m_left = 0;
        m_width = m_writer.width();
        m_bottom = m_writer.height() - 8 * m_mm; // room for the footer
        m_body = QFont(QStringLiteral("DejaVu Sans"), 8);
        m_bold = m_body;
        m_bold.setBold(true);
        m_heading = QFont(QStringLiteral("DejaVu Sans"), 11, QFont::Bold);
        m_title = QFont(QStringLiteral("DejaVu Sans"), 16, QFont::Bold);
        // No ligatures where a script does not need shaping, so the PDF's text reads back letter for letter
        // ("Official", not a single "ffi" glyph) when it is searched or copied.
        for (QFont* font : {&m_body, &m_bold, &m_heading, &m_title})
            font->setStyleStrategy(QFont::PreferNoShaping);
        m_rowHeight = QFontMetricsF(m_body, &m_writer).height() * 1.6;
        drawFooter();
    }

    int pages() const { return m_page; }
    double mm() const { return m_mm; }

    void title(const QString& text) {
        m_painter.setFont(m_title);
        const double h = QFontMetricsF(m_title, &m_writer).height();
        m_painter.drawText(QRectF(m_left, m_y, m_width, h), Qt::AlignLeft | Qt::AlignVCenter, text);
        m_y += h + 2 * m_mm;
    }

    // A section's heading, kept on one page with the table's heading row and `keepRows` rows after it.
    void heading(const QString& text, qsizetype keepRows = 2) {
        const double h = QFontMetricsF(m_heading, &m_writer).height();
        room(4 * m_mm + h + static_cast<double>(1 + std::max<qsizetype>(1, keepRows)) * m_rowHeight);
        m_y += 3 * m_mm;
        m_painter.setFont(m_heading);
        m_painter.drawText(QRectF(m_left, m_y, m_width, h), Qt::AlignLeft | Qt::AlignVCenter, text);
        m_y += h + 1 * m_mm;
    }

    // Label and value pairs in two columns.
    void fields(const QList<QPair<QString, QString>>& pairs) {
        const double half = m_width / 2;
        for (qsizetype i = 0; i < pairs.size(); i += 2) {
            room(m_rowHeight);
            for (qsizetype j = i; j < std::min(i + 2, pairs.size()); ++j) {
                const double x = m_left + (j - i) * half;
                m_painter.setFont(m_bold);
                const double labelWidth = 28 * m_mm;
                m_painter.drawText(QRectF(x, m_y, labelWidth, m_rowHeight), Qt::AlignLeft | Qt::AlignVCenter,
                                   pairs[j].first);
                m_painter.setFont(m_body);
                cell(QRectF(x + labelWidth, m_y, half - labelWidth - 2 * m_mm, m_rowHeight), pairs[j].second,
                     Qt::AlignLeft);
            }
            m_y += m_rowHeight;
        }
    }

    void table(const QList<Column>& columns, const QList<QStringList>& rows, const QString& empty) {
        double parts = 0;
        for (const Column& c : columns)
            parts += c.width;
        QList<double> widths;
        for (const Column& c : columns)
            widths << m_width * c.width / parts;
        const auto drawRow = [&](const QStringList& cells, bool head) {
            double x = m_left;
            if (head)
                m_painter.fillRect(QRectF(m_left, m_y, m_width, m_rowHeight), QColor(225, 225, 225));
            m_painter.setFont(head ? m_bold : m_body);
            for (qsizetype i = 0; i < columns.size(); ++i) {
                const QRectF box(x, m_y, widths[i], m_rowHeight);
                m_painter.drawRect(box);
                cell(box.adjusted(1.2 * m_mm, 0, -1.2 * m_mm, 0), i < cells.size() ? cells[i] : QString(),
                     columns[i].align);
                x += widths[i];
            }
            m_y += m_rowHeight;
        };
        QStringList head;
        for (const Column& c : columns)
            head << c.title;
        room(2 * m_rowHeight);
        drawRow(head, true);
        if (rows.isEmpty()) {
            m_painter.setFont(m_body);
            m_painter.drawText(QRectF(m_left + 1.2 * m_mm, m_y, m_width, m_rowHeight), Qt::AlignLeft | Qt::AlignVCenter,
                               empty);
            m_y += m_rowHeight;
        }
        for (qsizetype i = 0; i < rows.size(); ++i) {
            // The last row never goes over to a page alone: the one before it goes with it.
            const double need = (i + 2 == rows.size() ? 2 : 1) * m_rowHeight;
            if (m_y + need > m_bottom) {
                newPage();
                drawRow(head, true);
            }
            drawRow(rows[i], false);
        }
    }

    void line(const QString& text) {
        room(m_rowHeight);
        m_painter.setFont(m_body);
        cell(QRectF(m_left, m_y, m_width, m_rowHeight), text, Qt::AlignLeft);
        m_y += m_rowHeight;
    }

    void signatures(const QStringList& who) {
        const double h = 22 * m_mm;
        room(h);
        m_y += 12 * m_mm;
        const double gap = 8 * m_mm;
        const double w = (m_width - gap * (who.size() - 1)) / who.size();
        m_painter.setFont(m_body);
        for (qsizetype i = 0; i < who.size(); ++i) {
            const double x = m_left + i * (w + gap);
            m_painter.drawLine(QPointF(x, m_y), QPointF(x + w, m_y));
            cell(QRectF(x, m_y + 0.5 * m_mm, w, m_rowHeight), who[i], Qt::AlignLeft);
        }
        m_y += h - 12 * m_mm;
    }

private:
    void cell(const QRectF& box, const QString& text, Qt::Alignment align) {
        const QFontMetricsF metrics(m_painter.font(), &m_writer);
        const QString fitted = metrics.elidedText(text, Qt::ElideRight, box.width());
        m_painter.drawText(box, static_cast<int>(align | Qt::AlignVCenter | Qt::TextSingleLine), fitted);
    }

    void room(double height) {
        if (m_y + height > m_bottom)
            newPage();
    }

    void newPage() {
        m_writer.newPage();
        m_y = 0;
        drawFooter();
    }

    void drawFooter() {
        ++m_page;
        const RecordHeader& h = m_report.header;
        QString who = QCoreApplication::translate("GameReportPdf", "%1 v %2")
                          .arg(teamName(h, Team::Home), teamName(h, Team::Visitor));
        if (!h.date.empty())
            who += QStringLiteral(" · ") + plain(h.date);
        if (!h.gameNumber.empty())
            who += QStringLiteral(" · ") +
                   QCoreApplication::translate("GameReportPdf", "Game %1").arg(plain(h.gameNumber));
        m_painter.setFont(m_body);
        const QRectF foot(m_left, m_bottom + 3 * m_mm, m_width, m_rowHeight);
        m_painter.drawLine(QPointF(m_left, foot.top()), QPointF(m_left + m_width, foot.top()));
        cell(foot.adjusted(0, 0, -25 * m_mm, 0), who, Qt::AlignLeft);
        cell(foot,
             m_totalPages > 0
                 ? QCoreApplication::translate("GameReportPdf", "Page %1 of %2").arg(m_page).arg(m_totalPages)
                 : QCoreApplication::translate("GameReportPdf", "Page %1").arg(m_page),
             Qt::AlignRight);
    }

    QPdfWriter& m_writer;
    QPainter& m_painter;
    const GameReport& m_report;
    QFont m_body, m_bold, m_heading, m_title;
    double m_mm = 1;
    double m_left = 0;
    double m_width = 0;
    double m_bottom = 0;
    double m_rowHeight = 0;
    double m_y = 0;
    int m_page = 0;
    int m_totalPages = 0;
};

QString num(int n) {
    return QString::number(n);
}

QString q(const std::string& s) {
    return plain(s);
}

QString kindName(const std::string& kind) {
    static const char* const kKinds[][2] = {
        {"minor", QT_TRANSLATE_NOOP("GameReportPdf", "Minor")},
        {"bench minor", QT_TRANSLATE_NOOP("GameReportPdf", "Bench minor")},
        {"double minor", QT_TRANSLATE_NOOP("GameReportPdf", "Double minor")},
        {"major", QT_TRANSLATE_NOOP("GameReportPdf", "Major")},
        {"major and minor", QT_TRANSLATE_NOOP("GameReportPdf", "Major and minor")},
        {"misconduct", QT_TRANSLATE_NOOP("GameReportPdf", "Misconduct")},
        {"game misconduct", QT_TRANSLATE_NOOP("GameReportPdf", "Game misconduct")},
        {"match", QT_TRANSLATE_NOOP("GameReportPdf", "Match penalty")},
    };
    for (const auto& k : kKinds)
        if (kind == k[0])
            return translated(k[1]);
    return plain(kind);
}

// The rows a section's heading keeps on its page: a short table whole, a long one's first rows.
qsizetype keptRows(qsizetype rows) {
    constexpr qsizetype kShortTable = 6;
    return rows <= kShortTable ? rows : 2;
}

void drawReport(SheetPainter& sheet, const GameReport& r) {
    const RecordHeader& h = r.header;
    const QString home = teamName(h, Team::Home);
    const QString visitor = teamName(h, Team::Visitor);
    sheet.title(QCoreApplication::translate("GameReportPdf", "Official game report"));
    sheet.fields({{QCoreApplication::translate("GameReportPdf", "Date"), q(h.date)},
                  {QCoreApplication::translate("GameReportPdf", "Game number"), q(h.gameNumber)},
                  {QCoreApplication::translate("GameReportPdf", "Venue"), q(h.venue)},
                  {QCoreApplication::translate("GameReportPdf", "Competition"), q(h.competition)},
                  {QCoreApplication::translate("GameReportPdf", "Home"), home},
                  {QCoreApplication::translate("GameReportPdf", "Visitor"), visitor},
                  {QCoreApplication::translate("GameReportPdf", "Final score"),
                   QStringLiteral("%1 : %2").arg(r.score[0]).arg(r.score[1])},
                  {QCoreApplication::translate("GameReportPdf", "Status"),
                   r.ended ? QCoreApplication::translate("GameReportPdf", "Game ended")
                           : QCoreApplication::translate("GameReportPdf", "Game not ended")}});
    sheet.line(r.timeStyle == SheetTimeStyle::Elapsed
                   ? QCoreApplication::translate("GameReportPdf", "Times are elapsed time in the period.")
                   : QCoreApplication::translate("GameReportPdf", "Times are the time left in the period."));

    sheet.heading(QCoreApplication::translate("GameReportPdf", "Goals"),
                  keptRows(static_cast<qsizetype>(r.goals.size())));
    QList<QStringList> goals;
    for (const ReportGoal& g : r.goals)
        goals << QStringList{num(g.period),    q(g.time),         q(g.team),     q(g.scorer),
                             q(g.firstAssist), q(g.secondAssist), q(g.strength), q(g.score)};
    sheet.table({{QCoreApplication::translate("GameReportPdf", "Per."), 1},
                 {QCoreApplication::translate("GameReportPdf", "Time"), 1.3},
                 {QCoreApplication::translate("GameReportPdf", "Team"), 4},
                 {QCoreApplication::translate("GameReportPdf", "Scorer"), 1.4},
                 {QCoreApplication::translate("GameReportPdf", "Assist"), 1.4},
                 {QCoreApplication::translate("GameReportPdf", "Assist"), 1.4},
                 {QCoreApplication::translate("GameReportPdf", "Str."), 1},
                 {QCoreApplication::translate("GameReportPdf", "Score"), 1.2}},
                goals, QCoreApplication::translate("GameReportPdf", "No goals."));

    sheet.heading(QCoreApplication::translate("GameReportPdf", "Penalties"),
                  keptRows(static_cast<qsizetype>(r.penalties.size())));
    QList<QStringList> penalties;
    for (const ReportPenalty& p : r.penalties)
        penalties << QStringList{num(p.period),   q(p.time),        q(p.team),      q(p.player), q(p.servedBy),
                                 q(p.infraction), kindName(p.kind), num(p.minutes), q(p.start),  q(p.end)};
    sheet.table({{QCoreApplication::translate("GameReportPdf", "Per."), 0.9},
                 {QCoreApplication::translate("GameReportPdf", "Time"), 1.2},
                 {QCoreApplication::translate("GameReportPdf", "Team"), 2.4},
                 {QCoreApplication::translate("GameReportPdf", "No."), 0.9},
                 {QCoreApplication::translate("GameReportPdf", "Served by"), 2},
                 {QCoreApplication::translate("GameReportPdf", "Infraction"), 2.8},
                 {QCoreApplication::translate("GameReportPdf", "Kind"), 2.9},
                 {QCoreApplication::translate("GameReportPdf", "Min."), 0.9},
                 {QCoreApplication::translate("GameReportPdf", "Start"), 1.6},
                 {QCoreApplication::translate("GameReportPdf", "End"), 1.6}},
                penalties, QCoreApplication::translate("GameReportPdf", "No penalties."));
    sheet.line(QCoreApplication::translate("GameReportPdf", "Penalty minutes: %1 %2, %3 %4")
                   .arg(home)
                   .arg(r.penaltyMinutes[0])
                   .arg(visitor)
                   .arg(r.penaltyMinutes[1]));

    sheet.heading(QCoreApplication::translate("GameReportPdf", "Goalkeepers"),
                  keptRows(static_cast<qsizetype>(r.goalkeepers.size())));
    QList<QStringList> keepers;
    for (const ReportGoalkeeper& g : r.goalkeepers)
        keepers << QStringList{q(g.team), q(g.number), q(g.in), q(g.out), q(g.minutes)};
    sheet.table({{QCoreApplication::translate("GameReportPdf", "Team"), 4},
                 {QCoreApplication::translate("GameReportPdf", "No."), 1},
                 {QCoreApplication::translate("GameReportPdf", "In"), 1.5},
                 {QCoreApplication::translate("GameReportPdf", "Out"), 1.5},
                 {QCoreApplication::translate("GameReportPdf", "Time played"), 1.5}},
                keepers, QCoreApplication::translate("GameReportPdf", "No goalkeepers recorded."));

    sheet.heading(QCoreApplication::translate("GameReportPdf", "Shots on goal"), 2);
    QList<Column> shotColumns{{QCoreApplication::translate("GameReportPdf", "Team"), 4}};
    for (int p = 1; p <= r.periods; ++p)
        shotColumns << Column{p <= 3 ? QCoreApplication::translate("GameReportPdf", "Period %1").arg(p)
                                     : QCoreApplication::translate("GameReportPdf", "OT %1").arg(p - 3),
                              1.2, Qt::AlignRight};
    shotColumns << Column{QCoreApplication::translate("GameReportPdf", "Total"), 1.2, Qt::AlignRight};
    QList<QStringList> shots;
    for (std::size_t t = 0; t < 2; ++t) {
        QStringList row{t == 0 ? home : visitor};
        for (int n : r.shots[t])
            row << num(n);
        row << num(r.shotTotals[t]);
        shots << row;
    }
    sheet.table(shotColumns, shots, QString());

    sheet.heading(QCoreApplication::translate("GameReportPdf", "Timeouts"),
                  keptRows(static_cast<qsizetype>(r.timeouts.size())));
    QList<QStringList> timeouts;
    for (const ReportTimeout& t : r.timeouts)
        timeouts << QStringList{q(t.team), num(t.period), q(t.time)};
    sheet.table({{QCoreApplication::translate("GameReportPdf", "Team"), 4},
                 {QCoreApplication::translate("GameReportPdf", "Per."), 1},
                 {QCoreApplication::translate("GameReportPdf", "Time"), 1.5}},
                timeouts, QCoreApplication::translate("GameReportPdf", "No timeouts."));

    // The names and the signature lines stay together.
    sheet.heading(QCoreApplication::translate("GameReportPdf", "Officials"), 7);
    sheet.fields({{QCoreApplication::translate("GameReportPdf", "Referees"), joined(h.referees)},
                  {QCoreApplication::translate("GameReportPdf", "Linesmen"), joined(h.linesmen)},
                  {QCoreApplication::translate("GameReportPdf", "Scorekeeper"), q(h.scorekeeper)},
                  {QString(), QString()}});
    sheet.signatures({QCoreApplication::translate("GameReportPdf", "Referee"),
                      QCoreApplication::translate("GameReportPdf", "%1 team official").arg(home),
                      QCoreApplication::translate("GameReportPdf", "%1 team official").arg(visitor)});
}

} // namespace

namespace {

GameReportPdfResult drawPdf(const GameReport& report, QIODevice& device, int totalPages) {
    GameReportPdfResult result;
    QPdfWriter writer(&device);
    writer.setResolution(300);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(15, 15, 15, 12),
                                     QPageLayout::Millimeter));
    const RecordHeader& h = report.header;
    writer.setTitle(QCoreApplication::translate("GameReportPdf", "Game report %1 v %2")
                        .arg(teamName(h, Team::Home), teamName(h, Team::Visitor)));
    writer.setCreator(QStringLiteral("Rinkmaster"));
    QPainter painter;
    if (!painter.begin(&writer)) {
        result.error = QCoreApplication::translate("GameReportPdf", "The PDF writer could not start.");
        return result;
    }
    SheetPainter sheet(writer, painter, report, totalPages);
    drawReport(sheet, report);
    painter.end();
    result.ok = true;
    result.pages = sheet.pages();
    return result;
}

} // namespace

GameReportPdfResult writeGameReportPdf(const GameReport& report, QIODevice& device) {
    // A first pass counts the pages, so that each page can say "of N".
    QBuffer counting;
    counting.open(QIODevice::WriteOnly);
    GameReportPdfResult first = drawPdf(report, counting, 0);
    if (!first.ok) {
        return first;
    }
    return drawPdf(report, device, first.pages);
}

GameReportPdfResult writeGameReportPdfFile(const GameReport& report, const QString& path, bool replace) {
    GameReportPdfResult result;
    if (!replace && QFileInfo::exists(path)) {
        result.error = QCoreApplication::translate("GameReportPdf", "%1 already exists.").arg(path);
        return result;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        result.error = file.errorString();
        return result;
    }
    result = writeGameReportPdf(report, file);
    if (!result.ok) {
        file.cancelWriting();
        return result;
    }
    if (!file.commit()) {
        result.ok = false;
        result.error = file.errorString();
    }
    return result;
}

GameReportFiles writeGameReportFiles(const GameReport& report, const QString& folder, bool replace) {
    GameReportFiles files;
    const QString stem = QDir(folder).filePath(QString::fromStdString(reportFileStem(report.header)));
    files.pdfPath = stem + QStringLiteral(".pdf");
    files.csvPath = stem + QStringLiteral(".csv");
    for (const QString& path : {files.pdfPath, files.csvPath}) {
        if (!replace && QFileInfo::exists(path)) {
            files.error = QCoreApplication::translate("GameReportPdf", "%1 already exists.").arg(path);
            return files;
        }
    }
    const GameReportPdfResult pdf = writeGameReportPdfFile(report, files.pdfPath, true);
    if (!pdf.ok) {
        files.error = pdf.error;
        return files;
    }
    files.pages = pdf.pages;
    const QByteArray csv = QByteArray::fromStdString(gameReportCsv(report));
    QSaveFile file(files.csvPath);
    if (!file.open(QIODevice::WriteOnly) || file.write(csv) != csv.size() || !file.commit()) {
        files.error = files.csvPath + QStringLiteral(": ") + file.errorString();
        return files;
    }
    files.ok = true;
    return files;
}
