#pragma once

#include "richtext/ParagraphLayout.h"
#include "richtext/RtfSink.h"

#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>

#include <utility>
#include <vector>

class QTextDocument;
class QTextList;

// Builds a QTextDocument from what the reader reports, holding formatting as DocumentFormat.h
// describes and laid out for the screen as ParagraphLayout derives it. The document is cleared
// first; undo is off while it is built.
class RtfDocumentSink : public RtfSink {
public:
    explicit RtfDocumentSink(QTextDocument& document);
    ~RtfDocumentSink() override;

    void defaultTab(int twips) override;
    void text(QStringView text, const RtfCharFormat& format) override;
    void endParagraph(const RtfParaFormat& format, const RtfCharFormat& mark) override;
    void finish(const RtfParaFormat& format, const RtfCharFormat& mark) override;

    static QTextCharFormat toCharFormat(const RtfCharFormat& format);

private:
    void applyParagraph(const RtfParaFormat& format, const RtfCharFormat& mark);
    const QTextCharFormat& cached(const RtfCharFormat& format);
    const QTextBlockFormat& blockFormat(const RtfParaFormat& format, const ParagraphLayout::Marker& marker,
                                        bool pointAfterTab);

    QTextDocument& m_document;
    bool m_undoWasEnabled;
    QTextCursor m_cursor;
    // The formats met so far, the most recent first: documents switch back and forth between a few
    // of them, and a format the document has seen before is found again without being built and
    // hashed anew.
    std::vector<std::pair<RtfCharFormat, QTextCharFormat>> m_formats;
    RtfParaFormat m_lastParagraph;
    int m_lastMarkerWidth = -1;
    bool m_lastPointAfterTab = false;
    QTextBlockFormat m_lastBlockFormat;
    bool m_lastBlockFormatChanged = false; // built anew since the last paragraph was formatted
    RtfCharFormat m_lastMark;              // the last paragraph mark's format
    bool m_blockHasLastFormats = false;    // the current block was made with the last formats
    int m_defaultTab;
    int m_firstRunSize = -1; // the size of the current paragraph's first text, -1 before it
    QTextList* m_list = nullptr;
    RtfParaFormat::List m_listKind = RtfParaFormat::List::None;
    int m_listItems = 0; // in the current run of list paragraphs, which may span several lists
};
