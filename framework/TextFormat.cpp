#include "framework/TextFormat.h"

#include <vector>

QString formatText(const QString& pattern, std::initializer_list<QVariant> args)
{
    const std::vector<QVariant> values(args);
    std::size_t next = 0;
    QString out;
    out.reserve(pattern.size() + 16);
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern.at(i);
        if (c != u'%' || i + 1 >= pattern.size()) {
            out += c;
            continue;
        }
        qsizetype j = i + 1;
        if (pattern.at(j) == u'%') {
            out += u'%';
            i = j;
            continue;
        }
        bool leftAlign = false;
        if (pattern.at(j) == u'-') {
            leftAlign = true;
            ++j;
        }
        int width = 0;
        while (j < pattern.size() && pattern.at(j).isDigit() && width < 1000)
            width = width * 10 + pattern.at(j++).digitValue();
        if (j >= pattern.size() || (pattern.at(j) != u's' && pattern.at(j) != u'd') || next >= values.size()) {
            out += c;
            continue;
        }
        const QString value = pattern.at(j) == u'd' ? QString::number(values[next].toLongLong())
                                                    : values[next].toString();
        ++next;
        out += leftAlign ? value.leftJustified(width) : value.rightJustified(width);
        i = j;
    }
    return out;
}
