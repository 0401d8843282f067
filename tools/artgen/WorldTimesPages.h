#pragma once

#include "ArtCatalog.h"

#include <QList>
#include <QSize>
#include <QString>

// The eight World Times pages: for each alphabetical range, the cities of data/cities.csv with
// their local standard time at 12 noon GMT, a sun or a moon telling day from night.
class WorldTimesPages {
public:
    struct Page {
        QString tab;       // key in cities.csv and the file name: "ab"
        QString caption;   // the tab's caption: "A-B"
        QSize size;        // the picture's size
        QString component; // "Form1.Image5"
    };
    static const QList<Page>& pages();
    // The part of a page the dialog shows, from its top-left corner.
    static QSize pageArea() { return {232, 280}; }
    static QString file(const Page& page) { return QStringLiteral("worldtimes/page_%1.jpg").arg(page.tab); }

    // "+5:30" -> 330 minutes; throws on anything else.
    static int parseOffset(const QString& text);
    // The local time at 12 noon GMT with that offset: "9:00 pm", "12:00 noon", "12:00 midnight".
    static QString localTime(int offsetMinutes);

    WorldTimesPages(ArtCatalog& catalog, const QString& dataDir);
    void generate();

private:
    ArtCatalog& m_catalog;
    QString m_dataDir;
};
