#pragma once

#include "ArtCatalog.h"

#include <QImage>
#include <QString>

// Everything the catalogue holds on one sheet, grouped as the README lists it, each picture at
// its real size (small ones also enlarged four times) with its file name and size, as decoded
// from the written files; and the README's table of the files.
class ContactSheet {
public:
    static QImage render(const ArtCatalog& catalog);
    static QString readme(const ArtCatalog& catalog);
};
