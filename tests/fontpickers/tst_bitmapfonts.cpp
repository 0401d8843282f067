// The fonts of this machine through fontconfig, with its bitmap faces made visible: Debian hides
// them, so the test points fontconfig at a configuration of its own that accepts them.

#include "fontpickers/SystemFontEnumerator.h"
#include "fontpickers/TFontNameComboBox.h"
#include "fontpickers/TFontSizeComboBox.h"
#include "framework/AppError.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPrinterInfo>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>

namespace {
using Device = FontEnumerator::Device;

const char* const AcceptBitmaps = R"(<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "fonts.dtd">
<fontconfig>
  <include ignore_missing="no">/etc/fonts/fonts.conf</include>
  <selectfont><acceptfont><pattern><patelt name="scalable"><bool>false</bool></patelt></pattern></acceptfont></selectfont>
</fontconfig>
)";

QList<FontFace> named(const QList<FontFace>& fonts, const QString& name)
{
    QList<FontFace> found;
    std::copy_if(fonts.begin(), fonts.end(), std::back_inserter(found),
                 [&](const FontFace& face) { return face.name.compare(name, Qt::CaseInsensitive) == 0; });
    return found;
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
    const QString config = folder.filePath(QStringLiteral("fonts.conf"));
    QFile file(config);
    if (!folder.isValid() || !file.open(QIODevice::WriteOnly) || file.write(AcceptBitmaps) < 0)
        qFatal("cannot write %s", qPrintable(config));
    file.close();
    qputenv("FONTCONFIG_FILE", QFile::encodeName(config));
    QApplication app(argc, argv);
    TestBitmapFonts test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_bitmapfonts.moc"
