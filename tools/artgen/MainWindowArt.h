#pragma once

#include "ArtCatalog.h"
#include "Lettering.h"
#include "Pictograms.h"

#include <QImage>
#include <QPainter>
#include <QList>
#include <QRect>
#include <QString>

// The main window's artwork. One design of the whole 800 by 552 client area (and a margin
// around it) is drawn; every strip, label and button background is cut from it at the place the
// window shows it, so all pieces join without seams whatever overlaps what.
class MainWindowArt {
public:
    struct Piece {
        QString component;
        QRect rect;   // in client coordinates
        QString file; // relative to resources/art/
    };
    struct Button {
        QString component;
        QRect rect;
        Pictograms::Command command;
        QString name; // file name stem
    };
    // The placeholders of the mock-up: windowed controls the artwork must leave room for.
    struct Control {
        QString component;
        QRect rect;
    };

    static const QList<Piece>& strips();
    static const QList<Piece>& labels();
    static const QList<Button>& buttons();
    static const QList<Control>& controls();
    static QSize clientSize() { return {800, 552}; }

    // translations: the languages whose label pictures are written beside the English ones.
    MainWindowArt(ArtCatalog& catalog, QList<Lettering> translations);
    void generate();
    // The window composed from the written files at their places, with placeholders.
    QImage mockup() const;
    // The program's emblem at any size (the 32 by 32 window icon and the desktop icon).
    static QImage emblem(int size);
    // Draws the emblem on its 32 by 32 grid at the painter's origin (also into a scalable icon).
    static void paintEmblem(QPainter& p);

private:
    QImage cut(const QImage& design, const QRect& clientRect) const;
    QImage background() const;
    void drawLabels(QImage& design, const Lettering& lettering) const;
    static QRect keyFor(const Button& button);

    ArtCatalog& m_catalog;
    QList<Lettering> m_translations;
};
