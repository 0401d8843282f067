#pragma once

#include "richtext/DocumentFormat.h"
#include "richtext/RtfSink.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringView>

#include <utility>
#include <vector>

class QFont;

// The RTF we write, from formats as the reader reports them. Every way of writing a document uses
// it: RtfWriter from a QTextDocument, RtfWriterSink straight from the reader, DocumentSnapshot for
// the recovery copy. The body is written
// as it comes; the tables it refers to (faces, colours, lists) are collected on the way, in the
// order they are first met, and come out as the header once the body is done.
class RtfEmitter {
public:
    // defaultFace stands for a format that names no face; defaultTabTwips is \deftab.
    RtfEmitter(QString defaultFace, int defaultTabTwips);
    void setDefaultTab(int twips) { m_defaultTab = twips; }

    // The face a document's default font names.
    static QString defaultFace(const QFont& font);
    // Formats as a QTextDocument holds them (DocumentFormat.h); defaultTwips is the size of text
    // without one of its own.
    static RtfCharFormat charFormatOf(const QTextCharFormat& format, int defaultTwips);
    static RtfParaFormat paragraphFormatOf(const QTextBlockFormat& format, DocumentFormat::ListKind list);

    // Faces, colours and lists get their numbers in the order these are first called.
    void addFace(const RtfCharFormat& format);
    // A paragraph's list: bullets of the same indents share one; a numbered list is one run of
    // numbered paragraphs, told apart by numbering. The first bulleted list adds the Symbol face.
    void addList(const RtfParaFormat& format, quintptr numbering);

    // "\pard", the marker text and list of a list paragraph (number counts from 1), alignment,
    // indents and tab stops.
    void paragraphFormat(const RtfParaFormat& format, quintptr numbering, int number);
    // The format's control words and the space that ends them.
    void charFormat(const RtfCharFormat& format);
    void text(QStringView text) { appendText(m_body, text); }
    // The paragraph mark, in its format (what typing in an empty paragraph uses). The last
    // paragraph has no mark: its format is the one in force where the document ends.
    void paragraphEnd(const RtfCharFormat& mark, bool last);
    QByteArray& body() { return m_body; }
    // text as RTF: escaped, a tab, a line break and a non-breaking space as control words, other
    // letters beyond ASCII as \u with a fallback; other control characters are left out.
    static void appendText(QByteArray& out, QStringView text);

    // A paragraph gathered run by run and written whole at its end, for callers that learn its
    // format and mark last: adjacent runs of one format join. The tables get their entries in the
    // order RtfWriter meets them: the mark's face, the runs' faces, the list.
    void addRun(QStringView text, const RtfCharFormat& format);
    void endParagraph(const RtfParaFormat& format, quintptr numbering, int number, const RtfCharFormat& mark,
                      bool last);

    // Ends the body; the header follows from what it used.
    void finishBody();
    QByteArray header();

private:
    struct Face {
        QString name;
        int charset;
        int pitch;
        bool operator==(const Face&) const = default;
        friend size_t qHash(const Face& face, size_t seed = 0) noexcept
        {
            return qHashMulti(seed, face.name, face.charset, face.pitch);
        }
    };
    struct ListDefinition {
        RtfParaFormat::List kind;
        int firstTwips; // \\fi
        int leftTwips;  // \\li
        quintptr numbering;
        bool operator==(const ListDefinition&) const = default;
        friend size_t qHash(const ListDefinition& list, size_t seed = 0) noexcept
        {
            return qHashMulti(seed, int(list.kind), list.firstTwips, list.leftTwips, list.numbering);
        }
    };

    struct Run {
        RtfCharFormat format;
        qsizetype end; // in m_runText
    };

    Face faceOf(const RtfCharFormat& format) const;
    int faceIndex(const Face& face);
    int listIndex(const RtfParaFormat& format, quintptr numbering);
    int colorIndex(QRgb color);
    void tabStops(const TabStops& stops);
    static void appendFaceName(QByteArray& out, const QString& face);

    // The control words of the formats written last, the most recent first: a document goes back
    // and forth between a few formats.
    std::vector<std::pair<RtfCharFormat, QByteArray>> m_written;
    QString m_defaultFace;
    int m_defaultTab;
    // Each table in order, and where each entry is in it: a document may use thousands.
    std::vector<Face> m_faces;
    QHash<Face, int> m_faceIndex;
    std::vector<QRgb> m_colors;
    QHash<QRgb, int> m_colorIndex;
    std::vector<ListDefinition> m_lists;
    QHash<ListDefinition, int> m_listIndex;
    int m_symbolFace = -1;
    QByteArray m_body;
    // The paragraph being gathered: its runs, and their text already written as RTF.
    std::vector<Run> m_runs;
    QByteArray m_runText;
};
