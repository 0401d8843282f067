// lumaro_artgen: makes every picture of the program.
//
//   lumaro_artgen --art DIR --data DIR --sheets DIR --dist DIR
//
// DIR for --art is resources/art (the pictures the program compiles in), --data the tables and
// pixel maps in tools/artgen/data, --sheets where the contact sheet and the mock-ups go
// (resources/art/sources), --dist the desktop files' folder (dist/linux).
#include "ArtCatalog.h"
#include "ContactSheet.h"
#include "DesktopIcons.h"
#include "DialogArt.h"
#include "Lettering.h"
#include "MainWindowArt.h"
#include "MetricPages.h"
#include "PictureWriter.h"
#include "PixelArt.h"
#include "Skin.h"
#include "WorldTimesPages.h"

#include "framework/FontSubstitutes.h"

#include <QCommandLineParser>
#include <QGuiApplication>

#include <cstdio>
#include <exception>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QCommandLineParser options;
    options.addHelpOption();
    const QCommandLineOption art(QStringLiteral("art"), QStringLiteral("resources/art folder"),
                                 QStringLiteral("dir"));
    const QCommandLineOption data(QStringLiteral("data"), QStringLiteral("data tables"),
                                  QStringLiteral("dir"));
    const QCommandLineOption sheets(QStringLiteral("sheets"), QStringLiteral("contact sheet folder"),
                                    QStringLiteral("dir"));
    const QCommandLineOption dist(QStringLiteral("dist"), QStringLiteral("dist/linux folder"),
                                  QStringLiteral("dir"));
    options.addOptions({art, data, sheets, dist});
    options.process(app);
    for (const QCommandLineOption& o : {art, data, sheets, dist}) {
        if (!options.isSet(o)) {
            std::fprintf(stderr, "lumaro_artgen: --%s is required\n", qPrintable(o.names().first()));
            return 2;
        }
    }

    try {
        // The faces the program draws its labels in, for measuring the texts it puts on the art.
        FontSubstitutes::install();
        Skin::requireFonts();
        const QString dataDir = options.value(data);
        const QString sheetDir = options.value(sheets);
        ArtCatalog catalog(options.value(art));

        const QList<Lettering> translations = Lettering::translations(dataDir);
        MainWindowArt mainWindow(catalog, translations);
        mainWindow.generate();

        catalog.setGroup(QStringLiteral("Font-name picker and cursor"));
        catalog.bmp4(QStringLiteral("fontpicker/fonttypes.bmp"),
                     QStringLiteral("TFontNameComboBox, bitmap 16547"), PixelArt::fontTypeStrip(dataDir));
        catalog.png(QStringLiteral("cursors/hand.png"), QStringLiteral("TUrlLabel, cursor \"HAND\""),
                    PixelArt::handCursor(dataDir));

        DialogArt dialogs(catalog, translations);
        dialogs.generate();
        WorldTimesPages(catalog, dataDir).generate();
        MetricPages(catalog, dataDir).generate();

        // Desktop icons, drawn from the same emblem.
        DesktopIcons::write(catalog, options.value(dist));

        // The same designs again at twice the resolution, for high-density screens.
        Skin::setScale(2);
        catalog.setHighResolution(true);
        MainWindowArt(catalog, translations).generate();
        DialogArt(catalog, translations).generate();
        WorldTimesPages(catalog, dataDir).generate();
        MetricPages(catalog, dataDir).generate();
        catalog.setHighResolution(false);
        Skin::setScale(1);

        catalog.writeFile(catalog.artRoot() + QStringLiteral("/README.md"),
                          (ContactSheet::readme(catalog) + catalog.highResolutionSummary()).toUtf8());
        catalog.writeFile(sheetDir + QStringLiteral("/contact-sheet.png"),
                          PictureWriter::png(ContactSheet::render(catalog)));
        catalog.writeFile(sheetDir + QStringLiteral("/mockup-main.png"),
                          PictureWriter::png(mainWindow.mockup()));
        catalog.writeFile(sheetDir + QStringLiteral("/mockup-about.png"),
                          PictureWriter::png(dialogs.aboutMockup()));
        // Each reference dialog as it opens: World Times on its first page, Metric Tables on
        // "V o l u m e (1)".
        QStringList worldTabs;
        for (const auto& page : WorldTimesPages::pages())
            worldTabs << page.caption;
        catalog.writeFile(
            sheetDir + QStringLiteral("/mockup-worldtimes.png"),
            PictureWriter::png(dialogs.mockup(DialogArt::worldTimes(),
                                              WorldTimesPages::file(WorldTimesPages::pages().first()),
                                              WorldTimesPages::pageArea(), worldTabs, 0)));
        const QStringList metricTabs = {
            QStringLiteral("L e n g h t"), QStringLiteral("A r e a"), QStringLiteral("Mass/ Weight/ Speed"),
            QStringLiteral("V o l u m e (1)"), QStringLiteral("Volume(2) / Temperature")};
        catalog.writeFile(sheetDir + QStringLiteral("/mockup-metric.png"),
                          PictureWriter::png(dialogs.mockup(DialogArt::metricTables(),
                                                            MetricPages::file(MetricPages::pages().at(3)),
                                                            MetricPages::pageArea(), metricTabs, 3)));
        std::printf("%lld pictures, %d files changed\n", static_cast<long long>(catalog.entries().size()),
                    catalog.filesChanged());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "lumaro_artgen: %s\n", e.what());
        return 1;
    }
    return 0;
}
