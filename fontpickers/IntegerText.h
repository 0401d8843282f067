#pragma once

#include <QStringView>
#include <QtGlobal>
#include <optional>

// The conversion of a size's text to an integer: leading blanks, an optional sign, then
// decimal digits, or hexadecimal digits after "$" or "0x"; nothing may follow. nullopt when
// the text is not such a number or the value does not fit 32 bits (hexadecimal digits fill the
// 32 bits as they are, so "$FFFFFFFF" is -1).
std::optional<qint32> integerFromText(QStringView text);
