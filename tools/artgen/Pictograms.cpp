#include "Pictograms.h"

#include "Skin.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>

namespace {

QPen inkPen(qreal width = 1.0)
{
    QPen pen(Skin::ink(), width);
    pen.setJoinStyle(Qt::MiterJoin);
    pen.setCapStyle(Qt::SquareCap);
    return pen;
}

QBrush vertical(const QColor& top, const QColor& bottom, qreal y0, qreal y1)
{
    QLinearGradient g(0, y0, 0, y1);
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    return g;
}

// A sheet of paper with a folded corner.
void sheet(QPainter& p, qreal left, qreal top, qreal right, qreal bottom, qreal fold = 4, bool lines = false)
{
    QPainterPath page;
    page.moveTo(left, top);
    page.lineTo(right - fold, top);
    page.lineTo(right, top + fold);
    page.lineTo(right, bottom);
    page.lineTo(left, bottom);
    page.closeSubpath();
    p.setPen(inkPen());
    p.setBrush(vertical(Skin::paper(), QColor(238, 234, 226), top, bottom));
    p.drawPath(page);
    QPainterPath corner;
    corner.moveTo(right - fold, top);
    corner.lineTo(right - fold, top + fold);
    corner.lineTo(right, top + fold);
    p.setBrush(Skin::paperShade());
    p.drawPath(corner);
    if (lines) {
        p.setPen(QPen(QColor(150, 140, 128), 1));
        for (qreal y = top + fold + 3; y < bottom - 1.5; y += 2.5)
            p.drawLine(QPointF(left + 2.5, y), QPointF(right - 2.5, y));
    }
}

void drawNew(QPainter& p)
{
    sheet(p, 3.5, 1.5, 15.5, 18.5, 4.5);
    Skin::sparkle(p, QPointF(15.5, 15.0), 4.6, Skin::gold());
}

void drawOpen(QPainter& p)
{
    QPainterPath back;
    back.moveTo(1.5, 4.5);
    back.lineTo(7.0, 4.5);
    back.lineTo(8.5, 6.5);
    back.lineTo(16.5, 6.5);
    back.lineTo(16.5, 16.5);
    back.lineTo(1.5, 16.5);
    back.closeSubpath();
    p.setPen(inkPen());
    p.setBrush(QColor(190, 138, 46));
    p.drawPath(back);
    p.setBrush(Skin::paper());
    p.drawRect(QRectF(4.5, 3.5, 10, 8));
    QPainterPath front;
    front.moveTo(1.5, 16.5);
    front.lineTo(4.5, 9.5);
    front.lineTo(19.5, 9.5);
    front.lineTo(16.5, 16.5);
    front.closeSubpath();
    p.setBrush(vertical(QColor(246, 212, 120), QColor(214, 160, 58), 9.5, 16.5));
    p.drawPath(front);
}

void drawSave(QPainter& p)
{
    QPainterPath body;
    body.moveTo(2.5, 2.5);
    body.lineTo(15.5, 2.5);
    body.lineTo(17.5, 4.5);
    body.lineTo(17.5, 17.5);
    body.lineTo(2.5, 17.5);
    body.closeSubpath();
    p.setPen(inkPen());
    p.setBrush(vertical(Skin::slateLight(), Skin::slate(), 2, 18));
    p.drawPath(body);
    p.setBrush(vertical(QColor(230, 230, 234), Skin::silver(), 2, 8));
    p.drawRect(QRectF(5.5, 2.5, 8, 5));
    p.fillRect(QRectF(10, 3.5, 2, 3), Skin::slate());
    p.setBrush(Skin::paper());
    p.drawRect(QRectF(4.5, 10.5, 11, 7));
    p.setPen(QPen(QColor(170, 160, 150), 1));
    p.drawLine(QPointF(6.5, 13), QPointF(13.5, 13));
    p.drawLine(QPointF(6.5, 15), QPointF(13.5, 15));
}

void drawPrint(QPainter& p)
{
    p.setPen(inkPen());
    p.setBrush(Skin::paper());
    p.drawRect(QRectF(5.5, 1.5, 9, 7));
    QPainterPath body;
    body.addRoundedRect(QRectF(1.5, 7.5, 17, 7), 1.5, 1.5);
    p.setBrush(vertical(QColor(226, 226, 230), QColor(150, 152, 158), 7.5, 14.5));
    p.drawPath(body);
    p.fillRect(QRectF(15, 9, 2, 2), Skin::gold());
    p.setBrush(Skin::paper());
    p.drawRect(QRectF(4.5, 12.5, 11, 6));
    p.setPen(QPen(QColor(150, 140, 128), 1));
    p.drawLine(QPointF(6.5, 15), QPointF(13.5, 15));
    p.drawLine(QPointF(6.5, 17), QPointF(11.5, 17));
}

void drawFont(QPainter& p)
{
    p.setRenderHint(QPainter::TextAntialiasing);
    QFont big = Skin::titleFont(19, true);
    p.setFont(big);
    p.setPen(Skin::ink());
    p.drawText(QPointF(-0.5, 16.5), QStringLiteral("A"));
    QFont small = Skin::titleFont(13, true, true);
    p.setFont(small);
    p.setPen(Skin::maroonInk());
    p.drawText(QPointF(12.0, 16.5), QStringLiteral("a"));
    p.fillRect(QRectF(1, 18, 18, 1), Skin::gold());
}

void drawMetricTables(QPainter& p)
{
    // A table card with a gold rule across it.
    p.setPen(inkPen());
    p.setBrush(Skin::paper());
    p.drawRect(QRectF(3.5, 1.5, 13, 11));
    p.setPen(QPen(Skin::slate(), 1));
    p.drawLine(QPointF(4, 4.5), QPointF(16, 4.5));
    p.drawLine(QPointF(10, 5), QPointF(10, 12));
    p.setPen(QPen(QColor(160, 170, 186), 1));
    p.drawLine(QPointF(5, 7.5), QPointF(9, 7.5));
    p.drawLine(QPointF(11, 7.5), QPointF(15, 7.5));
    p.drawLine(QPointF(5, 9.5), QPointF(9, 9.5));
    p.drawLine(QPointF(11, 9.5), QPointF(15, 9.5));
    p.setPen(inkPen());
    p.setBrush(vertical(Skin::goldLight(), Skin::gold(), 11, 18));
    p.drawRect(QRectF(0.5, 11.5, 19, 6));
    p.setPen(QPen(Skin::ink(), 1));
    for (int i = 0; i <= 8; ++i) {
        const qreal x = 2.5 + 2 * i;
        p.drawLine(QPointF(x, 12), QPointF(x, i % 2 == 0 ? 15 : 13.5));
    }
}

void drawWorldTimes(QPainter& p)
{
    const QPointF c(8.5, 8.5);
    QRadialGradient sea(QPointF(6, 5.5), 9);
    sea.setColorAt(0, QColor(150, 186, 222));
    sea.setColorAt(1, Skin::slate());
    p.setPen(inkPen());
    p.setBrush(sea);
    p.drawEllipse(c, 7.5, 7.5);
    // Land: the Americas on the left, Africa and Europe on the right.
    p.save();
    QPainterPath clip;
    clip.addEllipse(c, 7.0, 7.0);
    p.setClipPath(clip);
    p.setPen(Qt::NoPen);
    p.setBrush(Skin::leaf());
    QPainterPath land;
    land.moveTo(2.5, 3.0);
    land.cubicTo(5.5, 2.0, 7.5, 4.5, 6.0, 7.0);
    land.cubicTo(5.0, 8.0, 7.5, 10.0, 6.5, 13.5);
    land.cubicTo(5.0, 15.5, 4.0, 11.0, 3.5, 9.5);
    land.cubicTo(1.5, 8.0, 1.0, 5.0, 2.5, 3.0);
    land.moveTo(10.0, 2.5);
    land.cubicTo(13.0, 1.5, 15.5, 3.5, 14.5, 6.0);
    land.cubicTo(16.0, 8.5, 14.0, 12.0, 12.5, 14.5);
    land.cubicTo(11.0, 12.0, 11.5, 9.0, 10.0, 7.5);
    land.cubicTo(9.0, 5.5, 9.0, 4.0, 10.0, 2.5);
    p.drawPath(land);
    p.restore();
    // A clock in front, lower right.
    const QPointF k(14.5, 14.5);
    p.setPen(inkPen());
    p.setBrush(vertical(Skin::paper(), Skin::ivory(), 9.5, 19.5));
    p.drawEllipse(k, 5.0, 5.0);
    p.setPen(QPen(Skin::maroonInk(), 1.4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(k, QPointF(14.5, 11.0));
    p.drawLine(k, QPointF(17.0, 14.5));
    p.fillRect(QRectF(14, 14, 1, 1), Skin::ink());
}

void drawExit(QPainter& p)
{
    p.setPen(inkPen());
    p.setBrush(QColor(88, 60, 46));
    p.drawRect(QRectF(2.5, 1.5, 10, 17));
    // The door stands open towards us.
    QPainterPath door;
    door.moveTo(2.5, 1.5);
    door.lineTo(8.5, 3.5);
    door.lineTo(8.5, 19.5);
    door.lineTo(2.5, 18.5);
    door.closeSubpath();
    p.setBrush(vertical(Skin::maroonInkLight(), Skin::maroonInk(), 1, 19));
    p.drawPath(door);
    p.fillRect(QRectF(6.5, 10, 1.5, 1.5), Skin::goldLight());
    QPainterPath arrow;
    arrow.moveTo(9.5, 8.5);
    arrow.lineTo(13.5, 8.5);
    arrow.lineTo(13.5, 5.5);
    arrow.lineTo(18.5, 10.0);
    arrow.lineTo(13.5, 14.5);
    arrow.lineTo(13.5, 11.5);
    arrow.lineTo(9.5, 11.5);
    arrow.closeSubpath();
    p.setBrush(vertical(Skin::goldLight(), Skin::gold(), 5, 15));
    p.drawPath(arrow);
}

void drawAbout(QPainter& p)
{
    const QPointF c(10, 10);
    QRadialGradient fill(QPointF(7.5, 6.5), 11);
    fill.setColorAt(0, Skin::slateLight());
    fill.setColorAt(1, Skin::slate());
    p.setPen(inkPen());
    p.setBrush(fill);
    p.drawEllipse(c, 8.5, 8.5);
    p.setPen(Qt::NoPen);
    p.setBrush(Skin::paper());
    p.drawEllipse(QPointF(10, 5.5), 1.7, 1.7);
    QPainterPath stem;
    stem.moveTo(7.5, 8.5);
    stem.lineTo(11.2, 8.5);
    stem.lineTo(11.2, 14.0);
    stem.lineTo(12.6, 14.0);
    stem.lineTo(12.6, 15.5);
    stem.lineTo(7.4, 15.5);
    stem.lineTo(7.4, 14.0);
    stem.lineTo(8.8, 14.0);
    stem.lineTo(8.8, 10.0);
    stem.lineTo(7.5, 10.0);
    stem.closeSubpath();
    p.drawPath(stem);
}

// A thick stroke with an ink outline: drawn twice, wide in ink, then narrower in colour.
void outlinedStroke(QPainter& p, const QPainterPath& path, const QColor& colour, qreal width,
                    Qt::PenCapStyle cap)
{
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Skin::ink(), width + 2, Qt::SolidLine, cap, Qt::RoundJoin));
    p.drawPath(path);
    p.setPen(QPen(colour, width, Qt::SolidLine, cap, Qt::RoundJoin));
    p.drawPath(path);
}

void drawUndo(QPainter& p)
{
    QPainterPath curve;
    curve.moveTo(14.0, 17.0);
    curve.cubicTo(19.5, 13.0, 18.0, 6.0, 11.0, 6.5);
    curve.lineTo(6.5, 6.5);
    outlinedStroke(p, curve, Skin::maroonInk(), 2.6, Qt::FlatCap);
    QPainterPath head;
    head.moveTo(7.5, 1.5);
    head.lineTo(1.5, 6.5);
    head.lineTo(7.5, 11.5);
    head.closeSubpath();
    p.setPen(inkPen());
    p.setBrush(Skin::maroonInk());
    p.drawPath(head);
}

void drawPaste(QPainter& p)
{
    p.setPen(inkPen());
    p.setBrush(vertical(QColor(196, 140, 70), QColor(150, 98, 44), 2, 19));
    QPainterPath board;
    board.addRoundedRect(QRectF(2.5, 3.5, 12, 15), 1.5, 1.5);
    p.drawPath(board);
    p.setBrush(vertical(QColor(236, 236, 240), Skin::steel(), 1, 6));
    p.drawRect(QRectF(5.5, 1.5, 6, 4));
    sheet(p, 8.5, 7.5, 18.5, 19.0, 3, true);
}

void drawCut(QPainter& p)
{
    QPainterPath blades;
    blades.moveTo(5.5, 1.5);
    blades.lineTo(12.0, 12.0);
    blades.moveTo(14.5, 1.5);
    blades.lineTo(8.0, 12.0);
    outlinedStroke(p, blades, Skin::silver(), 1.8, Qt::RoundCap);
    p.setPen(QPen(Skin::maroonInk(), 2.2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(6.0, 15.0), 3.0, 3.0);
    p.drawEllipse(QPointF(14.0, 15.0), 3.0, 3.0);
    p.setPen(QPen(Skin::ink(), 0.8));
    p.drawEllipse(QPointF(6.0, 15.0), 4.2, 4.2);
    p.drawEllipse(QPointF(14.0, 15.0), 4.2, 4.2);
    p.setPen(Qt::NoPen);
    p.setBrush(Skin::gold());
    p.drawEllipse(QPointF(10.0, 8.8), 1.2, 1.2);
}

void drawCopy(QPainter& p)
{
    sheet(p, 2.5, 1.5, 12.5, 13.5, 3, true);
    sheet(p, 7.5, 6.5, 17.5, 18.5, 3, true);
}

void drawSelectAll(QPainter& p)
{
    p.setPen(Qt::NoPen);
    p.setBrush(Skin::slateLight());
    p.drawRect(QRectF(4, 4.5, 12, 2.5));
    p.drawRect(QRectF(4, 8.5, 12, 2.5));
    p.drawRect(QRectF(4, 12.5, 8, 2.5));
    p.setPen(QPen(Skin::slate(), 1));
    p.drawLine(QPointF(4.5, 5.75), QPointF(15.5, 5.75));
    p.drawLine(QPointF(4.5, 9.75), QPointF(15.5, 9.75));
    p.drawLine(QPointF(4.5, 13.75), QPointF(11.5, 13.75));
    QPen dashed(Skin::ink(), 1, Qt::CustomDashLine);
    dashed.setDashPattern({2, 1});
    p.setPen(dashed);
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(1.5, 1.5, 17, 16));
}

void drawDelete(QPainter& p)
{
    sheet(p, 2.5, 1.5, 13.5, 16.5, 3.5, true);
    QPainterPath cross;
    cross.moveTo(10.0, 10.0);
    cross.lineTo(17.5, 17.5);
    cross.moveTo(17.5, 10.0);
    cross.lineTo(10.0, 17.5);
    outlinedStroke(p, cross, QColor(196, 38, 44), 2.4, Qt::FlatCap);
}

void drawClose(QPainter& p)
{
    QPainterPath cross;
    cross.moveTo(4.5, 4.5);
    cross.lineTo(15.5, 15.5);
    cross.moveTo(15.5, 4.5);
    cross.lineTo(4.5, 15.5);
    outlinedStroke(p, cross, Skin::maroonInk(), 3.0, Qt::FlatCap);
}

} // namespace

void Pictograms::draw(QPainter& p, Command command)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    switch (command) {
    case Command::New:
        drawNew(p);
        break;
    case Command::Open:
        drawOpen(p);
        break;
    case Command::Save:
        drawSave(p);
        break;
    case Command::Print:
        drawPrint(p);
        break;
    case Command::Font:
        drawFont(p);
        break;
    case Command::MetricTables:
        drawMetricTables(p);
        break;
    case Command::WorldTimes:
        drawWorldTimes(p);
        break;
    case Command::Exit:
        drawExit(p);
        break;
    case Command::About:
        drawAbout(p);
        break;
    case Command::Undo:
        drawUndo(p);
        break;
    case Command::Paste:
        drawPaste(p);
        break;
    case Command::Cut:
        drawCut(p);
        break;
    case Command::Copy:
        drawCopy(p);
        break;
    case Command::SelectAll:
        drawSelectAll(p);
        break;
    case Command::Delete:
        drawDelete(p);
        break;
    case Command::Close:
        drawClose(p);
        break;
    }
    p.restore();
}

QImage Pictograms::render(Command command, int size)
{
    QImage image = Skin::canvas(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.scale(size / 20.0, size / 20.0);
    draw(p, command);
    return image;
}

QImage Pictograms::disabled(const QImage& pictogram)
{
    const QImage source = pictogram.convertToFormat(QImage::Format_ARGB32);
    QImage out(source.size(), QImage::Format_ARGB32_Premultiplied);
    out.fill(Qt::transparent);
    QImage shape(source.size(), QImage::Format_ARGB32);
    QImage light(source.size(), QImage::Format_ARGB32);
    for (int y = 0; y < source.height(); ++y) {
        for (int x = 0; x < source.width(); ++x) {
            const QRgb c = source.pixel(x, y);
            // Keep a compressed range of the pictogram's lightness, so its parts still read.
            const int tone = 108 + qGray(c) * 34 / 100;
            shape.setPixel(x, y, qRgba(tone, tone - 6, tone - 16, qAlpha(c)));
            light.setPixel(x, y, qRgba(255, 252, 244, qAlpha(c) * 3 / 4));
        }
    }
    // The light edge is one design pixel below right, at any scale.
    for (QImage* image : {&out, &shape, &light})
        image->setDevicePixelRatio(pictogram.devicePixelRatio());
    QPainter p(&out);
    p.drawImage(1, 1, light);
    p.drawImage(0, 0, shape);
    return out;
}
