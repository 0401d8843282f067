#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QRect>
#include <QString>

#include <tuple>

class TextFit;

// The one look of every picture: maroon leather frames lit from the top left, gold trim and
// lettering, ivory keys with dark ink pictograms, parchment pages. All colours and the few
// drawing primitives the generators share live here, so the skin stays one design.
class Skin {
public:
    // Frame material.
    static QColor leatherLight() { return QColor(146, 22, 30); }
    static QColor leather() { return QColor(128, 0, 0); } // the windows' own maroon
    static QColor leatherDark() { return QColor(96, 6, 14); }
    static QColor shadow() { return QColor(42, 4, 8); }
    // The leather's tone near the foot of a dialog, where the close buttons stand: their
    // pictures' corners have it, so they melt into the grain around them.
    static QColor plate() { return QColor(102, 8, 16); }
    static QColor edgeLight() { return QColor(188, 74, 74); }
    // Trim and lettering.
    static QColor goldLight() { return QColor(250, 226, 150); }
    static QColor gold() { return QColor(214, 168, 72); }
    static QColor goldDark() { return QColor(126, 88, 28); }
    // Keys.
    static QColor ivoryLight() { return QColor(255, 250, 236); }
    static QColor ivory() { return QColor(242, 232, 206); }
    static QColor ivoryDark() { return QColor(214, 198, 160); }
    static QColor keyBorder() { return QColor(92, 52, 24); }
    // Pictograms and text.
    static QColor ink() { return QColor(43, 27, 20); }
    static QColor paper() { return QColor(255, 255, 255); }
    static QColor paperShade() { return QColor(228, 221, 204); }
    static QColor maroonInk() { return QColor(142, 27, 38); }
    static QColor maroonInkLight() { return QColor(190, 62, 68); }
    static QColor slate() { return QColor(53, 92, 134); }
    static QColor slateLight() { return QColor(118, 152, 192); }
    static QColor leaf() { return QColor(86, 134, 58); }
    static QColor steel() { return QColor(138, 143, 150); }
    static QColor silver() { return QColor(200, 200, 204); }
    // Pages.
    static QColor parchment() { return QColor(251, 245, 228); }
    static QColor parchmentBand() { return QColor(242, 231, 204); }
    static QColor parchmentRule() { return QColor(214, 194, 150); }

    // The resolution the pictures are drawn at: 1, or 2 for the pictures of high-density
    // screens. Every picture is designed in pixels at 1; drawing at 2 gives the same design with
    // twice the detail (painters draw in design pixels on a canvas of device pixel ratio 2).
    static int scale();
    static void setScale(int scale);
    // A picture of size (design pixels) at the current scale.
    static QImage canvas(int width, int height, QImage::Format format);
    static QImage canvas(QSize size, QImage::Format format) { return canvas(size.width(), size.height(), format); }
    // The part of a canvas at rect (design pixels), as a canvas of its own.
    static QImage cut(const QImage& canvas, const QRect& rect);
    // A canvas's area in design pixels.
    static QRect designRect(const QImage& canvas);

    // Faces used by the artwork: a book face for titles and lettering, a sans face for tables.
    static QFont titleFont(int pixelSize, bool bold = true, bool italic = false);
    static QFont textFont(int pixelSize, bool bold = false);
    // Stops the tool when a face the artwork needs is missing (the pictures would change).
    static void requireFonts();

    // Fills area of image (design pixels) with grained leather; the grain depends only on the
    // pixel's position in the design (origin), so pictures cut from one design join without seams.
    static void paintLeather(QImage& image, const QRect& area, QPoint origin = QPoint());
    // A bevel width pixels wide just outside inner: raised (light top left) or sunken.
    static void bevelAround(QPainter& p, const QRect& inner, bool raised, int width = 1);
    // A thin gold rule around rect (its outline, one pixel).
    static void goldFrame(QPainter& p, const QRect& rect);
    // An engraved groove: a dark line with a light one beside it.
    static void grooveV(QPainter& p, int x, int top, int bottom);
    static void grooveH(QPainter& p, int y, int left, int right);
    // Raised gold lettering with its shadow below right; it must fit rect (checked by fit).
    static void goldText(QPainter& p, TextFit& fit, const QRectF& rect, int flags, const QString& text,
                         const QFont& font);
    // A parchment band with hairlines at top and bottom, for black label text.
    static void parchmentBand(QPainter& p, const QRect& rect);

    // A reference page: parchment with a maroon title band across the top (height pixels).
    static void pageBackground(QImage& page, TextFit& fit, const QString& title, const QString& note,
                               int bandHeight, int visibleWidth);
    // Column headings under the title band, with a gold rule below; columns: (x, text, alignment).
    static void columnHeads(QPainter& p, TextFit& fit, int top, int height,
                            const QList<std::tuple<int, QString, int>>& columns);

    // A 4-point sparkle, used on "new" and in the about box.
    static void sparkle(QPainter& p, QPointF centre, qreal radius, const QColor& fill);
};
