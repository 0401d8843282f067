#include "richtext/RtfTextSink.h"

#include <algorithm>

void RtfTextSink::text(QStringView text, const RtfCharFormat&)
{
    const qsizetype start = m_text.size();
    m_text.append(text);
    if (text.contains(QChar::LineSeparator))
        std::replace(m_text.begin() + start, m_text.end(), QChar(QChar::LineSeparator), QChar(u'\n'));
}

void RtfTextSink::endParagraph(const RtfParaFormat&, const RtfCharFormat&)
{
    m_text.append(u'\n');
}

void RtfTextSink::finish(const RtfParaFormat&, const RtfCharFormat&) {}
