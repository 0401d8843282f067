#pragma once

#include "richtext/RtfSink.h"

// Collects only the text of a document: paragraphs separated by '\n', a line break as '\n'.
class RtfTextSink : public RtfSink {
public:
    void text(QStringView text, const RtfCharFormat& format) override;
    void endParagraph(const RtfParaFormat& format, const RtfCharFormat& mark) override;
    void finish(const RtfParaFormat& format, const RtfCharFormat& mark) override;

    QString takeText() { return std::move(m_text); }

private:
    QString m_text;
};
