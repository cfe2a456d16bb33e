// Times the help viewer's rich-text reader on ordinary and hostile inputs of growing size, to show that the work
// stays linear in the input: the time per byte should not grow with the size.
//   QT_QPA_PLATFORM=offscreen rtf_bench [MAX_MIB]
#include "core/help/RtfParser.h"
#include "help/RtfReader.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QTextDocument>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

struct Family {
    const char* name;
    std::function<std::string(std::size_t)> make; // an input of about the given size
};

std::string repeat(std::string_view head, std::string_view unit, std::size_t size, std::string_view tail = "}") {
    std::string s(head);
    s.reserve(size + unit.size());
    while (s.size() + unit.size() + tail.size() <= size)
        s += unit;
    s += tail;
    return s;
}

} // namespace

int main(int argc, char* argv[]) {
    QGuiApplication app(argc, argv);
    const std::size_t maxMiB = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 8;
    const std::vector<Family> families{
        {"help-like text",
         [](std::size_t n) {
             return repeat("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red0\\green0\\blue255;}",
                           "\\pard\\sa120\\fs20 Press \\b S\\b0  to start the \\cf1 clock\\cf0 .\\par ", n);
         }},
        {"deep nesting", [](std::size_t n) { return "{\\rtf1" + std::string(n / 2, '{') + std::string(n / 2, '}'); }},
        {"empty groups", [](std::size_t n) { return repeat("{\\rtf1", "{}", n); }},
        {"alternating runs", [](std::size_t n) { return repeat("{\\rtf1 ", "a\\b b\\b0 ", n); }},
        {"unicode escapes", [](std::size_t n) { return repeat("{\\rtf1 ", "\\u8364?", n); }},
        {"hex escapes", [](std::size_t n) { return repeat("{\\rtf1 ", "\\'e9", n); }},
        {"paragraph marks", [](std::size_t n) { return repeat("{\\rtf1 ", "\\par ", n); }},
        {"font table",
         [](std::size_t n) {
             std::string s = "{\\rtf1{\\fonttbl";
             for (int i = 0; s.size() + 40 < n; ++i)
                 s += "{\\f" + std::to_string(i % 100000) + "\\fswiss Some Font Name;}";
             return s + "}x}";
         }},
        {"long control word", [](std::size_t n) { return "{\\rtf1\\" + std::string(n - 8, 'a') + " x}"; }},
        {"skipped picture", [](std::size_t n) { return repeat("{\\rtf1{\\pict ", "0123456789abcdef", n, "}}"); }},
    };

    std::printf("%-18s %8s %12s %12s %14s\n", "input", "MiB", "parse ms", "document ms", "ns per byte");
    for (const Family& family : families) {
        for (std::size_t mib = 1; mib <= maxMiB; mib *= 2) {
            const std::string input = family.make(mib * 1024 * 1024 - 64);
            QElapsedTimer timer;
            timer.start();
            const rtf::ParseResult parsed = rtf::parseRtf(input);
            const qint64 parseNs = timer.nsecsElapsed();
            QTextDocument doc;
            timer.restart();
            const bool read = readRtf(QByteArray(input.data(), static_cast<qsizetype>(input.size())), &doc);
            const qint64 readNs = timer.nsecsElapsed();
            std::printf("%-18s %8zu %12.1f %12.1f %14.1f%s\n", family.name, mib, parseNs / 1e6, readNs / 1e6,
                        static_cast<double>(readNs) / static_cast<double>(input.size()),
                        (parsed.status == rtf::ParseStatus::Ok && read) ? "" : "  (refused)");
        }
    }
    return 0;
}
