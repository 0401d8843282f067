#include "richtext/TParaAttributes.h"

#include "richtext/DocumentFormat.h"
#include "richtext/TCustomRichEdit.h"

#include <QTextBlockFormat>

namespace {
int indentOf(const TCustomRichEdit* owner, int property)
{
    return owner->paragraphFormat().intProperty(property) / DocumentFormat::TwipsPerPoint;
}

void setIndent(TCustomRichEdit* owner, int property, int points)
{
    const int twips = qBound(-TParaAttributes::MaxIndent, points, TParaAttributes::MaxIndent) *
                      DocumentFormat::TwipsPerPoint;
    owner->changeParagraphFormats([&](QTextBlockFormat& format) { format.setProperty(property, twips); });
}
} // namespace

TParaAttributes::TParaAttributes(TCustomRichEdit* owner) : QObject(owner), m_owner(owner) {}

int TParaAttributes::alignment() const
{
    const Qt::Alignment alignment = m_owner->paragraphFormat().alignment() & Qt::AlignHorizontal_Mask;
    if (alignment & Qt::AlignJustify)
        return Justify;
    if (alignment & Qt::AlignHCenter)
        return Center;
    if (alignment & (Qt::AlignRight | Qt::AlignTrailing))
        return RightJustify;
    return LeftJustify;
}

void TParaAttributes::setAlignment(int alignment)
{
    if (alignment < LeftJustify || alignment > Center)
        return;
    if (m_owner->layoutDirection() == Qt::RightToLeft && alignment != Center)
        alignment = alignment == LeftJustify ? RightJustify : LeftJustify;
    const Qt::Alignment qtAlignment = alignment == Center         ? Qt::AlignHCenter
                                      : alignment == RightJustify ? Qt::AlignRight
                                                                  : Qt::AlignLeft;
    m_owner->changeParagraphFormats([&](QTextBlockFormat& format) { format.setAlignment(qtAlignment); });
}

int TParaAttributes::numbering() const
{
    return m_owner->paragraphBulleted() ? Bullet : NoNumbering;
}

void TParaAttributes::setNumbering(int numbering)
{
    if (numbering == NoNumbering)
        setLeftIndent(0);
    else if (numbering != Bullet)
        return;
    else if (leftIndent() < 10) // room for the bullet
        setLeftIndent(10);
    m_owner->setParagraphsBulleted(numbering == Bullet);
}

int TParaAttributes::firstIndent() const
{
    return indentOf(m_owner, DocumentFormat::FirstIndentTwips);
}

void TParaAttributes::setFirstIndent(int points)
{
    setIndent(m_owner, DocumentFormat::FirstIndentTwips, points);
}

int TParaAttributes::leftIndent() const
{
    return indentOf(m_owner, DocumentFormat::LeftOffsetTwips);
}

void TParaAttributes::setLeftIndent(int points)
{
    setIndent(m_owner, DocumentFormat::LeftOffsetTwips, points);
}

int TParaAttributes::rightIndent() const
{
    return indentOf(m_owner, DocumentFormat::RightIndentTwips);
}

void TParaAttributes::setRightIndent(int points)
{
    setIndent(m_owner, DocumentFormat::RightIndentTwips, points);
}
