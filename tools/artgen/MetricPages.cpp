#include "MetricPages.h"

#include "CsvTable.h"
#include "Skin.h"
#include "TextFit.h"

#include <QPainter>
#include <QRegularExpression>

#include <cmath>
#include <stdexcept>

namespace {
constexpr int BandHeight = 26;
constexpr int HeadTop = 28;
constexpr int HeadHeight = 15;
constexpr int FirstRow = 45;
constexpr int RowHeight = 14;
constexpr int IntoColumn = 132;
// Where the factors' decimal points stand: room for eight decimals to the right.
constexpr int DecimalPoint = 256;

struct Unit {
    QString quantity;
    double si = 0;
};

QString celsiusToFahrenheit(double c)
{
    const double f = c * 9.0 / 5.0 + 32.0;
    QString text = QString::number(f, 'f', 1);
    if (text.endsWith(QLatin1String(".0")))
        text.chop(2);
    return text.replace(QLatin1Char('-'), QChar(0x2212));
}
} // namespace

const QList<MetricPages::Page>& MetricPages::pages()
{
    static const QList<Page> all = {
        {QStringLiteral("length"), QStringLiteral("Length"), QSize(338, 264),
         QStringLiteral("Form2.Image1 (page LenghtSheet)")},
        {QStringLiteral("area"), QStringLiteral("Area"), QSize(333, 257),
         QStringLiteral("Form2.Image3 (page AreaSheet)")},
        {QStringLiteral("mass"), QStringLiteral("Mass, Weight and Speed"), QSize(347, 254),
         QStringLiteral("Form2.Image4 (page MassSheet)")},
        {QStringLiteral("volume1"), QStringLiteral("Volume (1)"), QSize(328, 245),
         QStringLiteral("Form2.Image5 (page VolumeSheet)")},
        {QStringLiteral("volume2"), QStringLiteral("Volume (2) and Temperature"), QSize(347, 275),
         QStringLiteral("Form2.Image6 (page TemprSheet)")},
    };
    return all;
}

QString MetricPages::formatFactor(double value)
{
    const double exact7 = QString::number(value, 'g', 7).toDouble();
    const int digits = std::abs(exact7 - value) <= std::abs(value) * 1e-12 ? 7 : 6;
    const int magnitude = int(std::floor(std::log10(std::abs(value))));
    const int decimals = std::max(0, digits - 1 - magnitude);
    QString text = QString::number(value, 'f', decimals);
    if (text.contains(QLatin1Char('.'))) {
        while (text.endsWith(QLatin1Char('0')))
            text.chop(1);
        if (text.endsWith(QLatin1Char('.')))
            text.chop(1);
    }
    return text;
}

double MetricPages::parseValue(const QString& text)
{
    const QStringList parts = text.split(QLatin1Char('/'));
    bool ok = parts.size() <= 2;
    double value = ok ? parts[0].toDouble(&ok) : 0;
    if (ok && parts.size() == 2) {
        const double divisor = parts[1].toDouble(&ok);
        ok = ok && divisor != 0;
        value = ok ? value / divisor : 0;
    }
    if (!ok || !(value > 0))
        throw std::runtime_error("not a positive number or fraction: " + text.toStdString());
    return value;
}

MetricPages::MetricPages(ArtCatalog& catalog, const QString& dataDir) : m_catalog(catalog), m_dataDir(dataDir)
{
}

void MetricPages::generate()
{
    const CsvTable unitTable = CsvTable::read(m_dataDir + QStringLiteral("/units.csv"));
    QHash<QString, Unit> units;
    for (int row = 0; row < unitTable.rowCount(); ++row)
        units.insert(unitTable.value(row, QStringLiteral("unit")),
                     {unitTable.value(row, QStringLiteral("quantity")),
                      parseValue(unitTable.value(row, QStringLiteral("si")))});
    const CsvTable rows = CsvTable::read(m_dataDir + QStringLiteral("/conversions.csv"));
    const CsvTable temperatures = CsvTable::read(m_dataDir + QStringLiteral("/temperatures.csv"));

    m_catalog.setGroup(QStringLiteral("Metric Tables pages (TForm2)"));
    m_catalog.setPlace(QStringLiteral("0, 0 of its page; 328 \u00d7 251 shown"));
    for (const Page& page : pages()) {
        const int width = pageArea().width();
        const int visibleHeight = qMin(pageArea().height(), page.size.height());
        QImage image = Skin::canvas(page.size, QImage::Format_RGB32);
        TextFit fit(file(page));
        Skin::pageBackground(image, fit, page.title, QString(), BandHeight, width);
        QPainter p(&image);
        p.setRenderHint(QPainter::TextAntialiasing);
        Skin::columnHeads(p, fit, HeadTop, HeadHeight,
                          {{8, QStringLiteral("To convert"), Qt::AlignLeft},
                           {IntoColumn, QStringLiteral("into"), Qt::AlignLeft},
                           {width - 8, QStringLiteral("multiply by"), Qt::AlignRight}});
        p.fillRect(QRect(4, HeadTop + HeadHeight, width - 8, 1), Skin::parchmentRule());

        int y = FirstRow;
        int band = 0;
        QString group;
        auto groupHead = [&](const QString& text) {
            p.setFont(Skin::titleFont(13, true, true));
            p.setPen(Skin::maroonInk());
            fit.draw(p, QRect(8, y, width - 16, RowHeight), Qt::AlignLeft | Qt::AlignVCenter, text);
            y += RowHeight;
            band = 0;
        };
        auto line = [&](const QString& a, const QString& b, const QString& c) {
            const QRect row(4, y, width - 8, RowHeight);
            if (band++ % 2 == 1)
                p.fillRect(row, Skin::parchmentBand());
            p.setFont(Skin::textFont(11));
            p.setPen(Skin::ink());
            fit.draw(p, QRect(12, y, IntoColumn - 16, RowHeight), Qt::AlignLeft | Qt::AlignVCenter, a);
            fit.draw(p, QRect(IntoColumn, y, 120, RowHeight), Qt::AlignLeft | Qt::AlignVCenter, b);
            p.setFont(Skin::textFont(11, true));
            // Factors line up on their decimal point; other entries stand at the right.
            static const QRegularExpression number(QStringLiteral("^(\\d+)(\\.\\d+)?$"));
            const QRegularExpressionMatch m = number.match(c);
            if (m.hasMatch()) {
                fit.draw(p, QRect(DecimalPoint - 120, y, 120, RowHeight), Qt::AlignRight | Qt::AlignVCenter,
                         m.captured(1));
                if (!m.captured(2).isEmpty())
                    fit.draw(p, QRect(DecimalPoint, y, width - 4 - DecimalPoint, RowHeight),
                             Qt::AlignLeft | Qt::AlignVCenter, m.captured(2));
            } else {
                fit.draw(p, QRect(width - 128, y, 120, RowHeight), Qt::AlignRight | Qt::AlignVCenter, c);
            }
            y += RowHeight;
        };

        for (int row = 0; row < rows.rowCount(); ++row) {
            if (rows.value(row, QStringLiteral("page")) != page.key)
                continue;
            const QString from = rows.value(row, QStringLiteral("from"));
            const QString to = rows.value(row, QStringLiteral("to"));
            if (!units.contains(from) || !units.contains(to))
                throw std::runtime_error(rows.where(row).toStdString() + ": unknown unit");
            if (units[from].quantity != units[to].quantity)
                throw std::runtime_error(rows.where(row).toStdString() + ": " + from.toStdString() + " and " +
                                         to.toStdString() + " measure different things");
            if (rows.value(row, QStringLiteral("group")) != group) {
                group = rows.value(row, QStringLiteral("group"));
                groupHead(group);
            }
            line(from, to, formatFactor(units[from].si / units[to].si));
        }

        if (page.key == QLatin1String("volume2")) {
            // No factor converts a temperature: each conversion is a formula, across the columns.
            groupHead(QStringLiteral("Temperature"));
            auto formula = [&](const QString& conversion, const QString& rule) {
                const QRect row(4, y, width - 8, RowHeight);
                if (band++ % 2 == 1)
                    p.fillRect(row, Skin::parchmentBand());
                p.setFont(Skin::textFont(11));
                p.setPen(Skin::ink());
                fit.draw(p, row.adjusted(8, 0, -4, 0), Qt::AlignLeft | Qt::AlignVCenter, conversion);
                p.setFont(Skin::textFont(11, true));
                fit.draw(p, row.adjusted(8, 0, -4, 0), Qt::AlignRight | Qt::AlignVCenter, rule);
                y += RowHeight;
            };
            formula(QStringLiteral("Celsius to Fahrenheit"),
                    QStringLiteral("\u00b0F = \u00b0C \u00d7 9/5 + 32"));
            formula(QStringLiteral("Fahrenheit to Celsius"),
                    QStringLiteral("\u00b0C = (\u00b0F \u2212 32) \u00d7 5/9"));
            formula(QStringLiteral("Celsius to kelvins"), QStringLiteral("K = \u00b0C + 273.15"));
            // Reference points side by side: a row of Celsius, a row of Fahrenheit.
            const int left = 44;
            const int step = (width - 8 - left) / temperatures.rowCount();
            y += 3;
            for (int r = 0; r < 2; ++r) {
                const QRect row(4, y, width - 8, RowHeight);
                p.fillRect(row, r == 0 ? Skin::parchmentBand() : Skin::parchment());
                p.setFont(Skin::textFont(11, true));
                p.setPen(Skin::maroonInk());
                fit.draw(p, QRect(12, y, left - 12, RowHeight), Qt::AlignLeft | Qt::AlignVCenter,
                         r == 0 ? QStringLiteral("\u00b0C") : QStringLiteral("\u00b0F"));
                p.setFont(Skin::textFont(11));
                p.setPen(Skin::ink());
                for (int t = 0; t < temperatures.rowCount(); ++t) {
                    bool ok = false;
                    const double c = temperatures.value(t, QStringLiteral("celsius")).toDouble(&ok);
                    if (!ok)
                        throw std::runtime_error(temperatures.where(t).toStdString() + ": not a number");
                    const QString text = r == 0 ? QString::number(c).replace(QLatin1Char('-'), QChar(0x2212))
                                                : celsiusToFahrenheit(c);
                    fit.draw(p, QRect(left + t * step, y, step, RowHeight), Qt::AlignRight | Qt::AlignVCenter,
                             text);
                }
                y += RowHeight;
            }
        }
        if (y > visibleHeight)
            throw std::runtime_error("page " + page.title.toStdString() + " runs to row " +
                                     std::to_string(y) + ", below the visible " +
                                     std::to_string(visibleHeight));
        p.end();
        m_catalog.jpeg(file(page), page.component, image);
    }
}
