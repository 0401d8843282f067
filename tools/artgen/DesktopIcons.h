#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

class ArtCatalog;

// The icons of the desktop's launchers, menus and software centres, in the hicolor theme and
// named after the application's identifier: the program's emblem at every size the desktops
// look for, and as a scalable drawing.
class DesktopIcons {
public:
    static const QList<int>& sizes();
    // Writes icons/hicolor/SIZExSIZE/apps/NAME.png and icons/hicolor/scalable/apps/NAME.svg
    // under distDir (dist/linux).
    static void write(ArtCatalog& catalog, const QString& distDir);
    // The emblem as SVG.
    static QByteArray svg();
};
