#include "framework/FontSubstitutes.h"

#include <QFont>
#include <QStringList>

void FontSubstitutes::install()
{
    const QStringList sans{QStringLiteral("Liberation Sans"), QStringLiteral("Arial"), QStringLiteral("Nimbus Sans"),
                           QStringLiteral("DejaVu Sans")};
    const QStringList serif{QStringLiteral("Liberation Serif"), QStringLiteral("Times New Roman"),
                            QStringLiteral("Nimbus Roman"), QStringLiteral("DejaVu Serif")};
    const QStringList mono{QStringLiteral("Liberation Mono"), QStringLiteral("Courier New"),
                           QStringLiteral("Nimbus Mono PS"), QStringLiteral("DejaVu Sans Mono")};
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"), sans);
    QFont::insertSubstitutions(QStringLiteral("Microsoft Sans Serif"), sans);
    QFont::insertSubstitutions(QStringLiteral("MS Shell Dlg"), sans);
    QFont::insertSubstitutions(QStringLiteral("MS Serif"), serif);
    QFont::insertSubstitutions(QStringLiteral("Courier"), mono);
}
