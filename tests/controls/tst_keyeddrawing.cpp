// Colour-keyed drawing: key pixels keep the destination, scaling drops or repeats pixels.
#include "controls/KeyedDrawing.h"

#include <QPainter>
#include <QTest>

using namespace KeyedDrawing;

namespace {
const QRgb Background = qRgb(10, 20, 30);
const QRgb White = qRgb(255, 255, 255);

QImage canvas(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Background);
    return image;
}

// A picture from rows of letters; each letter names a colour.
QImage picture(const QStringList& rows)
{
    static const QHash<QChar, QRgb> colours = {
        {u'W', White},           {u'R', qRgb(255, 0, 0)}, {u'G', qRgb(0, 255, 0)},
        {u'B', qRgb(0, 0, 255)}, {u'K', qRgb(0, 0, 0)},   {u'Y', qRgb(255, 255, 0)},
    };
    QImage image(int(rows.first().size()), int(rows.size()), QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, colours.value(rows[y][x]));
    return image;
}

QStringList letters(const QImage& image)
{
    QStringList rows;
    for (int y = 0; y < image.height(); ++y) {
        QString row;
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y) | 0xFF000000u;
            row += p == Background          ? u'.'
                   : p == White             ? u'W'
                   : p == qRgb(255, 0, 0)   ? u'R'
                   : p == qRgb(0, 255, 0)   ? u'G'
                   : p == qRgb(0, 0, 255)   ? u'B'
                   : p == qRgb(0, 0, 0)     ? u'K'
                   : p == qRgb(255, 255, 0) ? u'Y'
                                            : u'?';
        }
        rows << row;
    }
    return rows;
}

using Draw = std::function<void(QPainter&, const QImage&)>;
} // namespace

class TestKeyedDrawing : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void drawing_data()
    {
        QTest::addColumn<QStringList>("source");
        QTest::addColumn<QSize>("canvasSize");
        QTest::addColumn<Draw>("draw");
        QTest::addColumn<QStringList>("expected");

        const QStringList rgwb = {"RW", "WB"};
        QTest::newRow("white key leaves the background, natural size")
            << rgwb << QSize(3, 3)
            << Draw([](QPainter& p, const QImage& pic) { DrawKeyed(p, 1, 1, pic, Colors::clWhite); })
            << QStringList{"...", ".R.", "..B"};
        QTest::newRow("clNone copies every pixel")
            << rgwb << QSize(2, 2)
            << Draw([](QPainter& p, const QImage& pic) { DrawKeyed(p, 0, 0, pic, Colors::clNone); })
            << QStringList{"RW", "WB"};
        QTest::newRow("another key colour, white drawn")
            << rgwb << QSize(2, 2)
            << Draw([](QPainter& p, const QImage& pic) { DrawKeyed(p, 0, 0, pic, Colors::clRed); })
            << QStringList{".W", "WB"};
        QTest::newRow("enlarging repeats rows and columns")
            << QStringList{"RG", "BY"} << QSize(4, 4)
            << Draw([](QPainter& p, const QImage& pic) { DrawKeyedPart(p, pic, Colors::clNone, 0, 0, 4, 4); })
            << QStringList{"RRGG", "RRGG", "BBYY", "BBYY"};
        QTest::newRow("enlarging keeps the key transparent")
            << QStringList{"RW"} << QSize(4, 2) << Draw([](QPainter& p, const QImage& pic) {
                   DrawKeyedPart(p, pic, Colors::clWhite, 0, 0, 4, 2);
               })
            << QStringList{"RR..", "RR.."};
        QTest::newRow("shrinking drops columns, never blends")
            << QStringList{"RGBY"} << QSize(2, 1)
            << Draw([](QPainter& p, const QImage& pic) { DrawKeyedPart(p, pic, Colors::clNone, 0, 0, 2, 1); })
            << QStringList{"GY"};
        QTest::newRow("part of the picture from its origin")
            << QStringList{"RGB", "KYW"} << QSize(3, 2) << Draw([](QPainter& p, const QImage& pic) {
                   DrawKeyedPart(p, pic, Colors::clWhite, 0, 0, 2, 1, 1, 1, 2, 1);
               })
            << QStringList{"Y..", "..."};
        QTest::newRow("sizes of 0 mean the whole picture")
            << QStringList{"RG", "BW"} << QSize(3, 2) << Draw([](QPainter& p, const QImage& pic) {
                   DrawKeyedPart(p, pic, Colors::clWhite, 1, 0, 0, -1, 1, 1, 0, 5);
               })
            << QStringList{".RG", ".B."};
        QTest::newRow("rectangle source, scaled")
            << QStringList{"RGB", "KYW"} << QSize(4, 2) << Draw([](QPainter& p, const QImage& pic) {
                   DrawKeyedRect(p, 0, 0, 4, 2, QRect(QPoint(1, 0), QPoint(2, 0)), pic, Colors::clWhite);
               })
            << QStringList{"GGBB", "GGBB"};
        QTest::newRow("source beyond the picture leaves the destination")
            << QStringList{"RG"} << QSize(4, 2) << Draw([](QPainter& p, const QImage& pic) {
                   DrawKeyedRect(p, 0, 0, 4, 2, QRect(0, 0, 4, 2), pic, Colors::clWhite);
               })
            << QStringList{"RG..", "...."};
        QTest::newRow("KeyedBlit with an RGB key")
            << QStringList{"YK", "KY"} << QSize(2, 2) << Draw([](QPainter& p, const QImage& pic) {
                   KeyedBlit(p, QRect(0, 0, 2, 2), pic, QRect(0, 0, 2, 2), qRgb(0, 0, 0));
               })
            << QStringList{"Y.", ".Y"};
    }

    void drawing()
    {
        QFETCH(QStringList, source);
        QFETCH(QSize, canvasSize);
        QFETCH(Draw, draw);
        QFETCH(QStringList, expected);

        QImage target = canvas(canvasSize.width(), canvasSize.height());
        {
            QPainter painter(&target);
            draw(painter, picture(source));
        }
        QCOMPARE(letters(target), expected);
    }

    // The key compares colours, not the picture's storage: an indexed or alpha picture keys the
    // same, and a monochrome picture always keys white.
    void keyIgnoresPictureFormat_data()
    {
        QTest::addColumn<QImage::Format>("format");
        QTest::addColumn<Colors::TColor>("key");
        QTest::newRow("indexed 8-bit") << QImage::Format_Indexed8 << Colors::clWhite;
        QTest::newRow("24-bit") << QImage::Format_RGB888 << Colors::clWhite;
        QTest::newRow("with alpha") << QImage::Format_ARGB32 << Colors::clWhite;
        QTest::newRow("monochrome keys white whatever the key") << QImage::Format_Mono << Colors::clBlue;
    }

    void keyIgnoresPictureFormat()
    {
        QFETCH(QImage::Format, format);
        QFETCH(Colors::TColor, key);
        const QImage source = picture({"KW", "WK"}).convertToFormat(format);
        QImage target = canvas(2, 2);
        {
            QPainter painter(&target);
            DrawKeyed(painter, 0, 0, source, key);
        }
        QCOMPARE(letters(target), (QStringList{"K.", ".K"}));
    }

    // Scaling by any factor takes every pixel from the picture: no blends, the surviving
    // columns keep their order, and enlarging loses none of them.
    void scalingOnlyRepeatsOrDrops()
    {
        const QString columns = QStringLiteral("RGBYKW");
        const QImage source = picture({columns});
        for (int width = 1; width <= 20; ++width) {
            QImage target = canvas(width, 1);
            {
                QPainter painter(&target);
                DrawKeyedPart(painter, source, Colors::clNone, 0, 0, width, 1);
            }
            const QString row = letters(target).first();
            qsizetype next = 0;
            for (QChar pixel : row) {
                const qsizetype at = columns.indexOf(pixel);
                QVERIFY2(at >= 0 && at >= next - 1, qPrintable(row));
                next = at + 1;
            }
            if (width >= columns.size()) {
                for (QChar column : columns)
                    QVERIFY2(row.contains(column), qPrintable(row));
            }
        }
    }
};

QTEST_MAIN(TestKeyedDrawing)
#include "tst_keyeddrawing.moc"
