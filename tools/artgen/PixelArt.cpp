#include "PixelArt.h"

#include <QFile>

#include <stdexcept>

QImage PixelArt::read(const QString& path, int width, int height, const QHash<QChar, QRgb>& colours)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        throw std::runtime_error("cannot read " + path.toStdString());
    QImage image(width, height, QImage::Format_ARGB32);
    int y = 0;
    int lineNumber = 0;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        ++lineNumber;
        if (line.startsWith(QLatin1Char('#')) || line.isEmpty())
            continue;
        const std::string where = path.toStdString() + ":" + std::to_string(lineNumber);
        if (line.size() != width)
            throw std::runtime_error(where + ": the row is not " + std::to_string(width) + " pixels wide");
        if (y >= height)
            throw std::runtime_error(where + ": more than " + std::to_string(height) + " rows");
        for (int x = 0; x < width; ++x) {
            const auto colour = colours.constFind(line[x]);
            if (colour == colours.constEnd())
                throw std::runtime_error(where + ": unknown pixel '" + line.mid(x, 1).toStdString() + "'");
            image.setPixel(x, y, *colour);
        }
        ++y;
    }
    if (y != height)
        throw std::runtime_error(path.toStdString() + ": " + std::to_string(y) + " rows, not " +
                                 std::to_string(height));
    return image;
}

QImage PixelArt::handCursor(const QString& dataDir)
{
    return read(dataDir + QStringLiteral("/hand.txt"), 32, 32,
                {{QLatin1Char('X'), qRgba(0, 0, 0, 255)},
                 {QLatin1Char('o'), qRgba(255, 255, 255, 255)},
                 {QLatin1Char('.'), qRgba(0, 0, 0, 0)}});
}

QImage PixelArt::fontTypeStrip(const QString& dataDir)
{
    return read(dataDir + QStringLiteral("/fonttypes.txt"), 28, 10,
                {{QLatin1Char('k'), qRgb(0, 0, 0)},
                 {QLatin1Char('g'), qRgb(128, 128, 128)},
                 {QLatin1Char('s'), qRgb(192, 192, 192)},
                 {QLatin1Char('w'), qRgb(255, 255, 255)},
                 {QLatin1Char('.'), qRgb(128, 128, 0)}});
}
