#include "MainWindowArt.h"

#include "ButtonArt.h"
#include "Skin.h"
#include "TextFit.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

namespace {
// The design extends this far beyond the client area on every side (pieces stand outside it).
constexpr int Margin = 8;
// Every key has the same size; the top row shares one top edge, the left column one left edge.
constexpr int KeyWidth = 37;
constexpr int KeyHeight = 26;
constexpr int TopRowKeyTop = 9;
constexpr int LeftColumnKeyLeft = 7;

// The sunken well the editor and the ruler sit in.
const QRect Well(51, 44, 728, 466);
} // namespace

const QList<MainWindowArt::Piece>& MainWindowArt::strips()
{
    static const QList<Piece> all = {
        {QStringLiteral("Image9"), QRect(-3, 521, 803, 31), QStringLiteral("main/strip_bottom.jpg")},
        {QStringLiteral("Image7"), QRect(767, -6, 33, 519), QStringLiteral("main/strip_right.jpg")},
        {QStringLiteral("Image1"), QRect(-3, -5, 803, 53), QStringLiteral("main/strip_top.jpg")},
        {QStringLiteral("Image8"), QRect(0, -5, 56, 549), QStringLiteral("main/strip_left.jpg")},
        {QStringLiteral("Image6"), QRect(8, 509, 793, 35), QStringLiteral("main/strip_under_ruler.jpg")},
    };
    return all;
}

const QList<MainWindowArt::Piece>& MainWindowArt::labels()
{
    static const QList<Piece> all = {
        {QStringLiteral("Image2"), QRect(2, 454, 44, 26), QStringLiteral("main/label_bullets.bmp")},
        {QStringLiteral("Image3"), QRect(0, 349, 32, 22), QStringLiteral("main/label_bold.bmp")},
        {QStringLiteral("Image4"), QRect(0, 384, 31, 21), QStringLiteral("main/label_underline.bmp")},
        {QStringLiteral("Image5"), QRect(-1, 417, 32, 22), QStringLiteral("main/label_italic.bmp")},
    };
    return all;
}

const QList<MainWindowArt::Button>& MainWindowArt::buttons()
{
    using C = Pictograms::Command;
    static const QList<Button> all = {
        {QStringLiteral("LumaroLButton1"), QRect(7, 8, 47, 30), C::New, QStringLiteral("new")},
        {QStringLiteral("LumaroLButton2"), QRect(73, 7, 45, 30), C::Open, QStringLiteral("open")},
        {QStringLiteral("LumaroLButton3"), QRect(137, 7, 45, 30), C::Save, QStringLiteral("save")},
        {QStringLiteral("LumaroLButton4"), QRect(203, 6, 45, 31), C::Print, QStringLiteral("print")},
        {QStringLiteral("LumaroLButton10"), QRect(491, 8, 44, 29), C::Font, QStringLiteral("font")},
        {QStringLiteral("LumaroLButton15"), QRect(553, 6, 45, 32), C::MetricTables, QStringLiteral("metric")},
        {QStringLiteral("LumaroLButton14"), QRect(614, 5, 47, 33), C::WorldTimes,
         QStringLiteral("worldtimes")},
        {QStringLiteral("LumaroLButton9"), QRect(688, 8, 43, 29), C::Exit, QStringLiteral("exit")},
        {QStringLiteral("LumaroLButton12"), QRect(744, 8, 45, 29), C::About, QStringLiteral("about")},
        {QStringLiteral("LumaroLButton8"), QRect(4, 59, 44, 30), C::Undo, QStringLiteral("undo")},
        {QStringLiteral("LumaroLButton7"), QRect(2, 103, 44, 29), C::Paste, QStringLiteral("paste")},
        {QStringLiteral("LumaroLButton6"), QRect(2, 146, 44, 29), C::Cut, QStringLiteral("cut")},
        {QStringLiteral("LumaroLButton5"), QRect(3, 190, 44, 29), C::Copy, QStringLiteral("copy")},
        {QStringLiteral("LumaroLButton13"), QRect(1, 243, 48, 32), C::SelectAll, QStringLiteral("selectall")},
        {QStringLiteral("LumaroLButton11"), QRect(1, 291, 47, 31), C::Delete, QStringLiteral("delete")},
    };
    return all;
}

const QList<MainWindowArt::Control>& MainWindowArt::controls()
{
    static const QList<Control> all = {
        {QStringLiteral("FontName"), QRect(267, 11, 145, 20)},
        {QStringLiteral("FontSize"), QRect(427, 11, 48, 21)},
        {QStringLiteral("BoldButton"), QRect(31, 354, 14, 13)},
        {QStringLiteral("UnderlineButton"), QRect(31, 388, 14, 13)},
        {QStringLiteral("BulletsButton"), QRect(20, 480, 14, 13)},
        {QStringLiteral("ItalicButton"), QRect(31, 422, 14, 13)},
        {QStringLiteral("Editor"), QRect(51, 44, 728, 443)},
        {QStringLiteral("Ruler"), QRect(52, 485, 727, 25)},
    };
    return all;
}

MainWindowArt::MainWindowArt(ArtCatalog& catalog, QList<Lettering> translations)
    : m_catalog(catalog), m_translations(std::move(translations))
{
}

QRect MainWindowArt::keyFor(const Button& button)
{
    const QRect r = button.rect;
    const bool topRow = r.top() < 40;
    // Centred across the row's direction, leaving two pixels of shadow.
    if (topRow)
        return QRect(r.left() + (r.width() - 2 - KeyWidth) / 2, TopRowKeyTop, KeyWidth, KeyHeight);
    return QRect(LeftColumnKeyLeft, r.top() + (r.height() - 2 - KeyHeight) / 2, KeyWidth, KeyHeight);
}

QImage MainWindowArt::cut(const QImage& design, const QRect& clientRect) const
{
    return Skin::cut(design, clientRect.translated(Margin, Margin));
}

QImage MainWindowArt::background() const
{
    const QSize client = clientSize();
    QImage design = Skin::canvas(client.width() + 2 * Margin, client.height() + 2 * Margin, QImage::Format_RGB32);
    Skin::paintLeather(design, Skin::designRect(design));
    QPainter p(&design);
    p.translate(Margin, Margin);

    // The window's own edge, raised.
    Skin::bevelAround(p, QRect(QPoint(1, 1), client - QSize(2, 2)), true, 1);

    // The well of the editor and the ruler: gold trim, a two-pixel sunken edge, dark inside
    // where the controls leave a pixel uncovered.
    p.fillRect(Well, Skin::shadow());
    Skin::bevelAround(p, Well, false, 2);
    Skin::goldFrame(p, Well.adjusted(-3, -3, 3, 3));

    // Sockets of the font pickers.
    for (const Control& c : controls()) {
        if (c.component.startsWith(QLatin1String("Font"))) {
            p.fillRect(c.rect, Skin::shadow());
            Skin::bevelAround(p, c.rect, false, 2);
            Skin::goldFrame(p, c.rect.adjusted(-3, -3, 3, 3));
        } else if (c.component.endsWith(QLatin1String("Button"))) {
            p.fillRect(c.rect, Skin::shadow());
            Skin::bevelAround(p, c.rect, false, 1);
        }
    }

    // Grooves between the groups of the top row: file | fonts | tables | exit | about.
    for (int x : {256, 544, 674, 737})
        Skin::grooveV(p, x, 10, 35);
    // ... and of the left column: undo | clipboard | selection | character format | bullets.
    for (int y : {96, 231, 335, 446})
        Skin::grooveH(p, y, 9, 43);

    // The wordmark on the bar under the ruler.
    const QRect bar(60, 513, 716, 32);
    TextFit fit(QStringLiteral("the main window's design"));
    Skin::goldText(p, fit, bar, Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("LumaroStyle Notepad"),
                   Skin::titleFont(17, true, true));
    p.end();
    return design;
}

void MainWindowArt::drawLabels(QImage& design, const Lettering& lettering) const
{
    QPainter p(&design);
    p.translate(Margin, Margin);
    p.setRenderHint(QPainter::Antialiasing);
    const QFont bold = Skin::titleFont(19, true);
    QFont underline = bold;
    underline.setUnderline(true);
    const QFont italic = Skin::titleFont(19, true, true);
    // The letters stand left of their check boxes, centred on the box's middle line.
    TextFit fit(QStringLiteral("the main window's labels (%1)").arg(lettering.language));
    Skin::goldText(p, fit, QRect(6, 349, 22, 22), Qt::AlignCenter, lettering.bold, bold);
    Skin::goldText(p, fit, QRect(6, 383, 22, 22), Qt::AlignCenter, lettering.underline, underline);
    Skin::goldText(p, fit, QRect(5, 417, 22, 22), Qt::AlignCenter, lettering.italic, italic);

    // Bullets: three gold dots with lines of text beside them.
    for (int i = 0; i < 3; ++i) {
        const qreal y = 458.5 + 6.5 * i;
        QColor dark = Skin::shadow();
        p.setPen(Qt::NoPen);
        p.setBrush(dark);
        p.drawEllipse(QPointF(13.5, y + 1), 2.3, 2.3);
        p.fillRect(QRectF(19, y, 19 - 5 * (i == 2), 2), dark);
        p.setBrush(Skin::goldLight());
        p.drawEllipse(QPointF(12.5, y), 2.3, 2.3);
        p.fillRect(QRectF(18, y - 1, 19 - 5 * (i == 2), 2), Skin::gold());
    }
}

void MainWindowArt::generate()
{
    const QImage plain = background();
    QImage lettered = plain;
    drawLabels(lettered, Lettering::english());

    m_catalog.setGroup(QStringLiteral("Main window (TMainForm)"));
    for (const Piece& strip : strips()) {
        m_catalog.setPlace(ArtCatalog::place(strip.rect.topLeft()));
        m_catalog.jpeg(strip.file, QStringLiteral("TMainForm.") + strip.component, cut(plain, strip.rect));
    }
    for (const Piece& label : labels()) {
        m_catalog.setPlace(ArtCatalog::place(label.rect.topLeft()));
        m_catalog.bmp24(label.file, QStringLiteral("TMainForm.") + label.component,
                        cut(lettered, label.rect));
    }
    for (const Lettering& lettering : m_translations) {
        QImage translated = plain;
        drawLabels(translated, lettering);
        for (const Piece& label : labels()) {
            const QImage picture = cut(translated, label.rect);
            if (picture == cut(lettered, label.rect))
                continue;
            m_catalog.setPlace(ArtCatalog::place(label.rect.topLeft()));
            m_catalog.bmp24(lettering.pictureName(label.file),
                            QStringLiteral("TMainForm.%1 (%2)").arg(label.component, lettering.language),
                            picture);
        }
    }

    m_catalog.setGroup(QStringLiteral("Main window buttons (TMainForm, TLumaroLButton)"));
    for (const Button& b : buttons()) {
        const QImage beneath = cut(lettered, b.rect);
        const QRect key = keyFor(b).translated(-b.rect.topLeft());
        m_catalog.setPlace(ArtCatalog::place(b.rect.topLeft()));
        for (ButtonArt::State state : ButtonArt::states()) {
            m_catalog.bmp24(QStringLiteral("buttons/%1_%2.bmp").arg(b.name, ButtonArt::suffix(state)),
                            QStringLiteral("TMainForm.%1.%2Image")
                                .arg(b.component, state == ButtonArt::State::Up     ? QStringLiteral("Up")
                                                  : state == ButtonArt::State::Down ? QStringLiteral("Down")
                                                  : state == ButtonArt::State::Over
                                                      ? QStringLiteral("MouseOver")
                                                      : QStringLiteral("Disabled")),
                            ButtonArt::render(beneath, key, b.command, state));
        }
    }

    // The window icon is one size of the emblem; the desktop draws it at other sizes from the
    // desktop icons.
    if (Skin::scale() == 1) {
        m_catalog.setGroup(QStringLiteral("Program icon"));
        m_catalog.setPlace(QString());
        m_catalog.png(QStringLiteral("main/icon32.png"), QStringLiteral("TMainForm.Icon, the window icon"),
                      emblem(32));
    }
}

QImage MainWindowArt::emblem(int size)
{
    QImage image = Skin::canvas(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.scale(size / 32.0, size / 32.0);
    paintEmblem(p);
    return image;
}

void MainWindowArt::paintEmblem(QPainter& p)
{
    p.setRenderHint(QPainter::Antialiasing);

    // A maroon leather tile with gold trim ...
    QPainterPath tile;
    tile.addRoundedRect(QRectF(1.5, 1.5, 29, 29), 5, 5);
    QLinearGradient leather(0, 1, 0, 31);
    leather.setColorAt(0, Skin::leatherLight());
    leather.setColorAt(1, Skin::leatherDark());
    p.setPen(QPen(Skin::gold(), 1.2));
    p.setBrush(leather);
    p.drawPath(tile);
    // ... carrying a sheet of paper with a folded corner ...
    QPainterPath page;
    page.moveTo(8.5, 5.5);
    page.lineTo(19.5, 5.5);
    page.lineTo(24.5, 10.5);
    page.lineTo(24.5, 27.5);
    page.lineTo(8.5, 27.5);
    page.closeSubpath();
    p.setPen(QPen(Skin::ink(), 1));
    p.setBrush(Skin::ivoryLight());
    p.drawPath(page);
    QPainterPath fold;
    fold.moveTo(19.5, 5.5);
    fold.lineTo(19.5, 10.5);
    fold.lineTo(24.5, 10.5);
    p.setBrush(Skin::ivoryDark());
    p.drawPath(fold);
    // ... lettered with a maroon initial (as an outline, so a scalable copy needs no font) and
    // lines of text.
    const QRectF initialBox(8.5, 6, 11, 14);
    p.setFont(Skin::titleFont(15, true));
    TextFit(QStringLiteral("the emblem")).claim(p, initialBox, Qt::AlignCenter, QStringLiteral("L"));
    QPainterPath initial;
    initial.addText(0, 0, Skin::titleFont(15, true), QStringLiteral("L"));
    const QFontMetricsF metrics(Skin::titleFont(15, true));
    initial.translate(initialBox.center().x() - metrics.horizontalAdvance(QStringLiteral("L")) / 2,
                      initialBox.center().y() + (metrics.ascent() - metrics.descent()) / 2);
    p.fillPath(initial, Skin::maroonInk());
    p.setPen(QPen(QColor(150, 136, 120), 1));
    for (qreal y : {20.5, 23.0})
        p.drawLine(QPointF(11, y), QPointF(22, y));
    p.drawLine(QPointF(20, 15.5), QPointF(22, 15.5));
    Skin::sparkle(p, QPointF(24.5, 24.5), 5.0, Skin::goldLight());
}

QImage MainWindowArt::mockup() const
{
    QImage window(clientSize(), QImage::Format_RGB32);
    window.fill(Qt::white);
    QPainter p(&window);
    auto place = [&](const QString& file, QPoint at) { p.drawImage(at, m_catalog.entry(file).image); };
    auto clipped = [&](const QString& file, const QRect& rect) {
        p.save();
        p.setClipRect(rect);
        place(file, rect.topLeft());
        p.restore();
    };
    // The stacking order of the window: strips, buttons, labels, the strip under the ruler.
    const QList<Piece>& s = strips();
    for (int i = 0; i < 4; ++i)
        clipped(s[i].file, s[i].rect);
    const QStringList order = {QStringLiteral("LumaroLButton1"),  QStringLiteral("LumaroLButton2"),
                               QStringLiteral("LumaroLButton3"),  QStringLiteral("LumaroLButton4"),
                               QStringLiteral("LumaroLButton5"),  QStringLiteral("LumaroLButton6"),
                               QStringLiteral("LumaroLButton7"),  QStringLiteral("LumaroLButton8"),
                               QStringLiteral("LumaroLButton9"),  QStringLiteral("LumaroLButton10"),
                               QStringLiteral("LumaroLButton12"), QStringLiteral("LumaroLButton11"),
                               QStringLiteral("LumaroLButton13"), QStringLiteral("Image2"),
                               QStringLiteral("Image3"),          QStringLiteral("Image4"),
                               QStringLiteral("Image5"),          QStringLiteral("LumaroLButton14"),
                               QStringLiteral("LumaroLButton15")};
    for (const QString& name : order) {
        for (const Button& b : buttons()) {
            if (b.component == name)
                clipped(QStringLiteral("buttons/%1_up.bmp").arg(b.name), b.rect);
        }
        for (const Piece& l : labels()) {
            if (l.component == name)
                clipped(l.file, l.rect);
        }
    }
    clipped(s[4].file, s[4].rect);

    // Placeholders of the windowed controls.
    TextFit fit(QStringLiteral("the main window's mock-up"));
    p.setFont(Skin::textFont(11));
    for (const Control& c : controls()) {
        if (c.component == QLatin1String("Editor")) {
            p.fillRect(c.rect, Qt::white);
            p.setPen(QColor(128, 128, 128));
            p.drawRect(c.rect.adjusted(0, 0, -1, -1));
            p.setPen(Qt::black);
            p.setFont(Skin::textFont(13));
            fit.draw(p, c.rect.adjusted(6, 4, 0, 0), Qt::AlignLeft | Qt::AlignTop,
                     QStringLiteral("Editor 728 x 443 (placeholder)"));
        } else if (c.component == QLatin1String("Ruler")) {
            p.fillRect(c.rect, QColor(212, 208, 200));
            p.setPen(QColor(90, 90, 90));
            for (int x = c.rect.left() + 8; x < c.rect.right() - 8; x += 8)
                p.drawLine(x, c.rect.top() + 9, x, c.rect.top() + (x % 32 == 0 ? 17 : 13));
        } else if (c.component.startsWith(QLatin1String("Font"))) {
            p.fillRect(c.rect, Qt::white);
            p.setPen(QColor(128, 128, 128));
            p.drawRect(c.rect.adjusted(0, 0, -1, -1));
            p.fillRect(QRect(c.rect.right() - 15, c.rect.top() + 1, 15, c.rect.height() - 2),
                       QColor(212, 208, 200));
            p.setPen(Qt::black);
            p.setFont(Skin::textFont(11));
            fit.draw(p, c.rect.adjusted(4, 0, -18, 0), Qt::AlignVCenter,
                     c.component == QLatin1String("FontName") ? QStringLiteral("Arial")
                                                              : QStringLiteral("10"));
        } else {
            // A raised check box with a maroon mark.
            p.fillRect(c.rect, QColor(212, 208, 200));
            p.setPen(Qt::white);
            p.drawLine(c.rect.topLeft(), c.rect.topRight());
            p.drawLine(c.rect.topLeft(), c.rect.bottomLeft());
            p.setPen(QColor(64, 64, 64));
            p.drawLine(c.rect.bottomLeft(), c.rect.bottomRight());
            p.drawLine(c.rect.topRight(), c.rect.bottomRight());
            if (c.component == QLatin1String("BoldButton")) {
                p.setPen(QPen(QColor(128, 0, 0), 2));
                p.drawLine(c.rect.left() + 3, c.rect.top() + 6, c.rect.left() + 6, c.rect.top() + 9);
                p.drawLine(c.rect.left() + 6, c.rect.top() + 9, c.rect.left() + 10, c.rect.top() + 3);
            }
        }
    }
    return window;
}
