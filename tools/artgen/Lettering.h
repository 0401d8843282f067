#pragma once

#include <QList>
#include <QString>

// The words drawn into the artwork, in one language: the letters beside the bold, underline and
// italic boxes of the main window, and the about picture's tagline and link label. English is
// the program's own; data/lettering.csv gives the other languages, whose pictures are written
// beside the English ones with the language in their names (main/label_bold.de.bmp), where
// they differ from the English pictures. The language modules name them.
struct Lettering {
    QString language; // "en", "de", ...
    QString bold;
    QString underline;
    QString italic;
    QString tagline;
    QString web;

    static Lettering english();
    // The other languages, from dataDir/lettering.csv.
    static QList<Lettering> translations(const QString& dataDir);
    // The name of this language's version of a picture ("main/a.bmp" -> "main/a.de.bmp").
    QString pictureName(const QString& path) const;
};
