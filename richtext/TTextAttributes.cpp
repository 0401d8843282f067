#include "richtext/TTextAttributes.h"

#include "richtext/DocumentFormat.h"
#include "richtext/TCustomRichEdit.h"

#include <QBrush>

TTextAttributes::TTextAttributes(TCustomRichEdit* owner, Kind kind)
    : QObject(owner), m_owner(owner), m_kind(kind)
{
}

QTextCharFormat TTextAttributes::current() const
{
    return m_kind == Kind::Selection ? m_owner->selectionCharFormat() : m_owner->defaultCharFormat();
}

void TTextAttributes::change(const QTextCharFormat& set, int removedProperty)
{
    if (m_kind == Kind::Selection)
        m_owner->changeSelectionCharFormat(set, removedProperty);
    else
        m_owner->changeDefaultCharFormat(set, removedProperty);
}

QString TTextAttributes::name() const
{
    return current().fontFamilies().toStringList().value(0);
}

void TTextAttributes::setName(const QString& name)
{
    if (name.isEmpty())
        return;
    QTextCharFormat set;
    set.setFontFamilies(QStringList{name});
    change(set);
}

int TTextAttributes::size() const
{
    return DocumentFormat::sizeTwips(current()) / DocumentFormat::TwipsPerPoint;
}

void TTextAttributes::setSize(int points)
{
    // Sizes the layout cannot draw (an empty size box gives -1) leave the size as it was.
    if (points < MinSize || points > MaxSize)
        return;
    QTextCharFormat set;
    DocumentFormat::setSizeTwips(set, points * DocumentFormat::TwipsPerPoint);
    change(set);
}

TFont::TFontStyles TTextAttributes::style() const
{
    const QTextCharFormat format = current();
    TFont::TFontStyles style;
    style.setFlag(TFont::fsBold, format.fontWeight() > QFont::Medium);
    style.setFlag(TFont::fsItalic, format.fontItalic());
    style.setFlag(TFont::fsUnderline, format.underlineStyle() != QTextCharFormat::NoUnderline);
    style.setFlag(TFont::fsStrikeOut, format.fontStrikeOut());
    return style;
}

void TTextAttributes::setStyle(TFont::TFontStyles style)
{
    QTextCharFormat set;
    set.setFontWeight(style.testFlag(TFont::fsBold) ? QFont::Bold : QFont::Normal);
    set.setFontItalic(style.testFlag(TFont::fsItalic));
    set.setFontUnderline(style.testFlag(TFont::fsUnderline));
    set.setFontStrikeOut(style.testFlag(TFont::fsStrikeOut));
    change(set);
}

Colors::TColor TTextAttributes::color() const
{
    const QTextCharFormat format = current();
    if (!format.hasProperty(QTextFormat::ForegroundBrush) || format.foreground().style() == Qt::NoBrush)
        return Colors::clWindowText;
    return Colors::fromQColor(format.foreground().color());
}

void TTextAttributes::setColor(Colors::TColor color)
{
    // The window-text colour is the automatic colour: text without a colour of its own.
    if (color == Colors::clWindowText) {
        change(QTextCharFormat(), QTextFormat::ForegroundBrush);
        return;
    }
    QTextCharFormat set;
    set.setForeground(Colors::toQColor(Colors::toRgb(color)));
    change(set);
}

int TTextAttributes::charset() const
{
    return current().intProperty(DocumentFormat::Charset);
}

void TTextAttributes::setCharset(int charset)
{
    QTextCharFormat set;
    set.setProperty(DocumentFormat::Charset, charset & 0xFF);
    change(set);
}

TFont::TFontPitch TTextAttributes::pitch() const
{
    switch (current().intProperty(DocumentFormat::Pitch)) {
    case 1:
        return TFont::fpFixed;
    case 2:
        return TFont::fpVariable;
    default:
        return TFont::fpDefault;
    }
}

void TTextAttributes::setPitch(TFont::TFontPitch /*pitch*/)
{
    // The control keeps the pitch its face gives.
}

void TTextAttributes::assign(const TFont& font)
{
    setColor(font.color());
    setName(TFont::resolvedFaceName(font.name()));
    setCharset(font.charset());
    setStyle(font.style());
    setSize(font.size());
    setPitch(font.pitch());
}

void TTextAttributes::assignTo(TFont& font) const
{
    font.setColor(color());
    font.setName(name());
    font.setCharset(charset());
    font.setStyle(style());
    font.setSize(size());
    font.setPitch(pitch());
}
