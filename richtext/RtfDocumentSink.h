#pragma once

#include "richtext/RtfSink.h"

#include <QTextCharFormat>
#include <QTextCursor>

class QTextDocument;
class QTextList;

// Builds a QTextDocument from what the reader reports, holding formatting as DocumentFormat.h
// describes. The document is cleared first; undo is off while it is built.
class RtfDocumentSink : public RtfSink {
public:
    explicit RtfDocumentSink(QTextDocument& document);
    ~RtfDocumentSink() override;

    void text(QStringView text, const RtfCharFormat& format) override;
    void endParagraph(const RtfParaFormat& format, const RtfCharFormat& mark) override;
    void finish(const RtfParaFormat& format, const RtfCharFormat& mark) override;

    static QTextCharFormat toCharFormat(const RtfCharFormat& format);

private:
    void applyParagraph(const RtfParaFormat& format, const RtfCharFormat& mark);
    const QTextCharFormat& cached(const RtfCharFormat& format);

    QTextDocument& m_document;
    bool m_undoWasEnabled;
    QTextCursor m_cursor;
    RtfCharFormat m_lastFormat;
    QTextCharFormat m_lastCharFormat;
    bool m_haveFormat = false;
    QTextList* m_list = nullptr;
    RtfParaFormat::List m_listKind = RtfParaFormat::List::None;
};
