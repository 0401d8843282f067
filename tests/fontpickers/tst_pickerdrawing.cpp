// What the pickers draw: the entries of the font-name list and the frame of both boxes.

#include "PickerFixtures.h"
#include "fontpickers/FontNameItemDelegate.h"
#include "fontpickers/TFontNameComboBox.h"
#include "fontpickers/TFontSizeComboBox.h"

#include <QAbstractItemView>
#include <QLineEdit>
#include <QPainter>
#include <QTest>

using namespace PickerFixtures;
using State = FontNameItemDelegate::EntryState;

namespace {
const QColor Key(128, 128, 0);
const QColor TrueTypeInk(255, 0, 0);
const QColor PrinterInk(0, 0, 255);

// A 28 x 10 strip on the key colour: a red block in the TrueType half (x 2..11, y 1..8) and a
// blue one in the printer part (x 16..26, y 1..8).
QImage testStrip()
{
    QImage strip(28, 10, QImage::Format_RGB32);
    strip.fill(Key);
    QPainter painter(&strip);
    painter.fillRect(QRect(2, 1, 10, 8), TrueTypeInk);
    painter.fillRect(QRect(16, 1, 11, 8), PrinterInk);
    return strip;
}

QRect boundsOf(const QImage& image, const std::function<bool(QColor)>& wanted)
{
    QRect bounds;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (wanted(image.pixelColor(x, y)))
                bounds |= QRect(x, y, 1, 1);
        }
    }
    return bounds;
}

bool contains(const QImage& image, const QColor& color)
{
    return !boundsOf(image, [&](QColor c) { return c == color; }).isEmpty();
}

// Whether some pixel is of about that colour: text is drawn smoothed, so only the middle of a
// stroke comes close to the text colour.
bool containsInk(const QImage& image, const QColor& color)
{
    return !boundsOf(image, [&](QColor c) {
                return qAbs(c.red() - color.red()) < 40 && qAbs(c.green() - color.green()) < 40 &&
                       qAbs(c.blue() - color.blue()) < 40;
            }).isEmpty();
}

QColor inverted(const QColor& color)
{
    return QColor(color.rgb() ^ 0xFFFFFF);
}

// A picker whose list holds one entry of each tag, drawn with the test strip in a known face.
struct EntryPainter {
    EntryPainter()
    {
        picker.setPictogramStrip(testStrip());
        picker.tfont()->setName(QStringLiteral("DejaVu Sans"));
        picker.tfont()->setHeight(-11);
        picker.Loaded();
    }

    QImage paint(const QString& name, const QRect& rect, State state, const QColor& surface = Qt::gray)
    {
        QImage image(180, 16, QImage::Format_RGB32);
        image.fill(surface);
        QPainter painter(&image);
        picker.entryDelegate().paintEntry(painter, rect, picker.findText(name), state);
        return image;
    }

    ScopedFonts fonts{faces("HH Raster:1;HH Printer:2;HH TrueType:4;HH Vector:0;DejaVu Serif:4")};
    TFontNameComboBox picker;
};

// A shown window holding a picker and a line edit that has the keyboard focus.
struct Host {
    Host()
    {
        focus = new QLineEdit(&window);
        focus->move(0, 60);
        window.show();
        window.activateWindow();
        if (!QTest::qWaitForWindowActive(&window))
            qFatal("the test window did not become active");
        focus->setFocus();
    }

    QWidget window;
    QLineEdit* focus;
};
} // namespace

class TestPickerDrawing : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void entryPictogramAndTextPlace_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("symbols");
        QTest::addColumn<int>("rectLeft");
        QTest::addColumn<QRect>("trueTypeInk");
        QTest::addColumn<QRect>("printerInk");
        QTest::addColumn<int>("textLeft");
        // The 18-pixel box starts 2 pixels into the entry; the 14-column TrueType half sits
        // 2 pixels into it, the 13-column printer part 2 pixels too (one column after the
        // strip's middle); 10 rows are centred in 16.
        QTest::newRow("TrueType entry") << "HH TrueType" << true << 0 << QRect(6, 4, 10, 8) << QRect() << 24;
        QTest::newRow("printer entry") << "HH Printer" << true << 0 << QRect() << QRect(5, 4, 11, 8) << 24;
        QTest::newRow("raster entry: no pictogram, text in place")
            << "HH Raster" << true << 0 << QRect() << QRect() << 24;
        QTest::newRow("plain add: no pictogram, text in place")
            << "HH Vector" << true << 0 << QRect() << QRect() << 24;
        QTest::newRow("entry further right: the pictogram moves, the text does not")
            << "HH TrueType" << true << 6 << QRect(12, 4, 10, 8) << QRect() << 24;
        QTest::newRow("without symbols: no pictogram, text at 3")
            << "HH TrueType" << false << 0 << QRect() << QRect() << 3;
    }

    void entryPictogramAndTextPlace()
    {
        QFETCH(QString, name);
        QFETCH(bool, symbols);
        QFETCH(int, rectLeft);
        QFETCH(QRect, trueTypeInk);
        QFETCH(QRect, printerInk);
        QFETCH(int, textLeft);
        EntryPainter entries;
        if (!symbols)
            entries.picker.setOptions(TFontNameComboBox::foScreenFonts);
        const QRect rect(rectLeft, 0, 180 - rectLeft, 16);
        const QImage image = entries.paint(name, rect, State{});

        QCOMPARE(boundsOf(image, [](QColor c) { return c == TrueTypeInk; }), trueTypeInk);
        QCOMPARE(boundsOf(image, [](QColor c) { return c == PrinterInk; }), printerInk);
        QVERIFY(!contains(image, Key));
        const QColor background = Colors::toQColor(Colors::clWindow);
        QVERIFY(boundsOf(image, [](QColor c) { return c == Qt::gray; }).right() < rectLeft);
        const QRect text = boundsOf(image, [&](QColor c) {
            return c != background && c != TrueTypeInk && c != PrinterInk && c != Qt::gray;
        });
        QVERIFY2(text.left() >= textLeft && text.left() <= textLeft + 2,
                 qPrintable(QStringLiteral("text starts at %1").arg(text.left())));
        QVERIFY(text.top() >= 1);
        QVERIFY(containsInk(image, Colors::toQColor(Colors::clWindowText)));
    }

    void focusedSelectedEntryIsHighlightedWithOneFocusRectangle()
    {
        EntryPainter entries;
        const QRect rect(0, 0, 180, 16);
        const QImage image = entries.paint(QStringLiteral("HH Raster"), rect, State{true, true, false});
        const QColor highlight = Colors::toQColor(Colors::clHighlight);
        QVERIFY(containsInk(image, Colors::toQColor(Colors::clHighlightText)));
        QVERIFY(!containsInk(image, Colors::toQColor(Colors::clWindowText)));
        QCOMPARE(image.pixelColor(170, 8), highlight);
        // Every other pixel of the edge inverted, starting at the top-left corner.
        for (int x = 0; x < rect.width(); ++x) {
            for (int y : {0, rect.height() - 1})
                QCOMPARE(image.pixelColor(x, y), (x + y) % 2 == 0 ? inverted(highlight) : highlight);
        }
        for (int y = 0; y < rect.height(); ++y) {
            for (int x : {0, rect.width() - 1})
                QCOMPARE(image.pixelColor(x, y), (x + y) % 2 == 0 ? inverted(highlight) : highlight);
        }
        // Nothing of a second rectangle inside.
        const QRect inner = rect.adjusted(1, 1, -1, -1);
        for (int x = inner.left(); x <= inner.right(); ++x)
            QVERIFY(image.pixelColor(x, inner.top()) != inverted(highlight));
        for (int y = inner.top(); y <= inner.bottom(); ++y)
            QVERIFY(image.pixelColor(inner.left(), y) != inverted(highlight));
    }

    void entryColoursByState_data()
    {
        QTest::addColumn<bool>("selected");
        QTest::addColumn<bool>("disabled");
        QTest::addColumn<quint32>("background");
        QTest::addColumn<quint32>("text");
        QTest::newRow("normal") << false << false << quint32(Colors::clWindow)
                                << quint32(Colors::clWindowText);
        QTest::newRow("selected") << true << false << quint32(Colors::clHighlight)
                                  << quint32(Colors::clHighlightText);
        QTest::newRow("disabled") << false << true << quint32(Colors::clWindow)
                                  << quint32(Colors::clInactiveCaption);
    }

    void entryColoursByState()
    {
        QFETCH(bool, selected);
        QFETCH(bool, disabled);
        QFETCH(quint32, background);
        QFETCH(quint32, text);
        EntryPainter entries;
        const QImage image = entries.paint(QStringLiteral("HH Raster"), QRect(0, 0, 180, 16),
                                           State{selected, false, disabled});
        QCOMPARE(image.pixelColor(0, 0), Colors::toQColor(background));
        QVERIFY(containsInk(image, Colors::toQColor(text)));
    }

    void pickersColourAndFontColourAreUsed()
    {
        EntryPainter entries;
        entries.picker.setColor(Colors::clSilver);
        entries.picker.tfont()->setColor(Colors::clMaroon);
        const QImage image = entries.paint(QStringLiteral("HH Raster"), QRect(0, 0, 180, 16), State{});
        QCOMPARE(image.pixelColor(0, 0), Colors::toQColor(Colors::clSilver));
        QVERIFY(containsInk(image, Colors::toQColor(Colors::clMaroon)));
    }

    void noEntryOnlyFillsTheRectangle()
    {
        EntryPainter entries;
        const QImage image =
            entries.paint(QStringLiteral("none"), QRect(0, 0, 180, 16), State{true, true, false});
        QCOMPARE(boundsOf(image, [](QColor c) { return c != Colors::toQColor(Colors::clWindow); }), QRect());
    }

    void programsStripGivesBothPictograms()
    {
        const FontTypePictograms pictograms = FontTypePictograms::fromResources();
        QCOMPARE(pictograms.half(), 14);
        QCOMPARE(pictograms.trueType().size(), QSize(14, 10));
        QCOMPARE(pictograms.device().size(), QSize(13, 10));
        for (const QImage* part : {&pictograms.trueType(), &pictograms.device()}) {
            QCOMPARE(part->pixelColor(0, 9).alpha(), 0); // the background is left out
            QVERIFY(!boundsOf(*part, [](QColor c) { return c.alpha() == 255; }).isEmpty());
        }
    }

    void missingStripDrawsNoPictogramsAndKeepsTheTextPlace()
    {
        EntryPainter entries;
        entries.picker.setPictogramStrip(QImage());
        const QImage image = entries.paint(QStringLiteral("HH TrueType"), QRect(0, 0, 180, 16), State{});
        const QRect ink = boundsOf(image, [](QColor c) { return c != Colors::toQColor(Colors::clWindow); });
        QVERIFY(ink.left() >= 24 && ink.left() <= 26);
    }

    void namesInTheirOwnFaceWithDisplayFont()
    {
        EntryPainter entries;
        const QRect rect(0, 0, 180, 16);
        const QImage inPickersFont = entries.paint(QStringLiteral("DejaVu Serif"), rect, State{});
        entries.picker.setOptions(entries.picker.options() | TFontNameComboBox::foDisplayFont);
        const QImage inOwnFace = entries.paint(QStringLiteral("DejaVu Serif"), rect, State{});
        QVERIFY(containsInk(inPickersFont, Colors::toQColor(Colors::clWindowText)));
        QVERIFY(containsInk(inOwnFace, Colors::toQColor(Colors::clWindowText)));
        QVERIFY(inOwnFace != inPickersFont);
        QCOMPARE(entries.paint(QStringLiteral("HH TrueType"), rect, State{}).pixelColor(8, 6), TrueTypeInk);
    }

    void closedBoxShowsTheSelectedEntry()
    {
        ScopedFonts fonts(faces("Arial:4;Fixed:1"));
        Host host;
        auto* picker = new TFontNameComboBox(&host.window);
        picker->setPictogramStrip(testStrip());
        picker->resize(145, 20);
        picker->Loaded();
        picker->show();

        QVERIFY(!contains(picker->grab().toImage(), TrueTypeInk));
        picker->SelectFontName(QStringLiteral("Arial"));
        QImage image = picker->grab().toImage();
        QVERIFY(contains(image, TrueTypeInk));
        QVERIFY(!contains(image, Colors::toQColor(Colors::clHighlight)));
        picker->setFocus();
        image = picker->grab().toImage();
        QVERIFY(contains(image, Colors::toQColor(Colors::clHighlight)));
    }

    void frameRings_data()
    {
        QTest::addColumn<bool>("sizePicker");
        QTest::addColumn<bool>("flat");
        QTest::addColumn<QList<quint32>>("outer"); // top, left, bottom, right
        QTest::addColumn<QList<quint32>>("inner");
        const QList<quint32> sunkenOuter = {Colors::clBtnShadow, Colors::clBtnShadow, Colors::clBtnHighlight,
                                            Colors::clBtnHighlight};
        const QList<quint32> sunkenInner = {Colors::clWindowFrame, Colors::clWindowFrame, Colors::clBtnFace,
                                            Colors::clBtnFace};
        const QList<quint32> face(4, Colors::clBtnFace);
        QTest::newRow("name picker, 3-D") << false << false << sunkenOuter << sunkenInner;
        QTest::newRow("size picker, 3-D") << true << false << sunkenOuter << sunkenInner;
        QTest::newRow("name picker, flat while idle") << false << true << face << face;
        QTest::newRow("size picker, flat while idle") << true << true << face << face;
    }

    void frameRings()
    {
        QFETCH(bool, sizePicker);
        QFETCH(bool, flat);
        QFETCH(QList<quint32>, outer);
        QFETCH(QList<quint32>, inner);
        ScopedFonts fonts(faces("Arial:4"));
        Host host;
        TPickerComboBox* picker = sizePicker
                                      ? static_cast<TPickerComboBox*>(new TFontSizeComboBox(&host.window))
                                      : new TFontNameComboBox(&host.window);
        picker->setGeometry(10, 10, 145, 21);
        picker->setFlat(flat);
        picker->show();
        const QImage image = picker->grab().toImage();
        const int w = image.width();
        const int h = image.height();
        auto ring = [&](int i) {
            return QList<quint32>{Colors::fromQColor(image.pixelColor(w / 2, i)),
                                  Colors::fromQColor(image.pixelColor(i, h / 2)),
                                  Colors::fromQColor(image.pixelColor(w / 2, h - 1 - i)),
                                  Colors::fromQColor(image.pixelColor(w - 1 - i, h / 2))};
        };
        auto rgb = [](QList<quint32> colours) {
            for (quint32& colour : colours)
                colour = Colors::toRgb(colour);
            return colours;
        };
        QCOMPARE(ring(0), rgb(outer));
        QCOMPARE(ring(1), rgb(inner));
        if (flat)
            QCOMPARE(ring(2), rgb(QList<quint32>(4, Colors::clWindow)));
    }

    void itemHeightFromTheTextHeight_data()
    {
        QTest::addColumn<int>("textHeight");
        QTest::addColumn<int>("itemHeight");
        QTest::newRow("9 gives 10") << 9 << 10;
        QTest::newRow("10 gives 11") << 10 << 11;
        QTest::newRow("13 gives 14") << 13 << 14;
        QTest::newRow("tiny gives 10") << 1 << 10;
    }

    void itemHeightFromTheTextHeight()
    {
        QFETCH(int, textHeight);
        QFETCH(int, itemHeight);
        QCOMPARE(TPickerComboBox::itemHeightFor(textHeight), itemHeight);
    }

    void ownFontSetsTheListsItemHeight()
    {
        ScopedFonts fonts(faces("Arial:4;Fixed:1"));
        TFontNameComboBox names;
        TFontSizeComboBox sizes;
        QCOMPARE(names.itemHeight(), 15);
        QCOMPARE(sizes.itemHeight(), 16);
        names.Loaded();
        sizes.setFontName(QStringLiteral("Arial"));
        for (TPickerComboBox* picker :
             {static_cast<TPickerComboBox*>(&names), static_cast<TPickerComboBox*>(&sizes)}) {
            picker->tfont()->setHeight(-24);
            const int expected = TPickerComboBox::itemHeightFor(QFontMetrics(picker->font()).height());
            QVERIFY(expected > 20);
            QCOMPARE(picker->itemHeight(), expected);
            QCOMPARE(picker->view()->sizeHintForRow(0), expected);
        }
    }
};

QTEST_MAIN(TestPickerDrawing)
#include "tst_pickerdrawing.moc"
