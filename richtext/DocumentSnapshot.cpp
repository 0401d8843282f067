#include "richtext/DocumentSnapshot.h"

#include <QAbstractTextDocumentLayout>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextList>

#include <algorithm>
#include <iterator>

namespace {
// Formats refer to the objects (lists, frames) of their own document by number; a copy for
// another document must not.
template <typename Format> Format withoutObject(Format format)
{
    if (format.hasProperty(QTextFormat::ObjectIndex))
        format.clearProperty(QTextFormat::ObjectIndex);
    return format;
}
} // namespace

DocumentSnapshot::DocumentSnapshot(const QTextDocument& source) : m_source(source)
{
    source.documentLayout();
}

int DocumentSnapshot::listIndex(int objectIndex, const QTextListFormat& format)
{
    for (int i = 0; i < m_lists.size(); ++i) {
        if (m_lists[i].objectIndex == objectIndex)
            return i;
    }
    m_lists.append({objectIndex, withoutObject(format)});
    return int(m_lists.size() - 1);
}

bool DocumentSnapshot::copyMore(QDeadlineTimer deadline)
{
    if (m_complete)
        return true;
    QTextBlock block = m_source.findBlock(m_copiedTo);
    // Checking the clock costs more than a short paragraph: look at it every few paragraphs.
    for (int count = 0; block.isValid(); block = block.next(), ++count) {
        if (count % 16 == 15 && deadline.hasExpired())
            return false;
        Paragraph paragraph;
        paragraph.position = block.position();
        paragraph.length = block.length();
        paragraph.format = withoutObject(block.blockFormat());
        paragraph.charFormat = withoutObject(block.charFormat());
        if (const QTextList* list = block.textList())
            paragraph.list = listIndex(list->objectIndex(), list->format());
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            paragraph.fragments.append({fragment.text(), withoutObject(fragment.charFormat())});
        }
        m_copiedTo = paragraph.position + paragraph.length;
        m_paragraphs.append(std::move(paragraph));
    }
    m_rootFormat = withoutObject(m_source.rootFrame()->frameFormat());
    m_complete = true;
    return true;
}

void DocumentSnapshot::sourceChanged(int position)
{
    if (position >= m_copiedTo)
        return; // not copied yet: it is read as it is now
    // The paragraphs from the one holding position on are copied again. Freeing them here, on
    // the editor's thread, would hold up the key that made the change (a million strings for an
    // edit near the start of a large document): they go with the snapshot instead, which is
    // dropped on the thread that builds the copy.
    const auto firstChanged =
        std::upper_bound(m_paragraphs.begin(), m_paragraphs.end(), position,
                         [](int at, const Paragraph& paragraph) { return at < paragraph.position + paragraph.length; });
    m_dropped.reserve(m_dropped.size() + (m_paragraphs.end() - firstChanged));
    std::move(firstChanged, m_paragraphs.end(), std::back_inserter(m_dropped));
    m_paragraphs.erase(firstChanged, m_paragraphs.end());
    m_copiedTo =
        m_paragraphs.isEmpty() ? 0 : m_paragraphs.constLast().position + m_paragraphs.constLast().length;
    m_complete = false;
}

std::unique_ptr<QTextDocument> DocumentSnapshot::build(const std::atomic_bool& cancelled)
{
    m_dropped = {};
    auto document = std::make_unique<QTextDocument>();
    document->setUndoRedoEnabled(false);
    document->rootFrame()->setFrameFormat(m_rootFormat);
    QTextCursor cursor(document.get());
    cursor.beginEditBlock();
    QVector<QTextList*> lists(m_lists.size(), nullptr);
    bool first = true;
    for (Paragraph& paragraph : m_paragraphs) {
        if (cancelled)
            return nullptr;
        if (first) {
            cursor.setBlockFormat(paragraph.format);
            cursor.setBlockCharFormat(paragraph.charFormat);
            first = false;
        } else {
            cursor.insertBlock(paragraph.format, paragraph.charFormat);
        }
        if (paragraph.list >= 0) {
            QTextList*& list = lists[paragraph.list];
            if (list)
                list->add(cursor.block());
            else
                list = cursor.createList(m_lists[paragraph.list].format);
        }
        for (const Fragment& fragment : paragraph.fragments)
            cursor.insertText(fragment.text, fragment.format);
        paragraph.fragments = {};
    }
    cursor.endEditBlock();
    return document;
}
