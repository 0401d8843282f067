#include "fontpickers/FontEnumerator.h"

#include "fontpickers/SystemFontEnumerator.h"

#include <utility>

namespace {
FontEnumerator* g_installed = nullptr;
}

FontEnumerator& FontEnumerator::instance()
{
    if (g_installed)
        return *g_installed;
    static SystemFontEnumerator system;
    return system;
}

FontEnumerator* FontEnumerator::install(FontEnumerator* enumerator)
{
    return std::exchange(g_installed, enumerator);
}
