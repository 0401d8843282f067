// The artwork compiled into the program: every picture at the size and in the exact file format
// its window expects, and the data the reference pages were drawn from.

#include "framework/AppError.h"
#include "framework/TPicture.h"

#include <QFile>
#include <QImage>
#include <QSet>
#include <QTest>
#include <QTimeZone>
#include <QtEndian>

namespace {

const QString Art = QStringLiteral(":/lumaro/art/");

QByteArray readArt(const QString& path)
{
    QFile file(Art + path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

// Little-endian fields read byte by byte: a field past the end of a damaged file reads as 0.
quint32 bytesAt(const QByteArray& d, int at, int count)
{
    quint32 value = 0;
    for (int i = count - 1; i >= 0; --i)
        value = (value << 8) | (at + i < d.size() ? quint8(d.at(at + i)) : 0u);
    return value;
}

quint16 u16(const QByteArray& d, int at)
{
    return quint16(bytesAt(d, at, 2));
}

quint32 u32(const QByteArray& d, int at)
{
    return bytesAt(d, at, 4);
}

qint32 s32(const QByteArray& d, int at)
{
    return qint32(bytesAt(d, at, 4));
}

// What a BMP's headers say, checked against its length: an uncompressed bottom-up bitmap whose
// file-size field and pixel array agree with the bytes present. Empty on any inconsistency.
struct BmpInfo {
    int width = 0;
    int height = 0;
    int bits = 0;
    QString error;
};

BmpInfo bmpInfo(const QByteArray& d)
{
    BmpInfo info;
    if (d.size() < 54 || !d.startsWith("BM")) {
        info.error = QStringLiteral("not a BMP");
        return info;
    }
    if (u32(d, 2) != quint32(d.size()))
        info.error = QStringLiteral("size field %1, length %2").arg(u32(d, 2)).arg(d.size());
    else if (u32(d, 14) != 40)
        info.error = QStringLiteral("info header of %1 bytes").arg(u32(d, 14));
    else if (u32(d, 30) != 0)
        info.error = QStringLiteral("compressed (%1)").arg(u32(d, 30));
    else if (s32(d, 22) <= 0)
        info.error = QStringLiteral("top-down or empty");
    if (!info.error.isEmpty())
        return info;
    info.width = s32(d, 18);
    info.height = s32(d, 22);
    info.bits = u16(d, 28);
    const qint64 stride = ((qint64(info.width) * info.bits + 31) / 32) * 4;
    if (qint64(u32(d, 10)) + stride * info.height != d.size())
        info.error = QStringLiteral("pixel array does not end the file");
    return info;
}

// The frame of a JPEG: its start-of-frame marker, size and component count.
struct JpegInfo {
    int marker = 0;
    int width = 0;
    int height = 0;
    int components = 0;
};

JpegInfo jpegInfo(const QByteArray& d)
{
    JpegInfo info;
    int at = 2;
    if (!d.startsWith("\xFF\xD8"))
        return info;
    while (at + 4 <= d.size() && quint8(d[at]) == 0xFF) {
        const int marker = quint8(d[at + 1]);
        const int length = qFromBigEndian<quint16>(d.constData() + at + 2);
        const bool frame =
            marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (frame && at + 10 <= d.size()) {
            info.marker = marker;
            info.height = qFromBigEndian<quint16>(d.constData() + at + 5);
            info.width = qFromBigEndian<quint16>(d.constData() + at + 7);
            info.components = quint8(d[at + 9]);
            return info;
        }
        at += 2 + length;
    }
    return info;
}

enum class Kind { Bmp24, Bmp4, Jpeg, Png, Ico4 };

struct Picture {
    const char* path;
    Kind kind;
    int width;
    int height;
};

// Every picture, with the size its component shows it at.
QList<Picture> pictures()
{
    QList<Picture> all = {
        {"main/strip_bottom.jpg", Kind::Jpeg, 803, 31},
        {"main/strip_right.jpg", Kind::Jpeg, 33, 519},
        {"main/strip_top.jpg", Kind::Jpeg, 803, 53},
        {"main/strip_left.jpg", Kind::Jpeg, 56, 549},
        {"main/strip_under_ruler.jpg", Kind::Jpeg, 793, 35},
        {"main/label_bullets.bmp", Kind::Bmp24, 44, 26},
        {"main/label_bold.bmp", Kind::Bmp24, 32, 22},
        {"main/label_underline.bmp", Kind::Bmp24, 31, 21},
        {"main/label_italic.bmp", Kind::Bmp24, 32, 22},
        {"main/icon32.png", Kind::Png, 32, 32},
        {"fontpicker/fonttypes.bmp", Kind::Bmp4, 28, 10},
        {"cursors/hand.png", Kind::Png, 32, 32},
        {"dialogs/about.jpg", Kind::Jpeg, 291, 137},
        {"dialogs/dialog_icon.ico", Kind::Ico4, 32, 32},
        {"worldtimes/strip_left.jpg", Kind::Jpeg, 38, 430},
        {"worldtimes/strip_right.jpg", Kind::Jpeg, 42, 430},
        {"worldtimes/strip_bottom.jpg", Kind::Jpeg, 305, 65},
        {"worldtimes/strip_top.jpg", Kind::Jpeg, 305, 58},
        {"worldtimes/title.jpg", Kind::Jpeg, 132, 29},
        {"worldtimes/page_ab.jpg", Kind::Jpeg, 242, 296},
        {"worldtimes/page_bc.jpg", Kind::Jpeg, 241, 297},
        {"worldtimes/page_dh.jpg", Kind::Jpeg, 243, 299},
        {"worldtimes/page_hl.jpg", Kind::Jpeg, 238, 297},
        {"worldtimes/page_mn.jpg", Kind::Jpeg, 243, 297},
        {"worldtimes/page_np.jpg", Kind::Jpeg, 240, 279},
        {"worldtimes/page_qt.jpg", Kind::Jpeg, 243, 297},
        {"worldtimes/page_tz.jpg", Kind::Jpeg, 239, 297},
        {"metric/strip_bottom.jpg", Kind::Jpeg, 421, 59},
        {"metric/strip_top.jpg", Kind::Jpeg, 421, 53},
        {"metric/strip_left.jpg", Kind::Jpeg, 53, 391},
        {"metric/strip_right.jpg", Kind::Jpeg, 50, 391},
        {"metric/title.jpg", Kind::Jpeg, 312, 25},
        {"metric/page_length.jpg", Kind::Jpeg, 338, 264},
        {"metric/page_area.jpg", Kind::Jpeg, 333, 257},
        {"metric/page_mass.jpg", Kind::Jpeg, 347, 254},
        {"metric/page_volume1.jpg", Kind::Jpeg, 328, 245},
        {"metric/page_volume2.jpg", Kind::Jpeg, 347, 275},
    };
    return all;
}

struct Button {
    const char* name;
    int width;
    int height;
};

// The main window's image buttons by pictogram, at their components' sizes, and the dialogs'
// shared close button.
const QList<Button> Buttons = {
    {"buttons/new", 47, 30},        {"buttons/open", 45, 30},      {"buttons/save", 45, 30},
    {"buttons/print", 45, 31},      {"buttons/font", 44, 29},      {"buttons/metric", 45, 32},
    {"buttons/worldtimes", 47, 33}, {"buttons/exit", 43, 29},      {"buttons/about", 45, 29},
    {"buttons/undo", 44, 30},       {"buttons/paste", 44, 29},     {"buttons/cut", 44, 29},
    {"buttons/copy", 44, 29},       {"buttons/selectall", 48, 32}, {"buttons/delete", 47, 31},
    {"dialogs/close", 40, 30},
};
const char* const States[] = {"up", "down", "over", "disabled"};

QSet<QRgb> coloursIn(const QImage& image, const QRect& area)
{
    QSet<QRgb> colours;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            colours.insert(image.pixel(x, y) | 0xFF000000u);
    return colours;
}

} // namespace

class tst_artwork : public QObject {
    Q_OBJECT

private slots:
    void pictureFormat_data();
    void pictureFormat();
    void buttonStatesDiffer_data();
    void buttonStatesDiffer();
    void closeButtonUpIsDisabled();
    void fontTypeStrip();
    void handCursor();
    void worldTimesOffsetsAreStandardTime();
};

void tst_artwork::pictureFormat_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    for (const Picture& p : pictures())
        QTest::newRow(p.path) << QString::fromLatin1(p.path) << int(p.kind) << p.width << p.height;
    for (const Button& b : Buttons) {
        for (const char* state : States) {
            const QString path = QStringLiteral("%1_%2.bmp").arg(QLatin1String(b.name), QLatin1String(state));
            QTest::newRow(qPrintable(path)) << path << int(Kind::Bmp24) << b.width << b.height;
        }
    }
}

void tst_artwork::pictureFormat()
{
    QFETCH(QString, path);
    QFETCH(int, kind);
    QFETCH(int, width);
    QFETCH(int, height);
    const QByteArray data = readArt(path);
    QVERIFY2(!data.isEmpty(), "missing from the resources");

    switch (Kind(kind)) {
    case Kind::Bmp24:
    case Kind::Bmp4: {
        const BmpInfo info = bmpInfo(data);
        QVERIFY2(info.error.isEmpty(), qPrintable(info.error));
        QCOMPARE(info.bits, Kind(kind) == Kind::Bmp24 ? 24 : 4);
        QCOMPARE(QSize(info.width, info.height), QSize(width, height));
        if (Kind(kind) == Kind::Bmp4)
            QVERIFY(u32(data, 46) <= 16);
        break;
    }
    case Kind::Jpeg: {
        const JpegInfo info = jpegInfo(data);
        QCOMPARE(info.marker, 0xC0); // baseline
        QCOMPARE(info.components, 3);
        QCOMPARE(QSize(info.width, info.height), QSize(width, height));
        break;
    }
    case Kind::Png:
        QVERIFY(data.startsWith("\x89PNG\r\n\x1a\n"));
        break;
    case Kind::Ico4: {
        QCOMPARE(u16(data, 0), quint16(0));
        QCOMPARE(u16(data, 2), quint16(1)); // an icon
        QVERIFY(u16(data, 4) >= 1);
        const quint32 offset = u32(data, 18);
        QVERIFY(offset + 40 <= quint32(data.size()));
        QCOMPARE(quint8(data[6]), quint8(width));
        QCOMPARE(quint8(data[7]), quint8(height));
        QCOMPARE(u16(data, offset + 14), quint16(4)); // bits per pixel of the image
        QCOMPARE(s32(data, offset + 8), 2 * height);  // colour part and mask
        break;
    }
    }

    // The program reads bitmaps and JPEGs through its picture class, which checks them again.
    if (Kind(kind) == Kind::Bmp24 || Kind(kind) == Kind::Bmp4 || Kind(kind) == Kind::Jpeg) {
        try {
            const TPicture picture = TPicture::fromFileData(data);
            QCOMPARE(picture.image().size(), QSize(width, height));
        } catch (const AppError& e) {
            QFAIL(qPrintable(e.message()));
        }
    } else {
        const QImage image = QImage::fromData(data);
        QCOMPARE(image.size(), QSize(width, height));
    }
}

void tst_artwork::buttonStatesDiffer_data()
{
    QTest::addColumn<QString>("name");
    for (const Button& b : Buttons)
        QTest::newRow(b.name) << QString::fromLatin1(b.name);
}

// Each state has a picture of its own (the close button's disabled one aside, see below), so
// a button visibly answers the pointer and the press.
void tst_artwork::buttonStatesDiffer()
{
    QFETCH(QString, name);
    const QStringList states =
        name.startsWith(QLatin1String("dialogs/"))
            ? QStringList{QStringLiteral("up"), QStringLiteral("down"), QStringLiteral("over")}
            : QStringList{QStringLiteral("up"), QStringLiteral("down"), QStringLiteral("over"),
                          QStringLiteral("disabled")};
    QList<QImage> images;
    for (const QString& state : states)
        images << QImage::fromData(readArt(QStringLiteral("%1_%2.bmp").arg(name, state)));
    for (int i = 0; i < images.size(); ++i)
        for (int j = i + 1; j < images.size(); ++j)
            QVERIFY2(images[i] != images[j], qPrintable(states[i] + QStringLiteral(" = ") + states[j]));
}

void tst_artwork::closeButtonUpIsDisabled()
{
    const QByteArray up = readArt(QStringLiteral("dialogs/close_up.bmp"));
    QVERIFY(!up.isEmpty());
    QCOMPARE(readArt(QStringLiteral("dialogs/close_disabled.bmp")), up);
}

void tst_artwork::fontTypeStrip()
{
    const QImage strip = QImage::fromData(readArt(QStringLiteral("fontpicker/fonttypes.bmp")));
    QCOMPARE(strip.size(), QSize(28, 10));
    const QRgb background = qRgb(128, 128, 0);
    QCOMPARE(strip.pixel(0, 9) | 0xFF000000u, background);

    const QRgb black = qRgb(0, 0, 0), grey = qRgb(128, 128, 128), silver = qRgb(192, 192, 192),
               white = qRgb(255, 255, 255);
    // The TrueType pictogram: black and grey letters on the background, nothing else.
    QCOMPARE(coloursIn(strip, QRect(0, 0, 14, 10)), (QSet<QRgb>{background, black, grey}));
    // The column between the pictograms is background, so the halves never touch.
    QCOMPARE(coloursIn(strip, QRect(14, 0, 1, 10)), QSet<QRgb>{background});
    // The printer: black, white, grey and silver.
    QCOMPARE(coloursIn(strip, QRect(15, 0, 13, 10)), (QSet<QRgb>{background, black, white, grey, silver}));
}

void tst_artwork::handCursor()
{
    const QImage hand =
        QImage::fromData(readArt(QStringLiteral("cursors/hand.png"))).convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(hand.size(), QSize(32, 32));
    // Monochrome with a mask: every pixel black, white or fully transparent.
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            const QRgb p = hand.pixel(x, y);
            QVERIFY2(qAlpha(p) == 0 || p == qRgba(0, 0, 0, 255) || p == qRgba(255, 255, 255, 255),
                     qPrintable(QStringLiteral("pixel %1,%2").arg(x).arg(y)));
        }
    }
    // The hot spot (5, 0) is the fingertip: the outline's pixel there, none to its left.
    QCOMPARE(hand.pixel(5, 0), qRgba(0, 0, 0, 255));
    for (int x = 0; x < 5; ++x)
        QCOMPARE(qAlpha(hand.pixel(x, 0)), 0);
}

// The pages show local standard time at 12 noon GMT: each city's offset in the table the pages
// were drawn from must be its zone's standard offset (not summer time) at a fixed date.
void tst_artwork::worldTimesOffsetsAreStandardTime()
{
    QFile file(qEnvironmentVariable("LUMARO_SOURCE_DIR") + QStringLiteral("/tools/artgen/data/cities.csv"));
    QVERIFY2(file.open(QIODevice::ReadOnly | QIODevice::Text), "cities.csv not found");
    const QDateTime when(QDate(2024, 6, 1), QTime(12, 0), Qt::UTC);
    int checked = 0;
    bool header = true;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        if (header) {
            QCOMPARE(line, QStringLiteral("tab,city,country,zone,offset"));
            header = false;
            continue;
        }
        // The zone and the offset are the last two fields; only the city may be quoted.
        const QStringList fields = line.split(QLatin1Char(','));
        const QString zone = fields.at(fields.size() - 2);
        const QString offset = fields.last();
        const QTimeZone tz(zone.toLatin1());
        if (!tz.isValid())
            QSKIP(qPrintable(QStringLiteral("no time-zone data for %1").arg(zone)));
        const int sign = offset.startsWith(QLatin1Char('-')) ? -1 : 1;
        const QStringList hm = offset.mid(1).split(QLatin1Char(':'));
        const int seconds = sign * (hm.at(0).toInt() * 3600 + hm.at(1).toInt() * 60);
        QVERIFY2(tz.standardTimeOffset(when) == seconds,
                 qPrintable(QStringLiteral("%1: %2 has standard offset %3 s, the table says %4")
                                .arg(line, zone)
                                .arg(tz.standardTimeOffset(when))
                                .arg(offset)));
        ++checked;
    }
    QVERIFY(checked > 0);
}

QTEST_GUILESS_MAIN(tst_artwork)
#include "tst_artwork.moc"
