// libFuzzer target for the help viewer's rich-text reader. Besides crashes, leaks and undefined behaviour it
// stops on any broken promise of the reader: text a view must not get, runs or formats out of place, more
// paragraphs than the cap.
#include "core/help/RtfParser.h"
#include "help/RtfReader.h"

#include <QGuiApplication>
#include <QTextDocument>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

bool passable(char16_t unit) {
    if (unit == u'\t' || unit == u'\u2028')
        return true;
    return !(unit < 0x20 || (unit >= 0x7F && unit <= 0x9F) || unit == 0x2029 || (unit >= 0xFDD0 && unit <= 0xFDEF) ||
             (unit >= 0xFFFC && unit != 0xFFFD));
}

void checkDocument(const rtf::Document& document) {
    if (document.paragraphs.empty() || document.paragraphs.size() > rtf::kMaxParagraphs)
        std::abort();
    for (const rtf::Paragraph& paragraph : document.paragraphs) {
        if (paragraph.markFormat >= document.formats.size())
            std::abort();
        for (std::size_t r = 0; r < paragraph.runs.size(); ++r) {
            const rtf::Run& run = paragraph.runs[r];
            if (run.text.empty() || run.format >= document.formats.size())
                std::abort();
            if (r > 0 && paragraph.runs[r - 1].format == run.format)
                std::abort();
            for (std::size_t i = 0; i < run.text.size(); ++i) {
                const char16_t unit = run.text[i];
                if (!passable(unit))
                    std::abort();
                // Surrogates only in pairs, and a pair never split between runs.
                if (unit >= 0xD800 && unit <= 0xDBFF &&
                    (i + 1 >= run.text.size() || run.text[i + 1] < 0xDC00 || run.text[i + 1] > 0xDFFF))
                    std::abort();
                if (unit >= 0xDC00 && unit <= 0xDFFF &&
                    (i == 0 || run.text[i - 1] < 0xD800 || run.text[i - 1] > 0xDBFF))
                    std::abort();
            }
        }
    }
    for (const rtf::CharFormat& format : document.formats)
        if (format.halfPoints < rtf::kMinHalfPoints || format.halfPoints > rtf::kMaxHalfPoints)
            std::abort();
}

} // namespace

// A warning from the text view (a font size it cannot use, say) means the reader handed on something it should
// not have; only the note that a fallback font lacks tables for some script depends on the fonts installed.
void stopOnWarnings(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtDebugMsg || type == QtInfoMsg || message.contains(QLatin1String("OpenType support missing")))
        return;
    std::fprintf(stderr, "Qt: %s\n", qPrintable(message));
    std::abort();
}

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    // Laying text out needs fonts, and fonts need a GUI application; no display is needed for that.
    qputenv("QT_QPA_PLATFORM", QByteArray("offscreen"));
    static QGuiApplication app(*argc, *argv);
    qInstallMessageHandler(stopOnWarnings);
    // Qt's own farewell notes while the process ends are no finding.
    std::atexit([] { qInstallMessageHandler(nullptr); });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const rtf::ParseResult parsed = rtf::parseRtf(input);
    if (parsed.status == rtf::ParseStatus::Ok)
        checkDocument(parsed.document);

    QTextDocument doc;
    QString error;
    const bool read = readRtf(QByteArray(input.data(), static_cast<qsizetype>(input.size())), &doc, &error);
    if (read != (parsed.status == rtf::ParseStatus::Ok) || (!read && error.isEmpty()))
        std::abort();
    if (read) {
        doc.setTextWidth(300);
        (void)doc.size(); // lays out every block
    }
    return 0;
}
