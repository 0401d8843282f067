#pragma once

#include "framework/LayoutTree.h"

#include <QString>

// Writes a parsed layout back as layout text that the layout parser reads into the same tree:
// one property per line, nested objects indented, texts quoted with the parser's escapes and
// everything else as UTF-8.
class LayoutWriter {
public:
    static QString write(const LayoutObject& root);
    // A text as the layouts and the string table quote it.
    static QString quoted(const QString& text);
};
