#include "framework/LocalePaper.h"

#include <QSizeF>

#include <cstdint>
#include <langinfo.h>
#include <locale.h>

QPageSize LocalePaper::pageSize()
{
    // A locale object of its own: the process's locale is left as it is.
    const locale_t paper = newlocale(LC_PAPER_MASK, "", locale_t(nullptr));
    if (paper == locale_t(nullptr))
        return QPageSize(QPageSize::A4);
    // glibc returns these numbers in place of a string.
    const int width = int(reinterpret_cast<std::intptr_t>(nl_langinfo_l(_NL_PAPER_WIDTH, paper)));
    const int height = int(reinterpret_cast<std::intptr_t>(nl_langinfo_l(_NL_PAPER_HEIGHT, paper)));
    freelocale(paper);
    return fromMillimetres(width, height);
}

QPageSize LocalePaper::fromMillimetres(int width, int height)
{
    if (width <= 0 || height <= 0)
        return QPageSize(QPageSize::A4);
    const QSizeF size(width, height);
    const QPageSize::PageSizeId id = QPageSize::id(size, QPageSize::Millimeter, QPageSize::FuzzyMatch);
    return id != QPageSize::Custom ? QPageSize(id) : QPageSize(size, QPageSize::Millimeter);
}
