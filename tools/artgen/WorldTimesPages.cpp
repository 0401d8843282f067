#include "WorldTimesPages.h"

#include "CsvTable.h"
#include "Skin.h"
#include "TextFit.h"

#include <QPainter>
#include <QPainterPath>
#include <QRegularExpression>

#include <stdexcept>

namespace {
constexpr int BandHeight = 26;
constexpr int HeadTop = 28;
constexpr int HeadHeight = 15;
constexpr int FirstRow = 45;
constexpr int RowHeight = 15;

struct City {
    QString name;
    QString country;
    int offset;
};

// The letter a city files under: its first letter without accents.
QChar filingLetter(const QString& name)
{
    return name.normalized(QString::NormalizationForm_D).at(0).toUpper();
}

QString sortKey(const QString& name)
{
    QString key = name.normalized(QString::NormalizationForm_D);
    key.remove(QRegularExpression(QStringLiteral("[\\x{0300}-\\x{036f}]")));
    return key.toLower();
}

void sun(QPainter& p, QPointF c)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(196, 140, 30), 1.1, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < 8; ++i) {
        const qreal a = i * M_PI / 4;
        p.drawLine(QPointF(c.x() + 3.4 * std::cos(a), c.y() + 3.4 * std::sin(a)),
                   QPointF(c.x() + 5.0 * std::cos(a), c.y() + 5.0 * std::sin(a)));
    }
    p.setPen(QPen(QColor(176, 118, 20), 0.8));
    p.setBrush(QColor(244, 194, 64));
    p.drawEllipse(c, 2.6, 2.6);
    p.restore();
}

void moon(QPainter& p, QPointF c)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath disc;
    disc.addEllipse(c, 4.2, 4.2);
    QPainterPath bite;
    bite.addEllipse(c + QPointF(2.4, -1.6), 3.8, 3.8);
    p.setPen(QPen(Skin::slate().darker(130), 0.8));
    p.setBrush(Skin::slateLight());
    p.drawPath(disc.subtracted(bite));
    p.restore();
}
} // namespace

const QList<WorldTimesPages::Page>& WorldTimesPages::pages()
{
    static const QList<Page> all = {
        {QStringLiteral("ab"), QStringLiteral("A-B"), QSize(242, 296),
         QStringLiteral("Form1.Image5 (page AB)")},
        {QStringLiteral("bc"), QStringLiteral("B-C"), QSize(241, 297),
         QStringLiteral("Form1.Image6 (page BC)")},
        {QStringLiteral("dh"), QStringLiteral("D-H"), QSize(243, 299),
         QStringLiteral("Form1.Image7 (page DH)")},
        {QStringLiteral("hl"), QStringLiteral("H-L"), QSize(238, 297),
         QStringLiteral("Form1.Image8 (page HL)")},
        {QStringLiteral("mn"), QStringLiteral("M-N"), QSize(243, 297),
         QStringLiteral("Form1.Image9 (page MN)")},
        {QStringLiteral("np"), QStringLiteral("N-P"), QSize(240, 279),
         QStringLiteral("Form1.Image10 (page NP)")},
        {QStringLiteral("qt"), QStringLiteral("Q-T"), QSize(243, 297),
         QStringLiteral("Form1.Image3 (page QT)")},
        {QStringLiteral("tz"), QStringLiteral("T-Z"), QSize(239, 297),
         QStringLiteral("Form1.Image2 (page TZ)")},
    };
    return all;
}

int WorldTimesPages::parseOffset(const QString& text)
{
    static const QRegularExpression pattern(QStringLiteral("^([+-])(\\d{1,2}):(\\d{2})$"));
    const QRegularExpressionMatch m = pattern.match(text);
    if (!m.hasMatch())
        throw std::runtime_error("not an offset like +5:30: " + text.toStdString());
    const int minutes = m.captured(2).toInt() * 60 + m.captured(3).toInt();
    if (minutes > 14 * 60 || m.captured(3).toInt() >= 60)
        throw std::runtime_error("offset out of range: " + text.toStdString());
    return m.captured(1) == QLatin1String("-") ? -minutes : minutes;
}

QString WorldTimesPages::localTime(int offsetMinutes)
{
    const int minutes = ((12 * 60 + offsetMinutes) % (24 * 60) + 24 * 60) % (24 * 60);
    const int hour = minutes / 60;
    const int minute = minutes % 60;
    const int clock = hour % 12 == 0 ? 12 : hour % 12;
    const QString time = QStringLiteral("%1:%2").arg(clock).arg(minute, 2, 10, QLatin1Char('0'));
    if (minute == 0 && hour == 12)
        return time + QStringLiteral(" noon");
    if (minute == 0 && hour == 0)
        return time + QStringLiteral(" midnight");
    return time + (hour < 12 ? QStringLiteral(" am") : QStringLiteral(" pm"));
}

WorldTimesPages::WorldTimesPages(ArtCatalog& catalog, const QString& dataDir)
    : m_catalog(catalog), m_dataDir(dataDir)
{
}

void WorldTimesPages::generate()
{
    const CsvTable table = CsvTable::read(m_dataDir + QStringLiteral("/cities.csv"));
    m_catalog.setGroup(QStringLiteral("World Times pages (TForm1)"));
    m_catalog.setPlace(QStringLiteral("0, 0 of its page; 232 \u00d7 280 shown"));
    QString previous;
    for (const Page& page : pages()) {
        QList<City> cities;
        for (int row = 0; row < table.rowCount(); ++row) {
            if (table.value(row, QStringLiteral("tab")) != page.tab)
                continue;
            const City city{table.value(row, QStringLiteral("city")),
                            table.value(row, QStringLiteral("country")),
                            parseOffset(table.value(row, QStringLiteral("offset")))};
            const QChar letter = filingLetter(city.name);
            if (letter < page.caption.at(0) || letter > page.caption.at(2))
                throw std::runtime_error(table.where(row).toStdString() + ": " + city.name.toStdString() +
                                         " is not in the range " + page.caption.toStdString());
            if (!previous.isEmpty() && sortKey(city.name) < previous)
                throw std::runtime_error(table.where(row).toStdString() + ": " + city.name.toStdString() +
                                         " is out of alphabetical order");
            previous = sortKey(city.name);
            cities << city;
        }
        const int rows = (pageArea().height() - FirstRow) / RowHeight;
        if (cities.isEmpty() || cities.size() > rows)
            throw std::runtime_error("page " + page.caption.toStdString() + " has " +
                                     std::to_string(cities.size()) + " cities; 1 to " + std::to_string(rows) +
                                     " fit");

        const int width = pageArea().width();
        QImage image = Skin::canvas(page.size, QImage::Format_RGB32);
        TextFit fit(file(page));
        Skin::pageBackground(
            image, fit, QStringLiteral("Cities %1 \u2013 %2").arg(page.caption.at(0), page.caption.at(2)),
            QStringLiteral("12 noon GMT"), BandHeight, width);
        QPainter p(&image);
        p.setRenderHint(QPainter::TextAntialiasing);
        Skin::columnHeads(p, fit, HeadTop, HeadHeight,
                          {{18, QStringLiteral("City"), Qt::AlignLeft},
                           {width - 6, QStringLiteral("Local time"), Qt::AlignRight}});
        p.fillRect(QRect(4, HeadTop + HeadHeight, width - 8, 1), Skin::parchmentRule());

        const QFont nameFont = Skin::textFont(11);
        const QFont countryFont = Skin::textFont(9);
        const QFont timeFont = Skin::textFont(11, true);
        for (int i = 0; i < cities.size(); ++i) {
            const City& c = cities[i];
            const QRect row(0, FirstRow + i * RowHeight, width, RowHeight);
            if (i % 2 == 1)
                p.fillRect(row.adjusted(4, 0, -4, 0), Skin::parchmentBand());
            const int minutes = ((12 * 60 + c.offset) % 1440 + 1440) % 1440;
            const QPointF icon(10.5, row.center().y() + 0.5);
            if (minutes >= 6 * 60 && minutes < 18 * 60)
                sun(p, icon);
            else
                moon(p, icon);

            const QString time = localTime(c.offset);
            p.setFont(timeFont);
            const int timeWidth = p.fontMetrics().horizontalAdvance(time);
            p.setPen(Skin::ink());
            fit.draw(p, row.adjusted(0, 0, -6, 0), Qt::AlignRight | Qt::AlignVCenter, time);

            p.setFont(nameFont);
            const int nameWidth = p.fontMetrics().horizontalAdvance(c.name);
            if (18 + nameWidth + 8 > width - 6 - timeWidth)
                throw std::runtime_error(c.name.toStdString() + " and its time do not fit on one line");
            fit.draw(p, row.adjusted(18, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, c.name);
            // The country follows in small grey letters where the line has room for it.
            p.setFont(countryFont);
            const int room = width - 6 - timeWidth - 8 - (18 + nameWidth + 5);
            if (p.fontMetrics().horizontalAdvance(c.country) <= room) {
                p.setPen(QColor(128, 112, 96));
                fit.draw(p, row.adjusted(18 + nameWidth + 5, 1, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
                         c.country);
            }
        }
        p.end();
        m_catalog.jpeg(file(page), page.component, image);
    }
}
