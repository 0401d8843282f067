#pragma once

#include "ArtCatalog.h"

#include <QHash>
#include <QList>
#include <QSize>
#include <QString>

// The five Metric Tables pages: "to convert ... into ..., multiply by ..." tables whose factors
// are computed from the exact unit definitions of data/units.csv, and a temperature part.
class MetricPages {
public:
    struct Page {
        QString key; // key in conversions.csv and the file name: "length"
        QString title;
        QSize size;
        QString component;
    };
    static const QList<Page>& pages();
    static QSize pageArea() { return {328, 251}; }
    static QString file(const Page& page) { return QStringLiteral("metric/page_%1.jpg").arg(page.key); }

    // A factor as printed: exactly when it has at most seven significant digits, otherwise
    // rounded to six; never in exponent form.
    static QString formatFactor(double value);
    // "0.0254" or "1000/3600".
    static double parseValue(const QString& text);

    MetricPages(ArtCatalog& catalog, const QString& dataDir);
    void generate();

private:
    ArtCatalog& m_catalog;
    QString m_dataDir;
};
