#include "richtext/SelectionMimeData.h"

#include "richtext/DocumentDefaults.h"
#include "richtext/DocumentSnapshot.h"
#include "richtext/ParagraphPieces.h"
#include "richtext/RtfReader.h"

#include <QTextCursor>
#include <QTextDocument>

#include <atomic>

namespace {
const QString HtmlMime = QStringLiteral("text/html");
const QString TextMime = QStringLiteral("text/plain");

// The selection's text as a plain-text file has it: paragraph and line breaks as '\n'.
QString plainTextOf(const QTextCursor& cursor)
{
    QString text = ParagraphPieces::joined(*cursor.document(), cursor.selectionStart(), cursor.selectedText());
    for (QChar& c : text) {
        switch (c.unicode()) {
        case QChar::ParagraphSeparator:
        case QChar::LineSeparator:
            c = u'\n';
            break;
        case QChar::Nbsp:
            c = u' ';
            break;
        default:
            break;
        }
    }
    return text;
}
} // namespace

SelectionMimeData::SelectionMimeData(const QTextCursor& selection) : m_selection(selection) {}

void SelectionMimeData::freeze()
{
    if (m_frozen)
        return;
    makeData();
    m_frozen = true;
    m_selection = QTextCursor();
}

QStringList SelectionMimeData::formats() const
{
    return {RtfMime, HtmlMime, TextMime};
}

bool SelectionMimeData::hasFormat(const QString& mimeType) const
{
    return mimeType == RtfMime || mimeType == HtmlMime || mimeType == TextMime;
}

QVariant SelectionMimeData::retrieveData(const QString& mimeType, QMetaType type) const
{
    if (!hasFormat(mimeType))
        return {};
    makeData();
    if (mimeType == RtfMime)
        return m_rtf;
    if (mimeType == HtmlMime) {
        // Browsers, mail programs and GTK programs paste formatted text from HTML. It is made
        // from the RTF, and only when asked for: Qt's HTML of a large selection is several times
        // its size and slow to make.
        if (!m_htmlMade) {
            QTextDocument part;
            part.setUndoRedoEnabled(false);
            RtfReader::read(m_rtf, part);
            m_html = part.toHtml();
            m_htmlMade = true;
        }
        return type.id() == QMetaType::QByteArray ? QVariant(m_html.toUtf8()) : QVariant(m_html);
    }
    if (type.id() == QMetaType::QByteArray)
        return m_text.toUtf8();
    return m_text;
}

void SelectionMimeData::makeData() const
{
    if (m_frozen)
        return;
    const QTextCursor& cursor = m_selection;
    if (cursor.isNull()) {
        // The document is gone, and its selection with it.
        m_rtf.clear();
        m_html.clear();
        m_htmlMade = true;
        m_text.clear();
        return;
    }
    const QTextDocument& document = *cursor.document();
    const int revision = document.revision();
    if (cursor.selectionStart() == m_madeStart && cursor.selectionEnd() == m_madeEnd && revision == m_madeRevision)
        return;
    // Written straight from the selected paragraphs: a copy of them as a document would cost
    // several times as much for a large selection.
    const DocumentSnapshot selected(document, cursor.selectionStart(), cursor.selectionEnd());
    const std::atomic_bool never(false);
    m_rtf = *selected.toRtf(DocumentDefaults::charFormat(document), never, DocumentSnapshot::Defaults::Resolved);
    m_html.clear();
    m_htmlMade = false;
    m_text = plainTextOf(cursor);
    m_madeStart = cursor.selectionStart();
    m_madeEnd = cursor.selectionEnd();
    m_madeRevision = revision;
}
