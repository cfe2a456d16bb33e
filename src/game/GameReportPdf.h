#pragma once
#include "core/rules/GameReport.h"

#include <QString>

class QIODevice;

// The game report as a printable A4 sheet (Qt's own PDF writer): a header block, the tables of goals,
// penalties, goalkeepers, shots, timeouts and officials, and signature lines, on as many pages as the tables
// need. Every text from the record is drawn as plain text.
struct GameReportPdfResult {
    bool ok = false;
    int pages = 0;
    QString error; // why nothing was written
};

GameReportPdfResult writeGameReportPdf(const GameReport& report, QIODevice& device);
// Writes the file whole or not at all; an existing file is replaced only when `replace` is set.
GameReportPdfResult writeGameReportPdfFile(const GameReport& report, const QString& path, bool replace);

// The report's PDF and CSV in `folder`, named by date and game number ("2026-12-07-game-12.pdf" and ".csv").
// When either exists and `replace` is not set, nothing is written.
struct GameReportFiles {
    bool ok = false;
    QString pdfPath;
    QString csvPath;
    int pages = 0;
    QString error;
};
GameReportFiles writeGameReportFiles(const GameReport& report, const QString& folder, bool replace);
