#pragma once
#include <QByteArray>
#include <QString>

class QTextDocument;

// Shows a rich-text file (as word processors write it) in a text document: fonts, colours, bold, italic,
// underline, sizes, alignment, indents, spacing, tab stops, bullets and escaped characters. Pictures, objects
// and anything else a text view cannot show are left out.
//
// Returns false, leaving doc as it was and naming the reason in error, when the bytes are not a rich-text file
// (they must begin with "{\rtf") or are larger than rtf::kMaxInputBytes. A plain-text file is refused rather than
// shown, as a word processor told to open it as rich text would. Damaged rich text is shown as far as it makes
// sense; nothing in the bytes can crash the reader or keep it busy for long.
bool readRtf(const QByteArray& rtf, QTextDocument* doc, QString* error = nullptr);
