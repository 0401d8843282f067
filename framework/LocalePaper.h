#pragma once

#include <QPageSize>

// The paper of the user's locale: its LC_PAPER category (LC_ALL, LC_PAPER or LANG) as the C
// library describes it, in millimetres; A4 where the locale says nothing. Printing to a file and
// PDF output use it, as other programs of the desktop do.
class LocalePaper {
public:
    static QPageSize pageSize();
    // The standard size that width by height millimetres stand for (216 by 279 is Letter), or a
    // size of its own.
    static QPageSize fromMillimetres(int width, int height);
};
