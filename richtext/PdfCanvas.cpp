#include "richtext/PdfCanvas.h"

#include "richtext/PdfFile.h"
#include "richtext/PdfFonts.h"

#include <QGlyphRun>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

#include <cmath>

namespace {
// Corrections smaller than this (device pixels) are left out: they are below what any printer
// resolves, and the glyph after one starts from where it should be anyway.
constexpr double Tolerance = 0.005;

// A glyph number as two bytes of a literal string; the bytes that would end the string, start
// an escape or be read as another line end are escaped.
void appendGlyph(QByteArray& out, quint32 glyph)
{
    for (const char byte : {char(glyph >> 8), char(glyph)}) {
        if (byte == '(' || byte == ')' || byte == '\\')
            out.append('\\');
        else if (byte == '\r') {
            out.append("\\r", 2);
            continue;
        }
        out.append(byte);
    }
}

// How far a raised or lowered run's baseline moves, as Qt draws it: a sixth of the (already
// smaller) face's height down, or half of it up.
double baselineShift(const QTextCharFormat& format, const QRawFont& face)
{
    const QTextCharFormat::VerticalAlignment alignment = format.verticalAlignment();
    if (alignment != QTextCharFormat::AlignSuperScript && alignment != QTextCharFormat::AlignSubScript)
        return 0;
    const double height = face.ascent() + face.descent();
    return alignment == QTextCharFormat::AlignSubScript ? height / 6 : -height / 2;
}
} // namespace

PdfCanvas::PdfCanvas(PdfFile& file, PdfFonts& fonts, QPaintDevice* device, const QTransform& pageTransform)
    : m_file(file), m_fonts(fonts), m_device(device), m_pageTransform(pageTransform)
{
}

void PdfCanvas::beginSheet(const QRectF& sheet)
{
    m_sheetTop = sheet.top();
    m_content += "q ";
    for (const double value : {m_pageTransform.m11(), m_pageTransform.m12(), m_pageTransform.m21(),
                               m_pageTransform.m22(), m_pageTransform.dx(), m_pageTransform.dy()})
        number(value);
    m_content += "cm\n0 0 ";
    number(sheet.width());
    number(sheet.height());
    m_content += "re W n\n";
    m_fill = QColor();
    m_font = 0;
}

void PdfCanvas::endSheet()
{
    endText();
    m_content += "Q\n";
}

void PdfCanvas::drawLayout(const QTextBlock& block, const QTextLayout& layout, const QRectF& sheet,
                           const QColor& textColor)
{
    struct Piece {
        int start;
        int end;
        QTextCharFormat format;
    };
    QVarLengthArray<Piece, 16> pieces;
    int at = 0;
    for (QTextBlock::iterator it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        pieces.append({at, at + fragment.length(), fragment.charFormat()});
        at += fragment.length();
    }
    const QString text = block.text();
    const QPointF origin = layout.position();
    for (int i = 0; i < layout.lineCount(); ++i) {
        const QTextLine line = layout.lineAt(i);
        const double top = origin.y() + line.y();
        if (top + line.height() <= sheet.top())
            continue;
        if (top >= sheet.bottom())
            break;
        const int lineStart = line.textStart();
        const int lineEnd = lineStart + line.textLength();
        for (const Piece& piece : pieces) {
            const int from = qMax(piece.start, lineStart);
            const int to = qMin(piece.end, lineEnd);
            if (from >= to)
                continue;
            const QList<QGlyphRun> runs = line.glyphRuns(from, to - from);
            const QBrush foreground = piece.format.foreground();
            const QColor color = foreground.style() != Qt::NoBrush ? foreground.color() : textColor;
            const QStringView pieceText = QStringView(text).mid(from, to - from);
            for (const QGlyphRun& run : runs) {
                const QPointF offset(origin.x(), origin.y() - m_sheetTop + baselineShift(piece.format, run.rawFont()));
                drawRun(run, offset, pieceText, color, runs.size() == 1);
                decorate(run, offset, color);
            }
        }
    }
    endText();
}

void PdfCanvas::drawText(const QPointF& baseline, const QString& text, const QFont& font, const QColor& color)
{
    QTextLayout layout(text, font, m_device);
    layout.beginLayout();
    const QTextLine line = layout.createLine();
    layout.endLayout();
    if (!line.isValid())
        return;
    const QList<QGlyphRun> runs = layout.glyphRuns();
    const QPointF offset(baseline.x(), baseline.y() - line.ascent() - m_sheetTop);
    for (const QGlyphRun& run : runs)
        drawRun(run, offset, text, color, runs.size() == 1);
    endText();
}

void PdfCanvas::drawLine(const QPointF& from, const QPointF& to, const QColor& color, double width)
{
    m_lines.append({from - QPointF(0, m_sheetTop), to - QPointF(0, m_sheetTop), color, width, 2});
    endText();
}

QByteArray PdfCanvas::takeContent()
{
    endText();
    return std::exchange(m_content, QByteArray());
}

QList<int> PdfCanvas::takeFonts()
{
    return std::exchange(m_pageFonts, QList<int>());
}

void PdfCanvas::drawRun(const QGlyphRun& run, const QPointF& offset, QStringView text, const QColor& color,
                        bool paired)
{
    const QList<quint32> glyphs = run.glyphIndexes();
    const QList<QPointF> positions = run.positions();
    if (glyphs.isEmpty() || positions.size() != glyphs.size())
        return;
    PdfFonts::Sized& font = m_fonts.fontFor(m_file, run.rawFont());
    // (Qt keeps right-to-left glyphs in the text's order too; only their positions run back.)
    m_fonts.recordGlyphs(font, glyphs.constData(), glyphs.size(), text, paired);

    beginText();
    setFillColor(color);
    if (font.object != m_font || font.size != m_size) {
        m_font = font.object;
        m_size = font.size;
        if (!m_pageFonts.contains(m_font))
            m_pageFonts.append(m_font);
        m_content += "/F" + QByteArray::number(m_font) + ' ';
        number(m_size);
        m_content += "Tf\n";
    }
    double penX = 0;
    for (qsizetype i = 0; i < glyphs.size(); ++i) {
        const QPointF at = positions[i] + offset;
        if (i == 0 || std::abs(at.y() - m_lineOrigin.y()) > Tolerance) {
            if (i > 0)
                m_content += ")] TJ\n";
            moveTo(at);
            m_content += "[(";
            penX = at.x();
        } else if (std::abs(at.x() - penX) > Tolerance) {
            // A correction moves the pen left by thousandths of the size.
            m_content += ") ";
            number(-(at.x() - penX) * 1000 / m_size);
            m_content += '(';
            penX = at.x();
        }
        appendGlyph(m_content, glyphs[i]);
        penX += m_fonts.advance(font, glyphs[i]);
    }
    m_content += ")] TJ\n";
}

void PdfCanvas::moveTo(const QPointF& at)
{
    // The first line of a text object is placed absolutely (and turned upright, the page's y
    // going down); the others from the start of the one before, which is shorter.
    if (!m_hasOrigin) {
        m_content += "1 0 0 -1 ";
        number(at.x());
        number(at.y());
        m_content += "Tm ";
    } else {
        number(at.x() - m_lineOrigin.x());
        number(m_lineOrigin.y() - at.y());
        m_content += "Td ";
    }
    m_lineOrigin = at;
    m_hasOrigin = true;
}

void PdfCanvas::decorate(const QGlyphRun& run, const QPointF& offset, const QColor& color)
{
    if (!run.underline() && !run.strikeOut() && !run.overline())
        return;
    if (run.positions().isEmpty())
        return;
    // As Qt draws them: from the whole pixel at the run's start to the one at its end, the
    // underline below the baseline by the face's offset rounded up plus half a pixel (within the
    // descent), the line through it a third of the ascent above.
    const QRawFont raw = run.rawFont();
    const QRectF bounds = run.boundingRect();
    const double baseline = run.positions().first().y() + offset.y();
    const double left = std::floor(bounds.left() + offset.x());
    const double right = std::floor(bounds.right() + offset.x());
    const double thickness = raw.lineThickness();
    auto line = [&](double y) { m_lines.append({QPointF(left, y), QPointF(right, y), color, thickness, 0}); };
    if (run.underline()) {
        const double position = raw.underlinePosition();
        double adjusted = std::ceil(position) + 0.5;
        if (position <= raw.descent())
            adjusted = qMin(adjusted, raw.descent() - 0.5);
        line(baseline + adjusted);
    }
    if (run.overline())
        line(baseline - raw.ascent());
    if (run.strikeOut())
        line(baseline - raw.ascent() / 3);
}

void PdfCanvas::beginText()
{
    if (m_inText)
        return;
    m_content += "BT\n";
    m_inText = true;
    m_hasOrigin = false;
    m_font = 0;
}

void PdfCanvas::endText()
{
    if (m_inText) {
        m_content += "ET\n";
        m_inText = false;
    }
    for (const Line& line : std::as_const(m_lines)) {
        m_content += "q ";
        number(line.color.redF());
        number(line.color.greenF());
        number(line.color.blueF());
        m_content += "RG ";
        number(line.width);
        m_content += "w " + QByteArray::number(line.cap) + " J ";
        number(line.from.x());
        number(line.from.y());
        m_content += "m ";
        number(line.to.x());
        number(line.to.y());
        m_content += "l S Q\n";
    }
    m_lines.clear();
}

void PdfCanvas::setFillColor(const QColor& color)
{
    if (color == m_fill)
        return;
    m_fill = color;
    number(color.redF());
    number(color.greenF());
    number(color.blueF());
    m_content += "rg\n";
}

void PdfCanvas::number(double value)
{
    PdfFile::appendNumber(m_content, value);
    m_content += ' ';
}
