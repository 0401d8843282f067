#include "richtext/RtfReader.h"

#include "richtext/CodePageDecoder.h"
#include "richtext/ReadProgress.h"
#include "richtext/RtfDocumentSink.h"
#include "richtext/RtfTextSink.h"
#include "richtext/RtfTokenizer.h"

#include <QHash>
#include <QIODevice>
#include <QTextDocument>

#include <algorithm>
#include <array>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

namespace {
using Kind = RtfTokenizer::Kind;

// Indents beyond a few metres are damage; bounding them keeps every sum of two in range.
constexpr int MaxIndentTwips = 1 << 24;
// More stops than any page has room for are damage too.
constexpr qsizetype MaxTabStops = 256;

// Control words the reader knows. Everything else is ignored (and, after \*, its group too).
enum class Word : unsigned char {
    Unknown,
    // document
    Rtf,
    Ansi,
    Mac,
    Pc,
    Pca,
    AnsiCpg,
    Deff,
    DefTab,
    Uc,
    U,
    Bin,
    Upr,
    Ud,
    // destinations
    FontTable,
    ColorTable,
    ListTable,
    ListOverrideTable,
    Pn,
    ListText,
    PnText,
    Field,
    FldInst,
    FldRslt,
    Skip,
    // font and colour table entries
    F,
    FCharset,
    Cpg,
    Fprq,
    Red,
    Green,
    Blue,
    // list table entries
    List,
    ListId,
    ListLevel,
    LevelNfc,
    ListOverride,
    // characters
    Plain,
    B,
    I,
    Ul,
    UlNone,
    Strike,
    Fs,
    Cf,
    Super,
    Sub,
    NoSuperSub,
    Up,
    Dn,
    V,
    // paragraphs
    Pard,
    Ql,
    Qr,
    Qc,
    Qj,
    Fi,
    Li,
    Ri,
    Ls,
    Ilvl,
    Tx,
    Tb,
    Tqr,
    Tqc,
    Tqdec,
    TlDot,
    TlHyph,
    TlUl,
    TlTh,
    TlEq,
    PnLvlBlt,
    PnLvlNumbered,
    // breaks and special characters
    Par,
    Line,
    Tab,
    Cell,
    Row,
    Sect,
    Page,
    EmDash,
    EnDash,
    Bullet,
    LQuote,
    RQuote,
    LDblQuote,
    RDblQuote,
    EmSpace,
    EnSpace,
    QmSpace,
    Zwj,
    Zwnj,
    LtrMark,
    RtlMark,
};

struct WordEntry {
    std::string_view name;
    Word word;
};

// Sorted by name for binary search.
// clang-format off
constexpr std::array WordTable = std::to_array<WordEntry>({
    {"aftncn", Word::Skip}, {"aftnsep", Word::Skip}, {"aftnsepc", Word::Skip}, {"annotation", Word::Skip},
    {"ansi", Word::Ansi}, {"ansicpg", Word::AnsiCpg}, {"atnauthor", Word::Skip}, {"atndate", Word::Skip},
    {"atnicn", Word::Skip}, {"atnid", Word::Skip}, {"atnparent", Word::Skip}, {"atnref", Word::Skip},
    {"atntime", Word::Skip}, {"author", Word::Skip}, {"b", Word::B}, {"bin", Word::Bin}, {"blue", Word::Blue},
    {"bullet", Word::Bullet}, {"buptim", Word::Skip}, {"category", Word::Skip}, {"cell", Word::Cell},
    {"cf", Word::Cf}, {"colortbl", Word::ColorTable}, {"comment", Word::Skip}, {"company", Word::Skip},
    {"cpg", Word::Cpg}, {"creatim", Word::Skip}, {"datastore", Word::Skip}, {"deff", Word::Deff},
    {"deftab", Word::DefTab}, {"dn", Word::Dn}, {"doccomm", Word::Skip}, {"docvar", Word::Skip},
    {"emdash", Word::EmDash}, {"emspace", Word::EmSpace}, {"endash", Word::EnDash},
    {"enspace", Word::EnSpace}, {"f", Word::F}, {"fcharset", Word::FCharset}, {"fi", Word::Fi},
    {"field", Word::Field}, {"filetbl", Word::Skip}, {"fldinst", Word::FldInst}, {"fldrslt", Word::FldRslt},
    {"fonttbl", Word::FontTable}, {"footer", Word::Skip}, {"footerf", Word::Skip}, {"footerl", Word::Skip},
    {"footerr", Word::Skip}, {"footnote", Word::Skip}, {"fprq", Word::Fprq}, {"fs", Word::Fs},
    {"ftncn", Word::Skip}, {"ftnsep", Word::Skip}, {"ftnsepc", Word::Skip}, {"generator", Word::Skip},
    {"green", Word::Green}, {"header", Word::Skip}, {"headerf", Word::Skip}, {"headerl", Word::Skip},
    {"headerr", Word::Skip}, {"i", Word::I}, {"ilvl", Word::Ilvl}, {"info", Word::Skip},
    {"keywords", Word::Skip}, {"ldblquote", Word::LDblQuote}, {"levelnfc", Word::LevelNfc},
    {"levelnfcn", Word::LevelNfc}, {"levelnumbers", Word::Skip}, {"leveltext", Word::Skip},
    {"li", Word::Li}, {"line", Word::Line}, {"list", Word::List}, {"listid", Word::ListId},
    {"listlevel", Word::ListLevel}, {"listname", Word::Skip}, {"listoverride", Word::ListOverride},
    {"listoverridetable", Word::ListOverrideTable}, {"listtable", Word::ListTable},
    {"listtext", Word::ListText}, {"lquote", Word::LQuote}, {"ls", Word::Ls}, {"ltrmark", Word::LtrMark},
    {"mac", Word::Mac}, {"nestcell", Word::Cell}, {"nestrow", Word::Row}, {"nonshppict", Word::Skip},
    {"nosupersub", Word::NoSuperSub}, {"objclass", Word::Skip}, {"objdata", Word::Skip},
    {"operator", Word::Skip}, {"page", Word::Page}, {"par", Word::Par}, {"pard", Word::Pard},
    {"pc", Word::Pc}, {"pca", Word::Pca}, {"pict", Word::Skip}, {"plain", Word::Plain}, {"pn", Word::Pn},
    {"pncard", Word::PnLvlNumbered}, {"pndec", Word::PnLvlNumbered}, {"pnlcltr", Word::PnLvlNumbered},
    {"pnlcrm", Word::PnLvlNumbered}, {"pnlvlblt", Word::PnLvlBlt}, {"pnlvlbody", Word::PnLvlNumbered},
    {"pnord", Word::PnLvlNumbered}, {"pnordt", Word::PnLvlNumbered}, {"pntext", Word::PnText},
    {"pntxta", Word::Skip}, {"pntxtb", Word::Skip}, {"pnucltr", Word::PnLvlNumbered},
    {"pnucrm", Word::PnLvlNumbered}, {"printim", Word::Skip}, {"private", Word::Skip}, {"qc", Word::Qc},
    {"qj", Word::Qj}, {"ql", Word::Ql}, {"qmspace", Word::QmSpace}, {"qr", Word::Qr},
    {"rdblquote", Word::RDblQuote}, {"red", Word::Red}, {"revtbl", Word::Skip}, {"revtim", Word::Skip},
    {"ri", Word::Ri}, {"row", Word::Row}, {"rquote", Word::RQuote}, {"rsidtbl", Word::Skip},
    {"rtf", Word::Rtf}, {"rtlmark", Word::RtlMark}, {"rxe", Word::Skip}, {"sect", Word::Sect},
    {"shprslt", Word::Skip}, {"strike", Word::Strike}, {"striked", Word::Strike}, {"stylesheet", Word::Skip},
    {"sub", Word::Sub}, {"subject", Word::Skip}, {"super", Word::Super}, {"tab", Word::Tab}, {"tb", Word::Tb},
    {"tc", Word::Skip}, {"template", Word::Skip}, {"title", Word::Skip}, {"tldot", Word::TlDot},
    {"tleq", Word::TlEq}, {"tlhyph", Word::TlHyph}, {"tlmdot", Word::TlDot}, {"tlth", Word::TlTh},
    {"tlul", Word::TlUl}, {"tqc", Word::Tqc}, {"tqdec", Word::Tqdec}, {"tqr", Word::Tqr}, {"tx", Word::Tx},
    {"txe", Word::Skip}, {"u", Word::U}, {"uc", Word::Uc}, {"ud", Word::Ud}, {"ul", Word::Ul},
    {"uld", Word::Ul}, {"uldash", Word::Ul}, {"uldashd", Word::Ul}, {"uldashdd", Word::Ul},
    {"uldb", Word::Ul}, {"ulhwave", Word::Ul}, {"ulldash", Word::Ul}, {"ulnone", Word::UlNone},
    {"ulth", Word::Ul}, {"ulthd", Word::Ul}, {"ulthdash", Word::Ul}, {"ulthdashd", Word::Ul},
    {"ulthdashdd", Word::Ul}, {"ulthldash", Word::Ul}, {"ululdbwave", Word::Ul}, {"ulw", Word::Ul},
    {"ulwave", Word::Ul}, {"up", Word::Up}, {"upr", Word::Upr}, {"userprops", Word::Skip}, {"v", Word::V},
    {"xe", Word::Skip}, {"xmlnstbl", Word::Skip}, {"zwj", Word::Zwj}, {"zwnj", Word::Zwnj},
});
// clang-format on

Word lookUp(QByteArrayView name)
{
    const std::string_view key(name.data(), size_t(name.size()));
    const auto it = std::lower_bound(WordTable.begin(), WordTable.end(), key,
                                     [](const WordEntry& e, std::string_view k) { return e.name < k; });
    return it != WordTable.end() && it->name == key ? it->word : Word::Unknown;
}

// Groups inside a font entry that hold something else than the name.
bool isFontEntryDestination(QByteArrayView name)
{
    return name == "fname" || name == "panose" || name == "falt" || name == "fontemb" || name == "fontfile";
}

// Where the text of a group goes.
enum class Destination : unsigned char {
    Body,       // the document
    FontTable,  // font entries
    ColorTable, // colour entries
    Pn,         // a paragraph-numbering description: its words tell bullets from numbers
    ListText,   // the text of a list marker (dropped; the list is the paragraph's property)
    ListTable,  // Word's list definitions: which lists are bulleted
    ListOverrideTable, // which list each \lsN stands for
    Upr,        // \upr: its plain group is dropped for the \ud that follows
    UprPlain,
};

struct RtfFont {
    int number = 0;
    int charset = 1;
    int codePage = 0; // 0: the document's
    int pitch = 0;
    QString name;
};

struct GroupState {
    Destination destination = Destination::Body;
    unsigned char skipAfterUnicode = 1; // \ucN
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    bool hidden = false;
    signed char verticalShift = 0;
    int font = -1;  // index into the reader's fonts, -1 the default font
    int color = -1; // index into the colour table, -1 automatic
    int sizeTwips = 240;
    RtfParaFormat paragraph;
    RtfParaFormat::List pnList = RtfParaFormat::List::None; // what a \pn group found
    bool pnSeen = false;
    int listOverride = 0; // \lsN of the paragraph, 0 none
    int listLevel = 0;    // \ilvlN
};

// Word's list tables: the kind of each level of each list, and the list each override names.
class ListTables {
public:
    static constexpr int MaxLevels = 9;
    void beginList() { m_levels.clear(); }
    void beginLevel()
    {
        if (m_levels.size() < MaxLevels)
            m_levels.push_back(RtfParaFormat::List::Numbered);
    }
    // \levelnfcN: 23 is a bullet, 255 no marker at all.
    void levelFormat(int nfc)
    {
        if (!m_levels.empty())
            m_levels.back() = nfc == 23 ? RtfParaFormat::List::Bullet
                              : nfc == 255 ? RtfParaFormat::List::None
                                           : RtfParaFormat::List::Numbered;
    }
    void listId(int id) { m_lists.insert(id, m_levels); }
    void overrideListId(int id) { m_overrideListId = id; }
    void overrideNumber(int ls) { m_overrides.insert(ls, m_overrideListId); }
    // The kind of level of the list \lsN names; false when the tables do not tell.
    bool kind(int ls, int level, RtfParaFormat::List& kind) const
    {
        const auto list = m_lists.constFind(m_overrides.value(ls, -1));
        if (list == m_lists.cend() || list->empty())
            return false;
        kind = (*list)[size_t(qBound(0, level, int(list->size()) - 1))];
        return true;
    }

private:
    std::vector<RtfParaFormat::List> m_levels; // of the list being read
    QHash<int, std::vector<RtfParaFormat::List>> m_lists;
    QHash<int, int> m_overrides;
    int m_overrideListId = -1;
};

class Parser {
public:
    Parser(QByteArrayView data, RtfSink& sink, ReadProgress* progress = nullptr)
        : Parser(RtfTokenizer(data), data.size(), data.lastIndexOf('}'), sink, progress)
    {
    }
    // lastBrace: where the input's last '}' is, -1 without one.
    Parser(RtfTokenizer tokens, qint64 size, qint64 lastBrace, RtfSink& sink, ReadProgress* progress)
        : m_tokens(std::move(tokens)), m_sink(sink), m_lastBrace(lastBrace), m_size(size), m_progress(progress)
    {
    }
    void run();

private:
    // Beyond this depth groups are counted but share their parent's state, so a file cannot
    // make the reader's memory grow with its nesting.
    static constexpr int MaxStateDepth = 4096;
    // How much input is read between two reports of progress.
    static constexpr qsizetype ReportEvery = 64 * 1024;

    void reportProgress();

    void groupStart();
    void finish();
    void groupEnd();
    void controlWord(const RtfTokenizer::Token& token);
    // The words of each destination; in the body, the words of the document and those that open a
    // destination come first, then those of characters, paragraphs and text.
    void fontTableWord(Word word, const RtfTokenizer::Token& token, bool atGroupStart);
    void colorTableWord(Word word, int value);
    void pnWord(Word word, const RtfTokenizer::Token& token, bool atGroupStart);
    void listTableWord(Word word, const RtfTokenizer::Token& token);
    void documentWord(Word word, const RtfTokenizer::Token& token, bool atGroupStart);
    void characterWord(Word word, const RtfTokenizer::Token& token);
    void paragraphWord(Word word, const RtfTokenizer::Token& token);
    void textWord(Word word);
    static bool isDocumentWord(Word word);
    void controlSymbol(char symbol);
    void bodyBytes(QByteArrayView bytes);
    void bodyChar(char16_t c);
    void fontTableText(QByteArrayView bytes);
    void fontNameBytesToText();
    void colorTableText(QByteArrayView bytes);
    void flushBytes();
    void flushText();
    void endParagraph();
    void pendingCellTab();
    void skipDestination();
    // The font in force: the group's, else the document's default font; null when neither is in the table.
    const RtfFont* effectiveFont() const;
    int codePageOfState() const;
    // The paragraph in force, its list kind looked up in the list tables.
    RtfParaFormat paragraphFormat() const;
    CodePageDecoder& decoder(int codePage);
    RtfCharFormat charFormat() const;
    bool inBody() const
    {
        return m_state.destination == Destination::Body && !m_state.hidden &&
               (!m_stack.empty() || m_overflowDepth > 0 || m_tokens.position() <= m_lastBrace);
    }

    RtfTokenizer m_tokens;
    RtfSink& m_sink;
    // Text outside every group (after a surplus closing brace) is part of the document, but
    // bytes after the last closing brace are not.
    qint64 m_lastBrace;
    qint64 m_size;
    ReadProgress* m_progress;
    qint64 m_nextReport = ReportEvery;

    GroupState m_state;
    std::vector<GroupState> m_stack; // the states of the enclosing groups
    qint64 m_overflowDepth = 0;      // groups opened beyond MaxStateDepth
    qint64 m_skipDepth = 0;          // >0: inside a skipped group, counting its nesting
    bool m_starred = false;          // \* seen at the start of the current group
    bool m_groupStart = false;       // no word seen yet in the current group
    int m_unicodeSkip = 0;           // fallback characters still to skip after \uN

    int m_documentCodePage = 1252;
    int m_defaultFontNumber = -1;
    std::vector<RtfFont> m_fonts;
    QHash<int, int> m_fontIndex; // font number -> index into m_fonts
    RtfFont* m_currentFont = nullptr;
    QByteArray m_fontNameBytes;
    QString m_fontName;
    size_t m_fontEntryDepth = 0; // the nesting of the group that holds the current entry
    std::vector<QRgb> m_colors;
    std::vector<bool> m_colorIsAuto;
    int m_red = 0, m_green = 0, m_blue = 0;
    bool m_colorHasValue = false;
    RtfParaFormat::List m_listTextKind = RtfParaFormat::List::None;
    ListTables m_listTables;
    TabStop m_pendingTab; // the kind and leader words seen before the \tx they belong to

    std::vector<std::unique_ptr<CodePageDecoder>> m_decoders;
    QByteArray m_pendingBytes;
    int m_pendingCodePage = 0;
    QString m_pendingText;
    RtfCharFormat m_pendingFormat;
    bool m_cellTab = false;
    bool m_paragraphHasText = false;
    bool m_paragraphEnded = false; // some paragraph has ended
    bool m_documentEnded = false;
    RtfParaFormat m_endParagraph;
    RtfCharFormat m_endMark;
};

void Parser::reportProgress()
{
    m_nextReport = m_tokens.position() + ReportEvery;
    m_progress->report(m_tokens.position(), m_size);
}

void Parser::run()
{
    m_pendingText.reserve(4096);
    for (;;) {
        const RtfTokenizer::Token token = m_tokens.next();
        if (m_progress && m_tokens.position() >= m_nextReport)
            reportProgress();
        if (m_skipDepth > 0) {
            if (token.kind == Kind::GroupStart) {
                ++m_skipDepth;
            } else if (token.kind == Kind::GroupEnd) {
                if (--m_skipDepth == 0)
                    groupEnd();
            } else if (token.kind == Kind::ControlWord && token.text == "bin") {
                m_tokens.skipBinary(token.parameter);
            } else if (token.kind == Kind::End) {
                break;
            }
            continue;
        }
        if (m_unicodeSkip > 0) {
            switch (token.kind) {
            case Kind::Text: {
                const qsizetype skipped = qMin<qsizetype>(m_unicodeSkip, token.text.size());
                m_unicodeSkip -= int(skipped);
                if (skipped < token.text.size())
                    bodyBytes(token.text.sliced(skipped));
                continue;
            }
            case Kind::HexByte:
            case Kind::ControlSymbol:
                --m_unicodeSkip;
                continue;
            case Kind::ControlWord:
                --m_unicodeSkip;
                if (token.text == "bin")
                    m_tokens.skipBinary(token.parameter);
                continue;
            default:
                m_unicodeSkip = 0;
                break;
            }
        }
        switch (token.kind) {
        case Kind::End:
            finish();
            return;
        case Kind::GroupStart:
            groupStart();
            break;
        case Kind::GroupEnd:
            groupEnd();
            break;
        case Kind::ControlWord:
            controlWord(token);
            m_groupStart = false;
            break;
        case Kind::ControlSymbol:
            controlSymbol(token.symbol);
            break;
        case Kind::Text:
            m_groupStart = false;
            bodyBytes(token.text);
            break;
        case Kind::HexByte:
            m_groupStart = false;
            if (token.byte >= 0) {
                const char byte = char(token.byte);
                bodyBytes(QByteArrayView(&byte, 1));
            }
            break;
        }
    }
    finish();
}

void Parser::finish()
{
    flushText();
    const bool ended = m_documentEnded && m_stack.empty();
    RtfParaFormat last = ended ? m_endParagraph : paragraphFormat();
    // A document whose last paragraph ends with \par has no paragraph after it; the empty one
    // our document keeps there shows no bullet.
    if (m_paragraphEnded && !m_paragraphHasText)
        last.list = RtfParaFormat::List::None;
    m_sink.finish(last, ended ? m_endMark : charFormat());
}

void Parser::groupStart()
{
    flushBytes();
    if (m_stack.size() >= MaxStateDepth) {
        ++m_overflowDepth;
    } else {
        m_stack.push_back(m_state);
        if (m_state.destination == Destination::Upr)
            m_state.destination = Destination::UprPlain;
        m_state.pnSeen = false;
    }
    m_starred = false;
    m_groupStart = true;
}

void Parser::groupEnd()
{
    flushBytes();
    m_starred = false;
    m_groupStart = false;
    if (m_overflowDepth > 0) {
        --m_overflowDepth;
        return;
    }
    if (m_stack.empty())
        return; // unbalanced: more closing braces than opening ones
    if (m_stack.size() == 1) {
        // The document's last paragraph has the formats in force where the document ends.
        m_endParagraph = paragraphFormat();
        m_endMark = charFormat();
        m_documentEnded = true;
    }
    const GroupState closing = m_state;
    if (closing.destination == Destination::FontTable && m_currentFont && m_stack.size() == m_fontEntryDepth)
        fontTableText(";"); // an entry's group ends its name
    m_state = m_stack.back();
    m_stack.pop_back();
    if (closing.pnSeen)
        m_state.paragraph.list = closing.pnList;
    if (closing.destination == Destination::ListText && m_state.destination == Destination::Body)
        m_state.paragraph.list = m_listTextKind;
}

void Parser::skipDestination()
{
    // The current group's state is on the stack; restore it when the group ends.
    m_skipDepth = 1;
}

const RtfFont* Parser::effectiveFont() const
{
    int font = m_state.font;
    if (font < 0) {
        const auto it = m_fontIndex.constFind(m_defaultFontNumber);
        font = it != m_fontIndex.cend() ? *it : -1;
    }
    return font >= 0 ? &m_fonts[size_t(font)] : nullptr;
}

int Parser::codePageOfState() const
{
    const RtfFont* font = effectiveFont();
    return font && font->codePage != 0 ? font->codePage : m_documentCodePage;
}

RtfParaFormat Parser::paragraphFormat() const
{
    RtfParaFormat format = m_state.paragraph;
    RtfParaFormat::List kind;
    if (m_state.listOverride > 0 && m_listTables.kind(m_state.listOverride, m_state.listLevel, kind))
        format.list = kind;
    return format;
}

CodePageDecoder& Parser::decoder(int codePage)
{
    for (auto& d : m_decoders) {
        if (d->codePage() == codePage)
            return *d;
    }
    m_decoders.push_back(std::make_unique<CodePageDecoder>(codePage));
    // An unknown code page reads as 1252; remember it under the asked number too.
    if (m_decoders.back()->codePage() != codePage) {
        m_decoders.pop_back();
        for (auto& d : m_decoders) {
            if (d->codePage() == 1252)
                return *d;
        }
        m_decoders.push_back(std::make_unique<CodePageDecoder>(1252));
    }
    return *m_decoders.back();
}

RtfCharFormat Parser::charFormat() const
{
    RtfCharFormat format;
    if (const RtfFont* font = effectiveFont()) {
        format.face = font->name;
        format.charset = font->charset;
        format.pitch = font->pitch;
    }
    format.sizeTwips = m_state.sizeTwips;
    format.bold = m_state.bold;
    format.italic = m_state.italic;
    format.underline = m_state.underline;
    format.strikeOut = m_state.strikeOut;
    format.verticalShift = m_state.verticalShift;
    if (m_state.color >= 0 && size_t(m_state.color) < m_colors.size() &&
        !m_colorIsAuto[size_t(m_state.color)]) {
        format.hasColor = true;
        format.color = m_colors[size_t(m_state.color)];
    }
    return format;
}

void Parser::flushBytes()
{
    if (m_pendingBytes.isEmpty())
        return;
    decoder(m_pendingCodePage).decode(m_pendingBytes, m_pendingText);
    m_pendingBytes.clear();
}

void Parser::flushText()
{
    flushBytes();
    if (!m_pendingText.isEmpty()) {
        m_sink.text(m_pendingText, m_pendingFormat);
        m_pendingText.clear();
    }
}

void Parser::pendingCellTab()
{
    if (m_cellTab) {
        m_cellTab = false;
        bodyChar(u'\t');
    }
}

void Parser::bodyBytes(QByteArrayView bytes)
{
    switch (m_state.destination) {
    case Destination::Body:
        break;
    case Destination::FontTable:
        fontTableText(bytes);
        return;
    case Destination::ColorTable:
        colorTableText(bytes);
        return;
    case Destination::ListText:
        for (char c : bytes) {
            if (c >= '0' && c <= '9')
                m_listTextKind = RtfParaFormat::List::Numbered;
        }
        return;
    default:
        return;
    }
    if (!inBody())
        return;
    m_paragraphHasText = true;
    if (m_cellTab)
        pendingCellTab();
    const int codePage = codePageOfState();
    if (!m_pendingBytes.isEmpty() && codePage != m_pendingCodePage)
        flushBytes();
    if (m_pendingBytes.isEmpty()) {
        const RtfCharFormat format = charFormat();
        if (format != m_pendingFormat) {
            flushText();
            m_pendingFormat = format;
        }
        m_pendingCodePage = codePage;
    }
    m_pendingBytes.append(bytes);
}

void Parser::bodyChar(char16_t c)
{
    if (m_state.destination == Destination::FontTable && m_currentFont) {
        fontNameBytesToText();
        m_fontName.append(QChar(c));
        return;
    }
    if (!inBody())
        return;
    m_paragraphHasText = true;
    if (m_cellTab && c != u'\t')
        pendingCellTab();
    flushBytes();
    const RtfCharFormat format = charFormat();
    if (format != m_pendingFormat) {
        flushText();
        m_pendingFormat = format;
    }
    m_pendingText.append(QChar(c));
}

void Parser::endParagraph()
{
    if (m_state.destination != Destination::Body)
        return;
    m_cellTab = false;
    flushText();
    m_sink.endParagraph(paragraphFormat(), charFormat());
    m_paragraphHasText = false;
    m_paragraphEnded = true;
    m_listTextKind = RtfParaFormat::List::None;
}

void Parser::fontNameBytesToText()
{
    if (m_fontNameBytes.isEmpty() || !m_currentFont)
        return;
    const int codePage = m_currentFont->codePage ? m_currentFont->codePage : m_documentCodePage;
    decoder(codePage).decode(m_fontNameBytes, m_fontName);
    m_fontNameBytes.clear();
}

void Parser::fontTableText(QByteArrayView bytes)
{
    for (char c : bytes) {
        if (c == ';') {
            if (m_currentFont) {
                fontNameBytesToText();
                m_currentFont->name = m_fontName.trimmed();
            }
            m_fontNameBytes.clear();
            m_fontName.clear();
            m_currentFont = nullptr;
        } else if (m_currentFont) {
            m_fontNameBytes.append(c);
        }
    }
}

void Parser::colorTableText(QByteArrayView bytes)
{
    for (char c : bytes) {
        if (c != ';')
            continue;
        m_colors.push_back(qRgb(m_red, m_green, m_blue));
        m_colorIsAuto.push_back(!m_colorHasValue);
        m_red = m_green = m_blue = 0;
        m_colorHasValue = false;
    }
}

void Parser::controlSymbol(char symbol)
{
    if (symbol == '*') {
        m_starred = true; // the group's destination may be skipped when unknown
        return;
    }
    m_groupStart = false;
    switch (symbol) {
    case '\n': // a backslash before a line break
        endParagraph();
        break;
    case '\\':
    case '{':
    case '}':
        bodyBytes(QByteArrayView(&symbol, 1));
        break;
    case '~':
        bodyChar(u'\u00a0');
        break;
    case '_':
        bodyChar(u'\u2011');
        break;
    case '-': // an optional hyphen: shown only where a line breaks there
        bodyChar(u'\u00ad');
        break;
    case '\t':
        bodyChar(u'\t');
        break;
    default:
        break;
    }
}

void Parser::fontTableWord(Word word, const RtfTokenizer::Token& token, bool atGroupStart)
{
    if (atGroupStart && isFontEntryDestination(token.text)) {
        skipDestination(); // \fname, \panose ... inside an entry
        return;
    }
    switch (word) {
    case Word::F: {
        if (m_currentFont)
            fontTableText(";");
        const auto it = m_fontIndex.constFind(token.parameter);
        if (it != m_fontIndex.cend()) {
            m_currentFont = &m_fonts[size_t(*it)];
            *m_currentFont = RtfFont{};
        } else {
            m_fontIndex.insert(token.parameter, int(m_fonts.size()));
            m_fonts.emplace_back();
            m_currentFont = &m_fonts.back();
        }
        m_currentFont->number = token.parameter;
        m_fontEntryDepth = m_stack.size();
        m_fontNameBytes.clear();
        m_fontName.clear();
        break;
    }
    case Word::FCharset:
        if (m_currentFont) {
            m_currentFont->charset = token.parameter;
            if (m_currentFont->codePage == 0 ||
                m_currentFont->codePage == CodePageDecoder::codePageOfCharset(0))
                m_currentFont->codePage = CodePageDecoder::codePageOfCharset(token.parameter);
        }
        break;
    case Word::Cpg:
        if (m_currentFont && token.parameter > 0)
            m_currentFont->codePage = token.parameter;
        break;
    case Word::Fprq:
        if (m_currentFont)
            m_currentFont->pitch = token.parameter == 1 ? 1 : token.parameter == 2 ? 2 : 0;
        break;
    case Word::Bin:
        m_tokens.skipBinary(token.parameter);
        break;
    case Word::U: {
        const int p = token.parameter;
        bodyChar(char16_t(p < 0 ? p + 65536 : qMin(p, 0xFFFF)));
        m_unicodeSkip = m_state.skipAfterUnicode;
        break;
    }
    default:
        break;
    }
}

void Parser::colorTableWord(Word word, int value)
{
    value = qBound(0, value, 255);
    switch (word) {
    case Word::Red:
        m_red = value;
        break;
    case Word::Green:
        m_green = value;
        break;
    case Word::Blue:
        m_blue = value;
        break;
    default:
        return;
    }
    m_colorHasValue = true;
}

void Parser::pnWord(Word word, const RtfTokenizer::Token& token, bool atGroupStart)
{
    if (word == Word::PnLvlBlt) {
        m_state.pnList = RtfParaFormat::List::Bullet;
    } else if (word == Word::PnLvlNumbered) {
        if (m_state.pnList == RtfParaFormat::List::None || token.parameter != 0)
            m_state.pnList = RtfParaFormat::List::Numbered;
    } else if (atGroupStart || word == Word::Skip) {
        skipDestination();
    } else if (word == Word::Bin) {
        m_tokens.skipBinary(token.parameter);
    }
}

void Parser::listTableWord(Word word, const RtfTokenizer::Token& token)
{
    const bool overrides = m_state.destination == Destination::ListOverrideTable;
    switch (word) {
    case Word::List:
        m_listTables.beginList();
        break;
    case Word::ListLevel:
        m_listTables.beginLevel();
        break;
    case Word::LevelNfc:
        m_listTables.levelFormat(token.parameter);
        break;
    case Word::ListId:
        if (overrides)
            m_listTables.overrideListId(token.parameter);
        else
            m_listTables.listId(token.parameter);
        break;
    case Word::ListOverride:
        m_listTables.overrideListId(-1);
        break;
    case Word::Ls:
        if (overrides)
            m_listTables.overrideNumber(token.parameter);
        break;
    case Word::Skip:
        skipDestination();
        break;
    case Word::Bin:
        m_tokens.skipBinary(token.parameter);
        break;
    default:
        break;
    }
}

bool Parser::isDocumentWord(Word word)
{
    switch (word) {
    case Word::Unknown:
    case Word::Rtf:
    case Word::Ansi:
    case Word::Mac:
    case Word::Pc:
    case Word::Pca:
    case Word::AnsiCpg:
    case Word::Deff:
    case Word::DefTab:
    case Word::Uc:
    case Word::U:
    case Word::Bin:
    case Word::FontTable:
    case Word::ColorTable:
    case Word::ListTable:
    case Word::ListOverrideTable:
    case Word::Pn:
    case Word::ListText:
    case Word::PnText:
    case Word::Upr:
    case Word::Ud:
    case Word::Field:
    case Word::FldInst:
    case Word::FldRslt:
    case Word::Skip:
        return true;
    default:
        return false;
    }
}

void Parser::controlWord(const RtfTokenizer::Token& token)
{
    const Word word = token.text.isEmpty() ? Word::Unknown : lookUp(token.text);
    const bool atGroupStart = m_groupStart;

    if (m_starred && atGroupStart) {
        m_starred = false;
        // An ignorable destination we do not read: its whole group goes.
        if (word != Word::Pn && word != Word::Ud && word != Word::FldInst && word != Word::ListText &&
            word != Word::PnText && word != Word::ListTable && word != Word::ListOverrideTable) {
            flushBytes();
            skipDestination();
            return;
        }
    }

    switch (m_state.destination) {
    case Destination::UprPlain:
        if (word == Word::Ud)
            m_state.destination = Destination::Body;
        else if (atGroupStart)
            skipDestination();
        return;
    case Destination::FontTable:
        fontTableWord(word, token, atGroupStart);
        return;
    case Destination::ColorTable:
        colorTableWord(word, token.parameter);
        return;
    case Destination::Pn:
        pnWord(word, token, atGroupStart);
        return;
    case Destination::ListTable:
    case Destination::ListOverrideTable:
        listTableWord(word, token);
        return;
    default:
        break;
    }
    if (isDocumentWord(word)) {
        documentWord(word, token, atGroupStart);
        return;
    }
    // Formatting and text of the body (also inside groups that only hold formatting).
    flushBytes();
    characterWord(word, token);
    paragraphWord(word, token);
    textWord(word);
}

void Parser::documentWord(Word word, const RtfTokenizer::Token& token, bool atGroupStart)
{
    const int p = token.parameter;
    switch (word) {
    case Word::Ansi:
        m_documentCodePage = 1252;
        return;
    case Word::Mac:
        m_documentCodePage = 10000;
        return;
    case Word::Pc:
        m_documentCodePage = 437;
        return;
    case Word::Pca:
        m_documentCodePage = 850;
        return;
    case Word::AnsiCpg:
        flushBytes();
        m_documentCodePage = p > 0 ? p : 1252;
        return;
    case Word::Deff:
        m_defaultFontNumber = p;
        return;
    case Word::DefTab:
        if (p > 0)
            m_sink.defaultTab(qMin(p, TabStop::MaxPositionTwips));
        return;
    case Word::Uc:
        m_state.skipAfterUnicode = static_cast<unsigned char>(qBound(0, p, 255));
        return;
    case Word::U: {
        // Out of range (or NUL) gives no character; its fallback is skipped all the same.
        const int value = p < 0 ? p + 65536 : p;
        if (token.hasParameter && value > 0 && value <= 0xFFFF)
            bodyChar(char16_t(value));
        m_unicodeSkip = m_state.skipAfterUnicode;
        return;
    }
    case Word::Bin:
        flushBytes();
        m_tokens.skipBinary(p);
        return;
    case Word::Upr:
        m_state.destination = Destination::Upr;
        return;
    case Word::Ud:
        if (m_state.destination == Destination::Upr || atGroupStart)
            m_state.destination = Destination::Body;
        return;
    case Word::FontTable:
        flushBytes();
        m_state.destination = Destination::FontTable;
        m_currentFont = nullptr;
        return;
    case Word::ColorTable:
        flushBytes();
        m_state.destination = Destination::ColorTable;
        return;
    case Word::ListTable:
        flushBytes();
        m_state.destination = Destination::ListTable;
        return;
    case Word::ListOverrideTable:
        flushBytes();
        m_state.destination = Destination::ListOverrideTable;
        return;
    case Word::Pn:
        flushBytes();
        m_state.destination = Destination::Pn;
        m_state.pnSeen = true;
        m_state.pnList = RtfParaFormat::List::None;
        return;
    case Word::ListText:
    case Word::PnText:
        flushBytes();
        m_state.destination = Destination::ListText;
        m_listTextKind = RtfParaFormat::List::Bullet;
        return;
    case Word::FldInst:
    case Word::Skip:
        flushBytes();
        skipDestination();
        return;
    default: // \rtf, \field, \fldrslt and words we do not know
        return;
    }
}

void Parser::characterWord(Word word, const RtfTokenizer::Token& token)
{
    const int p = token.parameter;
    const bool on = !token.hasParameter || p != 0;
    switch (word) {
    case Word::F: {
        const auto it = m_fontIndex.constFind(p);
        m_state.font = it != m_fontIndex.cend() ? *it : -1;
        break;
    }
    case Word::Plain:
        m_state.font = -1;
        m_state.sizeTwips = 240;
        m_state.bold = m_state.italic = m_state.underline = m_state.strikeOut = m_state.hidden = false;
        m_state.verticalShift = 0;
        m_state.color = -1;
        break;
    case Word::B:
        m_state.bold = on;
        break;
    case Word::I:
        m_state.italic = on;
        break;
    case Word::Ul:
        m_state.underline = on;
        break;
    case Word::UlNone:
        m_state.underline = false;
        break;
    case Word::Strike:
        m_state.strikeOut = on;
        break;
    case Word::Fs:
        if (token.hasParameter && p > 0)
            m_state.sizeTwips = qMin(p, 3276) * 10;
        break;
    case Word::Cf:
        m_state.color = p > 0 ? p : -1;
        break;
    case Word::Super:
        m_state.verticalShift = 1;
        break;
    case Word::Sub:
        m_state.verticalShift = -1;
        break;
    case Word::NoSuperSub:
        m_state.verticalShift = 0;
        break;
    case Word::Up:
        m_state.verticalShift = p != 0 ? 1 : 0;
        break;
    case Word::Dn:
        m_state.verticalShift = p != 0 ? -1 : 0;
        break;
    case Word::V:
        m_state.hidden = on;
        break;
    default:
        break;
    }
}

void Parser::paragraphWord(Word word, const RtfTokenizer::Token& token)
{
    const int p = token.parameter;
    RtfParaFormat& paragraph = m_state.paragraph;
    switch (word) {
    case Word::Pard:
        paragraph = RtfParaFormat{};
        m_state.listOverride = 0;
        m_state.listLevel = 0;
        m_pendingTab = TabStop{};
        break;
    case Word::Ql:
        paragraph.align = RtfParaFormat::Align::Left;
        break;
    case Word::Qr:
        paragraph.align = RtfParaFormat::Align::Right;
        break;
    case Word::Qc:
        paragraph.align = RtfParaFormat::Align::Center;
        break;
    case Word::Qj:
        paragraph.align = RtfParaFormat::Align::Justify;
        break;
    case Word::Fi: {
        // RTF holds the first line relative to the left indent; we hold it from the edge.
        const int left = paragraph.firstIndentTwips + paragraph.leftOffsetTwips;
        const int first = left + qBound(-MaxIndentTwips, p, MaxIndentTwips);
        paragraph.firstIndentTwips = first;
        paragraph.leftOffsetTwips = left - first;
        break;
    }
    case Word::Li: {
        const int fi = -paragraph.leftOffsetTwips;
        const int left = qBound(-MaxIndentTwips, p, MaxIndentTwips);
        paragraph.firstIndentTwips = left + fi;
        paragraph.leftOffsetTwips = left - paragraph.firstIndentTwips;
        break;
    }
    case Word::Ri:
        paragraph.rightIndentTwips = qBound(-MaxIndentTwips, p, MaxIndentTwips);
        break;
    case Word::Ls:
        m_state.listOverride = p;
        if (paragraph.list == RtfParaFormat::List::None)
            paragraph.list =
                m_listTextKind != RtfParaFormat::List::None ? m_listTextKind : RtfParaFormat::List::Bullet;
        break;
    case Word::Ilvl:
        m_state.listLevel = p;
        break;
    case Word::Tqr:
        m_pendingTab.alignment = TabStop::Alignment::Right;
        break;
    case Word::Tqc:
        m_pendingTab.alignment = TabStop::Alignment::Center;
        break;
    case Word::Tqdec:
        m_pendingTab.alignment = TabStop::Alignment::Decimal;
        break;
    case Word::TlDot:
        m_pendingTab.leader = TabStop::Leader::Dots;
        break;
    case Word::TlHyph:
        m_pendingTab.leader = TabStop::Leader::Hyphens;
        break;
    case Word::TlUl:
        m_pendingTab.leader = TabStop::Leader::Underline;
        break;
    case Word::TlTh:
        m_pendingTab.leader = TabStop::Leader::ThickLine;
        break;
    case Word::TlEq:
        m_pendingTab.leader = TabStop::Leader::Equals;
        break;
    case Word::Tx:
        // A paragraph holds as many stops as the file gives, but no more than a page could use.
        if (paragraph.tabs.size() < MaxTabStops) {
            m_pendingTab.positionTwips = qBound(0, p, TabStop::MaxPositionTwips);
            paragraph.tabs.append(m_pendingTab);
        }
        m_pendingTab = TabStop{};
        break;
    case Word::Tb: // a bar, not a stop
        m_pendingTab = TabStop{};
        break;
    default:
        break;
    }
}

void Parser::textWord(Word word)
{
    switch (word) {
    case Word::Par:
        endParagraph();
        break;
    case Word::Row:
        m_cellTab = false;
        endParagraph();
        break;
    case Word::Sect:
    case Word::Page:
        if (m_paragraphHasText)
            endParagraph();
        break;
    case Word::Line:
        bodyChar(QChar::LineSeparator);
        break;
    case Word::Tab:
        bodyChar(u'\t');
        break;
    case Word::Cell:
        if (inBody()) {
            pendingCellTab();
            m_cellTab = true;
        }
        break;
    case Word::EmDash:
        bodyChar(u'\u2014');
        break;
    case Word::EnDash:
        bodyChar(u'\u2013');
        break;
    case Word::Bullet:
        bodyChar(u'\u2022');
        break;
    case Word::LQuote:
        bodyChar(u'\u2018');
        break;
    case Word::RQuote:
        bodyChar(u'\u2019');
        break;
    case Word::LDblQuote:
        bodyChar(u'\u201c');
        break;
    case Word::RDblQuote:
        bodyChar(u'\u201d');
        break;
    case Word::EmSpace:
        bodyChar(u'\u2003');
        break;
    case Word::EnSpace:
        bodyChar(u'\u2002');
        break;
    case Word::QmSpace:
        bodyChar(u'\u2005');
        break;
    case Word::Zwj:
        bodyChar(u'\u200d');
        break;
    case Word::Zwnj:
        bodyChar(u'\u200c');
        break;
    case Word::LtrMark:
        bodyChar(u'\u200e');
        break;
    case Word::RtlMark:
        bodyChar(u'\u200f');
        break;
    default:
        break;
    }
}
} // namespace

namespace {
constexpr QByteArrayView RtfStart("{\\rtf");

// data without the byte-order mark and blanks that may come before RTF.
QByteArrayView withoutLeadingBlanks(QByteArrayView data)
{
    if (data.startsWith("\xEF\xBB\xBF"))
        data = data.sliced(3);
    qsizetype pos = 0;
    while (pos < data.size() &&
           (data[pos] == ' ' || data[pos] == '\t' || data[pos] == '\r' || data[pos] == '\n'))
        ++pos;
    return data.sliced(pos);
}
} // namespace

bool RtfReader::looksLikeRtf(QByteArrayView data)
{
    return withoutLeadingBlanks(data).startsWith(RtfStart);
}

bool RtfReader::parse(QByteArrayView data, RtfSink& sink)
{
    if (!looksLikeRtf(data))
        return false;
    Parser(data, sink).run();
    return true;
}

bool RtfReader::read(QByteArrayView data, QTextDocument& document, ReadProgress* progress)
{
    if (!looksLikeRtf(data))
        return false;
    RtfDocumentSink sink(document);
    Parser(data, sink, progress).run();
    return true;
}

namespace {
// Whether the device's data starts as RTF, looking no further than the blanks before it.
bool startsAsRtf(QIODevice& device)
{
    for (qint64 size = 4096;; size *= 2) {
        const QByteArray head = device.peek(size);
        const QByteArrayView rest = withoutLeadingBlanks(head);
        if (rest.startsWith(RtfStart))
            return true;
        // Only blanks, or blanks and the start of "{\rtf", up to the end of a full head: the
        // answer lies further on.
        if (head.size() < size || rest.size() >= RtfStart.size() || !RtfStart.startsWith(rest))
            return false;
    }
}

// Where the device's last '}' is, counted from its current position (-1 without one), found by
// reading backwards from the end a block at a time. The device is left where it was.
qint64 lastBraceOf(QIODevice& device)
{
    const qint64 start = device.pos();
    qint64 found = -1;
    for (qint64 to = device.size(); to > start && found < 0;) {
        const qint64 from = qMax(start, to - RtfTokenizer::DefaultBlockSize);
        if (!device.seek(from))
            break;
        const QByteArray block = device.read(to - from);
        const qsizetype at = block.lastIndexOf('}');
        if (at >= 0)
            found = from - start + at;
        to = from;
    }
    device.seek(start);
    return found;
}

// What the parser needs to know of a device before reading it a block at a time; nothing when
// the device's data is not RTF.
struct DeviceInput {
    qint64 size;
    qint64 lastBrace;
};

std::optional<DeviceInput> deviceInput(QIODevice& device)
{
    if (!startsAsRtf(device))
        return std::nullopt;
    const qint64 lastBrace = lastBraceOf(device);
    return DeviceInput{device.size() - device.pos(), lastBrace};
}
} // namespace

bool RtfReader::read(QIODevice& device, QTextDocument& document, ReadProgress* progress, qsizetype blockSize)
{
    if (!device.isReadable())
        return false;
    if (device.isSequential())
        return read(device.readAll(), document, progress);
    const std::optional<DeviceInput> input = deviceInput(device);
    if (!input)
        return false;
    RtfDocumentSink sink(document);
    Parser(RtfTokenizer(device, blockSize), input->size, input->lastBrace, sink, progress).run();
    return true;
}

bool RtfReader::parse(QIODevice& device, RtfSink& sink, qsizetype blockSize)
{
    if (!device.isReadable())
        return false;
    if (device.isSequential())
        return parse(device.readAll(), sink);
    const std::optional<DeviceInput> input = deviceInput(device);
    if (!input)
        return false;
    Parser(RtfTokenizer(device, blockSize), input->size, input->lastBrace, sink, nullptr).run();
    return true;
}

bool RtfReader::readText(QIODevice& device, QString& text, qsizetype blockSize)
{
    RtfTextSink sink;
    if (!parse(device, sink, blockSize))
        return false;
    text = sink.takeText();
    return true;
}

bool RtfReader::readText(QByteArrayView data, QString& text)
{
    if (!looksLikeRtf(data))
        return false;
    RtfTextSink sink;
    Parser(data, sink).run();
    text = sink.takeText();
    return true;
}
