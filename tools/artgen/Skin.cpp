#include "Skin.h"

#include "TextFit.h"

#include <QFontInfo>
#include <QLinearGradient>
#include <QPainterPath>

#include <cstdio>
#include <cstdlib>

namespace {
const char* const TitleFamily = "TeX Gyre Pagella";
const char* const TextFamily = "DejaVu Sans";

// A repeatable hash of a design position: the leather grain.
int grain(int x, int y)
{
    quint32 h = quint32(x) * 374761393u + quint32(y) * 668265263u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return int(h % 9) - 4;
}

int clamp255(int v)
{
    return v < 0 ? 0 : (v > 255 ? 255 : v);
}

int g_scale = 1;
} // namespace

int Skin::scale()
{
    return g_scale;
}

void Skin::setScale(int scale)
{
    g_scale = scale;
}

QImage Skin::canvas(int width, int height, QImage::Format format)
{
    QImage image(width * g_scale, height * g_scale, format);
    image.setDevicePixelRatio(g_scale);
    return image;
}

QImage Skin::cut(const QImage& canvas, const QRect& rect)
{
    const int s = qRound(canvas.devicePixelRatio());
    QImage part = canvas.copy(QRect(rect.topLeft() * s, rect.size() * s));
    part.setDevicePixelRatio(s);
    return part;
}

QRect Skin::designRect(const QImage& canvas)
{
    return QRect(QPoint(0, 0), canvas.deviceIndependentSize().toSize());
}

QFont Skin::titleFont(int pixelSize, bool bold, bool italic)
{
    QFont font(QString::fromLatin1(TitleFamily));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    font.setItalic(italic);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

QFont Skin::textFont(int pixelSize, bool bold)
{
    QFont font(QString::fromLatin1(TextFamily));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

void Skin::requireFonts()
{
    for (const char* family : {TitleFamily, TextFamily}) {
        // Qt names a family found in several formats "Family [foundry]"; any of them serves.
        if (!QFontInfo(QFont(QString::fromLatin1(family))).family().startsWith(QString::fromLatin1(family))) {
            std::fprintf(stderr,
                         "lumaro_artgen: the font family \"%s\" is missing "
                         "(Debian packages fonts-texgyre and fonts-dejavu-core)\n",
                         family);
            std::exit(1);
        }
    }
}

void Skin::paintLeather(QImage& image, const QRect& area, QPoint origin)
{
    const QColor top = leatherLight();
    const QColor bottom = leatherDark();
    // In device pixels: the grain is as fine as the pixels.
    const int scale = qRound(image.devicePixelRatio());
    const QRect device(area.topLeft() * scale, area.size() * scale);
    origin *= scale;
    const QRect r = device.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y) {
        // A soft light from above: lighter at the top of each surface, darker below.
        const double t = device.height() > 1 ? double(y - device.top()) / (device.height() - 1) : 0.0;
        const double s = t * t * (3 - 2 * t);
        const int baseR = int(top.red() + (bottom.red() - top.red()) * s);
        const int baseG = int(top.green() + (bottom.green() - top.green()) * s);
        const int baseB = int(top.blue() + (bottom.blue() - top.blue()) * s);
        QRgb* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = r.left(); x <= r.right(); ++x) {
            const int g = grain(x + origin.x(), y + origin.y());
            line[x] = qRgb(clamp255(baseR + 2 * g), clamp255(baseG + g / 2), clamp255(baseB + g / 2));
        }
    }
}

void Skin::bevelAround(QPainter& p, const QRect& inner, bool raised, int width)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    for (int i = 1; i <= width; ++i) {
        const QRect r = inner.adjusted(-i, -i, i, i);
        const QColor topLeft = raised ? edgeLight() : shadow();
        const QColor bottomRight = raised ? shadow() : edgeLight();
        QColor tl = topLeft;
        QColor br = bottomRight;
        if (i > 1) {
            tl.setAlpha(150);
            br.setAlpha(150);
        }
        p.fillRect(QRect(r.left(), r.top(), r.width() - 1, 1), tl);
        p.fillRect(QRect(r.left(), r.top(), 1, r.height() - 1), tl);
        p.fillRect(QRect(r.left() + 1, r.bottom(), r.width() - 1, 1), br);
        p.fillRect(QRect(r.right(), r.top() + 1, 1, r.height() - 1), br);
    }
    p.restore();
}

void Skin::goldFrame(QPainter& p, const QRect& rect)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    QColor g = gold();
    p.fillRect(QRect(rect.left(), rect.top(), rect.width(), 1), g);
    p.fillRect(QRect(rect.left(), rect.top(), 1, rect.height()), g);
    QColor d = goldDark();
    p.fillRect(QRect(rect.left(), rect.bottom(), rect.width(), 1), d);
    p.fillRect(QRect(rect.right(), rect.top(), 1, rect.height()), d);
    p.restore();
}

void Skin::grooveV(QPainter& p, int x, int top, int bottom)
{
    p.fillRect(QRect(x, top, 1, bottom - top), shadow());
    p.fillRect(QRect(x + 1, top + 1, 1, bottom - top), edgeLight());
}

void Skin::grooveH(QPainter& p, int y, int left, int right)
{
    p.fillRect(QRect(left, y, right - left, 1), shadow());
    p.fillRect(QRect(left + 1, y + 1, right - left, 1), edgeLight());
}

void Skin::goldText(QPainter& p, TextFit& fit, const QRectF& rect, int flags, const QString& text,
                    const QFont& font)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setFont(font);
    fit.claim(p, rect, flags, text, 1);
    QColor dark = shadow();
    dark.setAlpha(230);
    p.setPen(dark);
    p.drawText(rect.translated(1, 1), flags, text);
    // The face: a gradient from light gold at the top of the line to deep gold at the bottom.
    QLinearGradient face(rect.topLeft(), rect.bottomLeft());
    face.setColorAt(0.0, goldLight());
    face.setColorAt(0.55, gold());
    face.setColorAt(1.0, QColor(176, 128, 44));
    p.setPen(QPen(QBrush(face), 1));
    p.drawText(rect, flags, text);
    p.restore();
}

void Skin::parchmentBand(QPainter& p, const QRect& rect)
{
    p.save();
    QLinearGradient fill(rect.topLeft(), rect.bottomLeft());
    fill.setColorAt(0.0, parchment());
    fill.setColorAt(1.0, parchmentBand());
    p.fillRect(rect, fill);
    p.fillRect(QRect(rect.left(), rect.top() - 1, rect.width(), 1), gold());
    p.fillRect(QRect(rect.left(), rect.bottom() + 1, rect.width(), 1), goldDark());
    p.restore();
}

void Skin::sparkle(QPainter& p, QPointF c, qreal r, const QColor& fill)
{
    QPainterPath star;
    const qreal w = r * 0.28;
    star.moveTo(c.x(), c.y() - r);
    star.quadTo(c.x() + w * 0.4, c.y() - w * 0.4, c.x() + r, c.y());
    star.quadTo(c.x() + w * 0.4, c.y() + w * 0.4, c.x(), c.y() + r);
    star.quadTo(c.x() - w * 0.4, c.y() + w * 0.4, c.x() - r, c.y());
    star.quadTo(c.x() - w * 0.4, c.y() - w * 0.4, c.x(), c.y() - r);
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(goldDark(), 0.8));
    p.setBrush(fill);
    p.drawPath(star);
    p.restore();
}

void Skin::pageBackground(QImage& page, TextFit& fit, const QString& title, const QString& note,
                          int bandHeight, int visibleWidth)
{
    QPainter p(&page);
    const QRect area = designRect(page);
    QLinearGradient paper(0, 0, 0, area.height());
    paper.setColorAt(0, parchment());
    paper.setColorAt(1, QColor(246, 237, 214));
    p.fillRect(area, paper);
    p.end();
    paintLeather(page, QRect(0, 0, area.width(), bandHeight));
    p.begin(&page);
    p.fillRect(QRect(0, bandHeight, area.width(), 1), gold());
    p.fillRect(QRect(0, bandHeight + 1, area.width(), 1), goldDark());
    goldText(p, fit, QRect(8, 0, visibleWidth - 16, bandHeight - 1), Qt::AlignLeft | Qt::AlignVCenter, title,
             titleFont(16, true));
    if (!note.isEmpty()) {
        p.setRenderHint(QPainter::TextAntialiasing);
        p.setFont(textFont(10));
        p.setPen(ivory());
        fit.draw(p, QRect(8, 0, visibleWidth - 16, bandHeight - 1), Qt::AlignRight | Qt::AlignVCenter, note);
    }
}

void Skin::columnHeads(QPainter& p, TextFit& fit, int top, int height,
                       const QList<std::tuple<int, QString, int>>& columns)
{
    p.save();
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setFont(textFont(10, true));
    p.setPen(maroonInk());
    for (const auto& [x, text, align] : columns) {
        const QRect r =
            (align & Qt::AlignRight) ? QRect(x - 200, top, 200, height) : QRect(x, top, 200, height);
        fit.draw(p, r, align | Qt::AlignVCenter, text);
    }
    p.restore();
}
