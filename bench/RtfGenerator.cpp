#include "bench/RtfGenerator.h"

#include <array>
#include <random>

namespace {
constexpr std::array Words = {"the",     "document", "engine",  "reads",      "every", "paragraph", "with",
                              "its",     "format",   "quickly", "and",        "keeps", "memory",    "small",
                              "while",   "fonts",    "colours", "sizes",      "come",  "from",      "tables",
                              "written", "by",       "word",    "processors", "of",    "all",       "kinds"};
// Western accents in 1252 (\'hh), Cyrillic in 1251, Japanese in 932, and \uN with fallbacks.
constexpr std::array Accented = {"caf\\'e9", "na\\'efve", "\\'fcber", "se\\'f1or", "gar\\'e7on"};
constexpr std::array Cyrillic = {"\\'ef\\'f0\\'e8\\'e2\\'e5\\'f2", "\\'ec\\'e8\\'f0",
                                 "\\'f2\\'e5\\'ea\\'f1\\'f2"};
constexpr std::array Japanese = {"\\'93\\'fa\\'96\\'7b\\'8c\\'ea", "\\'82\\'a0\\'82\\'a2\\'82\\'a4"};
constexpr std::array Unicode = {"\\u8220\\'93", "\\u8221\\'94", "\\u8212\\'97", "\\u916?",
                                "\\u-10179?\\u-8704?"};
} // namespace

QByteArray RtfGenerator::generate(qsizetype approximateBytes, unsigned seed)
{
    std::mt19937 random(seed);
    auto pick = [&](int n) { return int(random() % unsigned(n)); };

    QByteArray out;
    out.reserve(approximateBytes + 4096);
    out += "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}"
           "{\\f1\\froman\\fcharset0\\fprq2 Times New Roman;}{\\f2\\fswiss\\fcharset204 Arial Cyr;}"
           "{\\f3\\fnil\\fcharset128\\fprq1 MS Gothic;}{\\f4\\fswiss\\fcharset238 Arial CE;}"
           "{\\f5\\fnil\\fcharset2 Symbol;}}\r\n"
           "{\\colortbl ;\\red255\\green0\\blue0;\\red0\\green128\\blue0;\\red0\\green0\\blue255;"
           "\\red128\\green0\\blue128;}\r\n"
           "{\\*\\generator Lumaro bench;}{\\info{\\title Generated}{\\author bench}}\\viewkind4\r\n";
    int paragraph = 0;
    while (out.size() < approximateBytes) {
        const bool bullet = paragraph % 7 >= 5;
        out += "\\pard";
        if (bullet)
            out +=
                "{\\pntext\\f5\\'B7\\tab}{\\*\\pn\\pnlvlblt\\pnf5\\pnindent0{\\pntxtb\\'B7}}\\fi-360\\li720";
        else if (paragraph % 5 == 1)
            out += "\\fi720\\li360\\ri360";
        if (paragraph % 11 == 3)
            out += "\\qc";
        out += "\\plain\\f0\\fs20 ";
        const int runs = 8 + pick(24);
        for (int run = 0; run < runs; ++run) {
            switch (pick(12)) {
            case 0:
                out += "{\\b ";
                out += Words[size_t(pick(int(Words.size())))];
                out += "} ";
                break;
            case 1:
                out += "\\i ";
                out += Words[size_t(pick(int(Words.size())))];
                out += "\\i0  ";
                break;
            case 2:
                out += "{\\ul\\cf" + QByteArray::number(1 + pick(4)) + ' ' +
                       Words[size_t(pick(int(Words.size())))] + "} ";
                break;
            case 3:
                out += "{\\fs" + QByteArray::number(16 + 2 * pick(10)) + ' ' +
                       Words[size_t(pick(int(Words.size())))] + "} ";
                break;
            case 4:
                out += Accented[size_t(pick(int(Accented.size())))];
                out += ' ';
                break;
            case 5:
                out += "{\\f2 ";
                out += Cyrillic[size_t(pick(int(Cyrillic.size())))];
                out += "} ";
                break;
            case 6:
                out += "{\\f3 ";
                out += Japanese[size_t(pick(int(Japanese.size())))];
                out += "} ";
                break;
            case 7:
                out += Unicode[size_t(pick(int(Unicode.size())))];
                out += ' ';
                break;
            case 8:
                out += "\\tab ";
                break;
            case 9:
                out += "{\\strike\\f1 struck} ";
                break;
            default:
                for (int word = 0; word < 4; ++word) {
                    out += Words[size_t(pick(int(Words.size())))];
                    out += ' ';
                }
                break;
            }
        }
        if (paragraph % 13 == 12)
            out += "\\line second line";
        out += "\\par\r\n";
        ++paragraph;
    }
    out += "}\r\n";
    return out;
}
