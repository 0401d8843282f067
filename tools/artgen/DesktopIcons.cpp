#include "DesktopIcons.h"

#include "ArtCatalog.h"
#include "MainWindowArt.h"
#include "PictureWriter.h"

#include <QBuffer>
#include <QPainter>
#include <QSvgGenerator>

namespace {
const QString IconName = QStringLiteral("io.lumaro.Notepad");
} // namespace

const QList<int>& DesktopIcons::sizes()
{
    static const QList<int> all = {16, 22, 24, 32, 48, 64, 128, 256};
    return all;
}

QByteArray DesktopIcons::svg()
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setSize(QSize(32, 32));
    generator.setViewBox(QRect(0, 0, 32, 32));
    generator.setTitle(QStringLiteral("LumaroStyle Notepad"));
    generator.setDescription(QStringLiteral("The program's emblem"));
    QPainter painter(&generator);
    MainWindowArt::paintEmblem(painter);
    painter.end();
    return buffer.data();
}

void DesktopIcons::write(ArtCatalog& catalog, const QString& distDir)
{
    const QString folder = distDir + QStringLiteral("/icons/hicolor/");
    for (int size : sizes()) {
        catalog.writeFile(folder + QStringLiteral("%1x%1/apps/%2.png").arg(size).arg(IconName),
                          PictureWriter::png(MainWindowArt::emblem(size)));
    }
    catalog.writeFile(folder + QStringLiteral("scalable/apps/%1.svg").arg(IconName), svg());
}
