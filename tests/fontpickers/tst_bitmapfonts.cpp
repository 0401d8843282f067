// The fonts of this machine through fontconfig, with its bitmap faces made visible: Debian hides
// them, so the test points fontconfig at a configuration of its own that accepts them.

#include "BitmapFaces.h"
#include "fontpickers/FontNameItemDelegate.h"
#include "fontpickers/SystemFontEnumerator.h"
#include "fontpickers/TFontNameComboBox.h"
#include "fontpickers/TFontSizeComboBox.h"
#include "framework/AppError.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPainter>
#include <QPrinterInfo>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>

namespace {
using Device = FontEnumerator::Device;

QList<FontFace> named(const QList<FontFace>& fonts, const QString& name)
{
    QList<FontFace> found;
    std::copy_if(fonts.begin(), fonts.end(), std::back_inserter(found),
                 [&](const FontFace& face) { return face.name.compare(name, Qt::CaseInsensitive) == 0; });
    return found;
}

// The smallest rectangle holding every pixel that is not white.
QRect inkBounds(const QImage& image)
{
    QRect bounds;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != qRgb(255, 255, 255))
                bounds |= QRect(x, y, 1, 1);
        }
    }
    return bounds;
}

// The ink of the name drawn in font on a sheet with room all round.
QRect inkOfWholeName(const QFont& font, const QString& name)
{
    QImage sheet(800, 240, QImage::Format_RGB32);
    sheet.fill(Qt::white);
    QPainter painter(&sheet);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(QPoint(80, 140), name);
    painter.end();
    return inkBounds(sheet);
}

QStringList entries(const QComboBox& box)
{
    QStringList list;
    for (int i = 0; i < box.count(); ++i)
        list.append(box.itemText(i));
    return list;
}
} // namespace

class TestBitmapFonts : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        if (!QDir(QStringLiteral("/usr/share/fonts/X11/misc")).exists())
            QFAIL("the bitmap faces are missing: install xfonts-base (scripts/install-deps.sh --test)");
    }

    void bitmapFacesAreRasterWithTheMetricsOfEachSize()
    {
        const SystemFontEnumerator fonts;
        const QList<FontFace> screen = fonts.faces(Device::Screen);
        QVERIFY(!named(screen, QStringLiteral("Fixed")).isEmpty());
        for (const FontFace& face : named(screen, QStringLiteral("Fixed")))
            QCOMPARE(face.type, int(FontFace::Raster));
        for (const FontFace& face : named(screen, QStringLiteral("DejaVu Sans")))
            QCOMPARE(face.type, int(FontFace::TrueType));

        QList<int> heights;
        for (const FontFace& font : fonts.familyFonts(Device::Screen, QStringLiteral("fixed"))) {
            QCOMPARE(font.type, int(FontFace::Raster));
            QVERIFY(font.internalLeading >= 0);
            heights.append(font.characterHeight());
        }
        // The classic 6x13, 7x14 and 9x18 cells: 9.75, 10.5 and 13.5 points at 96 dpi.
        for (int height : {13, 14, 18})
            QVERIFY2(heights.contains(height), qPrintable(QStringLiteral("no %1-pixel Fixed").arg(height)));
    }

    void namePickerListsTheBitmapFaceOnceAsRaster()
    {
        TFontNameComboBox picker;
        picker.Loaded();
        const QStringList names = entries(picker);
        QCOMPARE(names.count(QStringLiteral("Fixed")), 1); // foundries Misc and Sony are one face
        QCOMPARE(picker.fontType(picker.findText(QStringLiteral("Fixed"))), int(FontFace::Raster));
        QCOMPARE(picker.fontType(picker.findText(QStringLiteral("DejaVu Sans"))), int(FontFace::TrueType));
        QStringList sorted = names;
        std::stable_sort(sorted.begin(), sorted.end(), [](const QString& a, const QString& b) {
            return a.compare(b, Qt::CaseInsensitive) < 0;
        });
        QCOMPARE(names, sorted);
    }

    // Every bitmap face is lettered in its own face inside its entry: a face whose sizes are all
    // taller than the entry (one size of 17 pixels, a 29-pixel line) is drawn smaller rather
    // than cut off, and nothing of a name reaches the entry's first row or below its last.
    void bitmapFaceNamesFitTheirEntries()
    {
        TFontNameComboBox picker;
        picker.tfont()->setName(QStringLiteral("Default"));
        picker.tfont()->setHeight(-11);
        picker.setOptions(TFontNameComboBox::foScreenFonts | TFontNameComboBox::foDisplayFont |
                          TFontNameComboBox::foDisplaySymbol);
        picker.Loaded();
        const int height = picker.itemHeight();
        const QRect entry(0, 20, 240, height);
        int tooTall = 0;
        for (int i = 0; i < picker.count(); ++i) {
            if (picker.fontType(i) != FontFace::Raster)
                continue;
            const QString name = picker.itemText(i);
            QFont natural = picker.font();
            natural.setFamilies({name});
            tooTall += QFontMetrics(natural).height() > height ? 1 : 0;

            // Drawn without the entry's clip, so that letters outside it would show.
            QImage image(entry.width(), entry.bottom() + 40, QImage::Format_RGB32);
            image.fill(Qt::white);
            QPainter painter(&image);
            painter.setPen(Qt::black);
            FontNameItemDelegate::drawName(painter, picker.font(), true, name, 24, entry);
            painter.end();
            const QRect ink = inkBounds(image);
            const QString where = QStringLiteral("%1: ink %2,%3 %4x%5 in an entry of rows %6 to %7")
                                      .arg(name)
                                      .arg(ink.x())
                                      .arg(ink.y())
                                      .arg(ink.width())
                                      .arg(ink.height())
                                      .arg(entry.top())
                                      .arg(entry.bottom());
            QVERIFY2(ink.height() >= 4, qPrintable(where));
            QVERIFY2(entry.adjusted(0, 1, 0, 0).contains(ink), qPrintable(where));
            // Whole, not cut: about the proportions of the name drawn on a large sheet (a smaller
            // size of a bitmap face has proportions of its own).
            const QRect whole = inkOfWholeName(natural, name);
            const double expected = double(whole.width()) / whole.height();
            const double drawn = double(ink.width()) / ink.height();
            QVERIFY2(qAbs(drawn - expected) <= expected / 4,
                     qPrintable(QStringLiteral("%1; drawn whole its ink is %2x%3")
                                    .arg(where)
                                    .arg(whole.width())
                                    .arg(whole.height())));
        }
        QVERIFY2(tooTall > 0, "no bitmap face taller than an entry: the fault is not exercised");
    }

    void sizePickerListsEachBitmapSizeOnceAscending()
    {
        const SystemFontEnumerator fonts;
        const int dpi = fonts.pixelsPerInch(Device::Screen);
        QList<int> expected;
        for (const FontFace& font : fonts.familyFonts(Device::Screen, QStringLiteral("Fixed"))) {
            const int size = TFontSizeComboBox::rasterPointSize(font, dpi);
            if (!expected.contains(size))
                expected.append(size);
        }
        std::sort(expected.begin(), expected.end());

        TFontSizeComboBox picker;
        picker.setFontName(QStringLiteral("Fixed"));
        QStringList sizes = entries(picker);
        QList<int> listed;
        for (const QString& size : sizes)
            listed.append(size.toInt());
        QCOMPARE(listed, expected);
        if (dpi == 96) {
            QCOMPARE(sizes.count(QStringLiteral("10")), 1); // 13 and 14 pixels
            QVERIFY(sizes.contains(QStringLiteral("14")));  // 18 pixels
        }
        QCOMPARE(picker.text(), QStringLiteral("10"));
    }

    void scalableAndSubstitutedFamiliesOfferTheStandardSizes_data()
    {
        QTest::addColumn<QString>("family");
        QTest::addColumn<int>("sizes");
        QTest::newRow("listed scalable family") << "DejaVu Sans" << 16;
        QTest::newRow("family fontconfig substitutes") << "Arial" << 16;
        QTest::newRow("family unknown to fontconfig") << "No Such Face Anywhere" << 0;
    }

    void scalableAndSubstitutedFamiliesOfferTheStandardSizes()
    {
        QFETCH(QString, family);
        QFETCH(int, sizes);
        TFontSizeComboBox picker;
        picker.setFontName(family);
        QCOMPARE(picker.count(), sizes);
        QCOMPARE(picker.text(), QStringLiteral("10"));
    }

    void printerFacesAreTheScreensOnceThereIsAPrinter()
    {
        const SystemFontEnumerator fonts;
        if (QPrinterInfo::defaultPrinter().isNull()) {
            QVERIFY_THROWS_EXCEPTION(AppError, fonts.faces(Device::Printer));
            QVERIFY_THROWS_EXCEPTION(AppError, fonts.familyFonts(Device::Printer, QStringLiteral("Fixed")));
        } else {
            QCOMPARE(fonts.faces(Device::Printer), fonts.faces(Device::Screen));
        }
    }
};

int main(int argc, char** argv)
{
    QTemporaryDir folder;
    BitmapFaces::showInThisProcess(folder.isValid() ? folder.path() : QString());
    QApplication app(argc, argv);
    TestBitmapFonts test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_bitmapfonts.moc"
