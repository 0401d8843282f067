#include "DialogArt.h"

#include "ButtonArt.h"
#include "MainWindowArt.h"
#include "Skin.h"
#include "TextFit.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>

#include <stdexcept>

namespace {
constexpr int Margin = 8;
// The close button's key fills its picture but for the shadow at the right and bottom and the
// rounded corners, which show the leather's tone.
const QRect CloseKey(0, 0, 38, 28);
} // namespace

const DialogArt::Dialog& DialogArt::worldTimes()
{
    static const Dialog d{
        QStringLiteral("Form1"),
        QSize(303, 428),
        QStringLiteral("World Times"),
        QRect(91, 8, 132, 29),
        QRect(32, 47, 240, 326),
        QRect(134, 381, 40, 30),
        {QRect(3, 27, 297, 15), QRect(3, 413, 297, 15)},
        {QRect(6, 28, 289, 13), QRect(7, 413, 289, 13)},
        {
            {QStringLiteral("Image11"), QRect(-1, -2, 38, 430), QStringLiteral("worldtimes/strip_left.jpg")},
            {QStringLiteral("Image13"), QRect(261, -3, 42, 430),
             QStringLiteral("worldtimes/strip_right.jpg")},
            {QStringLiteral("Image12"), QRect(-1, 366, 305, 65),
             QStringLiteral("worldtimes/strip_bottom.jpg")},
            {QStringLiteral("Image1"), QRect(0, -2, 305, 58), QStringLiteral("worldtimes/strip_top.jpg")},
            {QStringLiteral("Image4"), QRect(91, 8, 132, 29), QStringLiteral("worldtimes/title.jpg")},
        },
    };
    return d;
}

const DialogArt::Dialog& DialogArt::metricTables()
{
    static const Dialog d{
        QStringLiteral("Form2"),
        QSize(421, 392),
        QStringLiteral("Metric Conversion Tables"),
        QRect(50, 7, 312, 25),
        QRect(43, 41, 336, 297),
        QRect(192, 350, 40, 30),
        {},
        {},
        {
            {QStringLiteral("Image10"), QRect(0, 333, 421, 59), QStringLiteral("metric/strip_bottom.jpg")},
            {QStringLiteral("Image2"), QRect(-2, -1, 421, 53), QStringLiteral("metric/strip_top.jpg")},
            {QStringLiteral("Image7"), QRect(50, 7, 312, 25), QStringLiteral("metric/title.jpg")},
            {QStringLiteral("Image8"), QRect(-1, 1, 53, 391), QStringLiteral("metric/strip_left.jpg")},
            {QStringLiteral("Image9"), QRect(371, 1, 50, 391), QStringLiteral("metric/strip_right.jpg")},
        },
    };
    return d;
}

DialogArt::DialogArt(ArtCatalog& catalog, QList<Lettering> translations)
    : m_catalog(catalog), m_translations(std::move(translations))
{
}

QFont DialogArt::linkFont()
{
    // "Courier", character height 13 pixels, underlined: drawn in the program's substitute.
    QFont font(QStringLiteral("Courier"));
    font.setPixelSize(13);
    font.setUnderline(true);
    return font;
}

QRect DialogArt::aboutWebNote()
{
    // The program draws the link from the top of its label.
    const int baseline = aboutUrlLabel().top() + QFontMetrics(linkFont()).ascent();
    // Right-aligned against the link; a longer note (another language's) has room up to the
    // emblem's column.
    const QFontMetrics note(Skin::textFont(10));
    return {20, baseline - note.ascent(), 131, note.height()};
}

QFont DialogArt::labelFont()
{
    // "MS Sans Serif", character height 10 pixels: drawn in the program's substitute for it.
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(10);
    return font;
}

QImage DialogArt::design(const Dialog& d) const
{
    QImage image = Skin::canvas(d.client.width() + 2 * Margin, d.client.height() + 2 * Margin, QImage::Format_RGB32);
    Skin::paintLeather(image, Skin::designRect(image));
    QPainter p(&image);
    p.translate(Margin, Margin);
    Skin::bevelAround(p, QRect(QPoint(1, 1), d.client - QSize(2, 2)), true, 1);
    p.fillRect(d.pages, Skin::shadow());
    Skin::bevelAround(p, d.pages, false, 2);
    Skin::goldFrame(p, d.pages.adjusted(-3, -3, 3, 3));
    for (const QRect& band : d.textBands)
        Skin::parchmentBand(p, band);
    // The title keeps above the first parchment band, which a label's text covers.
    QRect titleText = d.titleRect;
    if (!d.textBands.isEmpty())
        titleText.setBottom(d.textBands.first().top() - 3);
    TextFit fit(d.form + QStringLiteral("'s design"));
    Skin::goldText(p, fit, titleText, Qt::AlignCenter, d.title,
                   Skin::titleFont(titleText.height() < 22 ? 17 : 19, true));
    return image;
}

QImage DialogArt::closeButton(int state)
{
    QImage plate = Skin::canvas(40, 30, QImage::Format_RGB32);
    plate.fill(Skin::plate());
    return ButtonArt::render(plate, CloseKey, Pictograms::Command::Close, ButtonArt::states().at(state));
}

QImage DialogArt::aboutPicture(const Lettering& lettering)
{
    QImage image = Skin::canvas(291, 137, QImage::Format_RGB32);
    const QRect area = Skin::designRect(image);
    Skin::paintLeather(image, area);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    Skin::bevelAround(p, area.adjusted(1, 1, -1, -1), true, 1);
    Skin::goldFrame(p, area.adjusted(5, 5, -5, -5));

    p.drawImage(QPoint(18, 20), MainWindowArt::emblem(64));
    TextFit fit(lettering.pictureName(QStringLiteral("dialogs/about.jpg")));
    Skin::goldText(p, fit, QRect(94, 14, 185, 30), Qt::AlignLeft | Qt::AlignVCenter,
                   QStringLiteral("LumaroStyle"), Skin::titleFont(26, true));
    Skin::goldText(p, fit, QRect(96, 40, 180, 24), Qt::AlignLeft | Qt::AlignVCenter,
                   QStringLiteral("Notepad"), Skin::titleFont(20, true, true));
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setFont(Skin::textFont(10));
    p.setPen(Skin::ivory());
    fit.draw(p, QRect(96, 64, 180, 14), Qt::AlignLeft | Qt::AlignVCenter, lettering.tagline);
    p.setPen(Skin::goldLight());
    fit.draw(p, aboutWebNote(), Qt::AlignRight | Qt::AlignTop, lettering.web);
    return image;
}

QImage DialogArt::dialogIcon()
{
    // Drawn in the 16 classic colours only, without smoothing: a reference book with a maroon
    // cover, gold bands on the spine and a globe on the front.
    QImage image(32, 32, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, false);
    const QColor black(0, 0, 0), maroon(128, 0, 0), red(255, 0, 0), olive(128, 128, 0), yellow(255, 255, 0),
        white(255, 255, 255), silver(192, 192, 192), grey(128, 128, 128), navy(0, 0, 128), blue(0, 0, 255),
        green(0, 128, 0), teal(0, 128, 128);
    // Pages, seen at the fore-edge and the bottom.
    p.fillRect(QRect(9, 4, 19, 25), white);
    for (int y = 6; y < 28; y += 2)
        p.fillRect(QRect(26, y, 2, 1), silver);
    p.fillRect(QRect(9, 27, 19, 1), silver);
    p.setPen(black);
    p.drawRect(QRect(9, 3, 19, 26));
    // Cover and spine.
    p.fillRect(QRect(4, 2, 21, 27), maroon);
    p.fillRect(QRect(4, 2, 4, 27), QColor(128, 0, 0));
    p.fillRect(QRect(5, 2, 1, 27), red);
    p.fillRect(QRect(4, 6, 4, 2), yellow);
    p.fillRect(QRect(4, 22, 4, 2), yellow);
    p.fillRect(QRect(4, 7, 4, 1), olive);
    p.fillRect(QRect(4, 23, 4, 1), olive);
    p.setPen(black);
    p.drawRect(QRect(3, 1, 22, 28));
    p.drawLine(8, 2, 8, 28);
    p.fillRect(QRect(11, 23, 11, 1), yellow);
    p.fillRect(QRect(11, 25, 8, 1), olive);
    // A shadow below right.
    p.fillRect(QRect(29, 4, 1, 27), grey);
    p.fillRect(QRect(5, 30, 24, 1), grey);
    p.end();
    // A globe on the cover: the Americas left, Europe and Africa right.
    static const char* const globe[] = {
        "....nnnn....", "..nnbbbbnn..", ".nbggbbbbgn.", ".nggggbbggg.", "nbbgggbbgggn", "nbbbggbbbggn",
        "nbbbbgbbbggn", "nbbbbggbbgbn", ".nbbbgbbbgb.", ".nbbbgbbbbn.", "..nnbbbbnn..", "....nnnn....",
    };
    for (int y = 0; y < 12; ++y) {
        for (int x = 0; x < 12; ++x) {
            const char c = globe[y][x];
            if (c != '.')
                image.setPixelColor(10 + x, 8 + y, c == 'n' ? navy : c == 'b' ? blue : green);
        }
    }
    image.setPixelColor(12, 10, teal);
    return image;
}

void DialogArt::generate()
{
    m_catalog.setGroup(QStringLiteral("Dialogs: close button (TAboutBox, TForm1, TForm2 LumaroLButton1)"));
    const QStringList property = {QStringLiteral("UpImage"), QStringLiteral("DownImage"),
                                  QStringLiteral("MouseOverImage"), QStringLiteral("DisabledImage")};
    m_catalog.setPlace(QStringLiteral("AboutBox %1; Form1 %2; Form2 %3")
                           .arg(ArtCatalog::place(aboutCloseButton().topLeft()),
                                ArtCatalog::place(worldTimes().closeButton.topLeft()),
                                ArtCatalog::place(metricTables().closeButton.topLeft())));
    for (int i = 0; i < 4; ++i) {
        const ButtonArt::State state = ButtonArt::states().at(i);
        // The disabled picture is the up picture: the dialogs never disable their close button.
        const QImage picture = closeButton(state == ButtonArt::State::Disabled ? 0 : i);
        m_catalog.bmp24(QStringLiteral("dialogs/close_%1.bmp").arg(ButtonArt::suffix(state)),
                        QStringLiteral("LumaroLButton1.") + property[i], picture);
    }

    m_catalog.setGroup(QStringLiteral("About box (TAboutBox)"));
    m_catalog.setPlace(QStringLiteral("0, 0 (aligned to the client)"));
    const QString about = QStringLiteral("dialogs/about.jpg");
    m_catalog.jpeg(about, QStringLiteral("AboutBox.Image1"), aboutPicture(Lettering::english()));
    for (const Lettering& lettering : m_translations) {
        m_catalog.jpeg(lettering.pictureName(about),
                       QStringLiteral("AboutBox.Image1 (%1)").arg(lettering.language),
                       aboutPicture(lettering));
    }

    // The icon is drawn pixel by pixel in 16 colours: it has one size.
    if (Skin::scale() == 1) {
        m_catalog.setGroup(QStringLiteral("Dialog icon (TForm1, TForm2)"));
        m_catalog.setPlace(QString());
        m_catalog.ico4(QStringLiteral("dialogs/dialog_icon.ico"), QStringLiteral("Form1.Icon, Form2.Icon"),
                       dialogIcon());
    }

    for (const Dialog* d : {&worldTimes(), &metricTables()}) {
        m_catalog.setGroup(d == &worldTimes() ? QStringLiteral("World Times frame (TForm1)")
                                              : QStringLiteral("Metric Tables frame (TForm2)"));
        const QImage whole = design(*d);
        for (const Piece& piece : d->pieces) {
            m_catalog.setPlace(ArtCatalog::place(piece.rect.topLeft()));
            m_catalog.jpeg(piece.file, d->form + QLatin1Char('.') + piece.component,
                           Skin::cut(whole, piece.rect.translated(Margin, Margin)));
        }
    }
}

QImage DialogArt::mockup(const Dialog& d, const QString& pageFile, const QSize& pageArea,
                         const QStringList& tabs, int currentTab) const
{
    QImage image(d.client, QImage::Format_RGB32);
    image.fill(QColor(128, 0, 0));
    QPainter p(&image);
    for (const Piece& piece : d.pieces)
        p.drawImage(piece.rect.topLeft(), m_catalog.entry(piece.file).image);
    p.drawImage(d.closeButton.topLeft(), m_catalog.entry(QStringLiteral("dialogs/close_up.bmp")).image);
    // The labels as the program draws them: at the top of the label, in its face.
    TextFit fit(d.form + QStringLiteral("'s mock-up"));
    p.setFont(labelFont());
    p.setPen(Qt::black);
    for (int i = 0; i < d.labels.size(); ++i) {
        if (!d.textBands.value(i).contains(d.labels[i]))
            throw std::runtime_error(d.form.toStdString() + ": a label stands outside the band made for it");
        fit.draw(p, d.labels[i], Qt::AlignLeft | Qt::AlignTop, timesNote());
    }
    p.setFont(Skin::textFont(10));

    // A stand-in for the page control: tabs on rows, the page area framed below them.
    p.fillRect(d.pages, QColor(212, 208, 200));
    int x = d.pages.left() + 2;
    int y = d.pages.top() + 2;
    int row = 0;
    for (int i = 0; i < tabs.size(); ++i) {
        const int w = p.fontMetrics().horizontalAdvance(tabs[i]) + 12;
        if (x + w > d.pages.right() - 2) {
            x = d.pages.left() + 2;
            y += 18;
            ++row;
        }
        const QRect tab(x, y, w, 18);
        p.fillRect(tab, i == currentTab ? QColor(232, 228, 220) : QColor(200, 196, 188));
        p.setPen(QColor(100, 100, 100));
        p.drawRect(tab.adjusted(0, 0, -1, -1));
        p.setPen(Qt::black);
        fit.draw(p, tab, Qt::AlignCenter, tabs[i]);
        x += w;
    }
    const QPoint pageTopLeft(d.pages.left() + 4, y + 22);
    const QRect area(pageTopLeft, pageArea);
    p.save();
    p.setClipRect(area);
    p.drawImage(pageTopLeft, m_catalog.entry(pageFile).image);
    p.restore();
    return image;
}

QImage DialogArt::aboutMockup() const
{
    QImage image(292, 138, QImage::Format_RGB32);
    image.fill(QColor(212, 208, 200));
    QPainter p(&image);
    p.drawImage(0, 0, m_catalog.entry(QStringLiteral("dialogs/about.jpg")).image);
    p.drawImage(aboutCloseButton().topLeft(), m_catalog.entry(QStringLiteral("dialogs/close_up.bmp")).image);
    // The link's label takes the size of its text, which may run on up to the close button; it
    // must not run into the picture's words before it.
    TextFit fit(QStringLiteral("the about box's mock-up"));
    p.setFont(Skin::textFont(10));
    fit.claim(p, aboutWebNote(), Qt::AlignRight | Qt::AlignTop, QStringLiteral("On the web:"));
    p.setFont(linkFont());
    p.setPen(Qt::white);
    const QRect room(aboutUrlLabel().topLeft(),
                     QPoint(aboutCloseButton().left() - 3, aboutUrlLabel().top() + 16));
    fit.draw(p, room, Qt::AlignLeft | Qt::AlignTop, QStringLiteral("Homepage"));
    return image;
}
