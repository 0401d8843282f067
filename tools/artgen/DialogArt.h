#pragma once

#include "ArtCatalog.h"
#include "Lettering.h"

#include <QFont>
#include <QImage>
#include <QList>
#include <QRect>
#include <QSize>
#include <QString>

// The three dialogs' artwork: the about picture, the close button every dialog shares, the
// World Times and Metric Tables frames (border strips and titles, cut from one design of each
// dialog like the main window's), and the 16-colour dialog icon.
class DialogArt {
public:
    struct Piece {
        QString component;
        QRect rect; // the picture's own place and size in the dialog's client area
        QString file;
    };
    struct Dialog {
        QString form; // layout object, e.g. "Form1"
        QSize client;
        QString title;
        QRect titleRect; // where the title picture stands
        QRect pages;     // the page control
        QRect closeButton;
        QList<QRect> textBands; // parchment bands behind black labels
        QList<QRect> labels;    // the labels the program draws on them, each inside its band
        QList<Piece> pieces;    // strips and title, in the dialog's stacking order
    };
    static const Dialog& worldTimes();
    static const Dialog& metricTables();
    static QRect aboutCloseButton() { return {233, 87, 40, 30}; }
    static QRect aboutUrlLabel() { return {155, 90, 64, 13}; }
    // The face and size of the link, as its layout gives them.
    static QFont linkFont();
    // The about picture's words before the link, on the link's baseline.
    static QRect aboutWebNote();
    // The World Times labels' text, and the face and size their layout gives them.
    static QString timesNote()
    {
        return QStringLiteral("The following times are as at 12 noon, Greenwich Mean Time");
    }
    static QFont labelFont();

    // translations: the languages whose about pictures are written beside the English one.
    DialogArt(ArtCatalog& catalog, QList<Lettering> translations);
    void generate();

    // Mock-ups: the dialog composed from the written pictures, pages in their page areas.
    QImage mockup(const Dialog& dialog, const QString& pageFile, const QSize& pageArea,
                  const QStringList& tabs, int currentTab) const;
    QImage aboutMockup() const;

private:
    QImage design(const Dialog& dialog) const;
    static QImage aboutPicture(const Lettering& lettering);
    static QImage closeButton(int state);
    static QImage dialogIcon();

    ArtCatalog& m_catalog;
    QList<Lettering> m_translations;
};
