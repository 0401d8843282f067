#include "framework/TFont.h"

#include "framework/MulDiv.h"

#include <QGuiApplication>
#include <QScreen>

TFont::TFont(QObject* parent)
    : QObject(parent), m_name(defaultFaceName()), m_height(-11), m_color(Colors::clWindowText)
{
}

void TFont::setName(const QString& name)
{
    if (name.isEmpty() || name == m_name) // a font takes a new name only when it is not empty
        return;
    m_name = name;
    Q_EMIT changed();
}

void TFont::setHeight(int height)
{
    if (height == m_height)
        return;
    m_height = height;
    Q_EMIT changed();
}

int TFont::size() const
{
    return -mulDiv(m_height, 72, screenDpi());
}

void TFont::setSize(int points)
{
    setHeight(-mulDiv(points, screenDpi(), 72));
}

void TFont::setColor(Colors::TColor color)
{
    if (color == m_color)
        return;
    m_color = color;
    Q_EMIT changed();
}

void TFont::setStyle(TFontStyles style)
{
    if (style == m_style)
        return;
    m_style = style;
    Q_EMIT changed();
}

void TFont::setCharset(int charset)
{
    if (charset == m_charset)
        return;
    m_charset = charset;
    Q_EMIT changed();
}

void TFont::setPitch(TFontPitch pitch)
{
    if (pitch == m_pitch)
        return;
    m_pitch = pitch;
    Q_EMIT changed();
}

void TFont::assign(const TFont& other)
{
    if (&other == this)
        return;
    m_name = other.m_name;
    m_height = other.m_height;
    m_color = other.m_color;
    m_style = other.m_style;
    m_charset = other.m_charset;
    m_pitch = other.m_pitch;
    Q_EMIT changed();
}

QString TFont::defaultFaceName()
{
    return QStringLiteral("MS Sans Serif");
}

QString TFont::resolvedFaceName(const QString& name)
{
    return name.compare(QLatin1String("Default"), Qt::CaseInsensitive) == 0 ? defaultFaceName() : name;
}

int TFont::screenDpi()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? qRound(screen->logicalDotsPerInchY()) : 96;
}

QFont TFont::toQFont() const
{
    QFont font(resolvedFaceName(m_name));
    font.setPixelSize(qMax(1, qAbs(m_height)));
    font.setBold(m_style.testFlag(fsBold));
    font.setItalic(m_style.testFlag(fsItalic));
    font.setUnderline(m_style.testFlag(fsUnderline));
    font.setStrikeOut(m_style.testFlag(fsStrikeOut));
    if (m_pitch == fpFixed)
        font.setFixedPitch(true);
    return font;
}
