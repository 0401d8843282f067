#pragma once

#include <QChar>

// The Windows-1252 code page one byte at a time, both ways.
namespace Windows1252 {
QChar toUnicode(unsigned char byte);
// The byte for c, or -1 when the code page has none.
int fromUnicode(QChar c);
} // namespace Windows1252
