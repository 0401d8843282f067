// The formatting check boxes, the mirroring of the selection and the ruler's indent markers.

#include "MainWindowFixture.h"
#include "app/TabStopMarks.h"
#include "controls/TOwnerCheck.h"
#include "fontpickers/TFontNameComboBox.h"
#include "fontpickers/TFontSizeComboBox.h"
#include "framework/TBevel.h"
#include "framework/TLabel.h"
#include "framework/TPanel.h"
#include "richtext/TCustomRichEdit.h"
#include "richtext/TParaAttributes.h"
#include "richtext/TTextAttributes.h"

#include <QTest>
#include <QTextCursor>
#include <QTextDocument>

namespace {
TLabel* marker(MainWindowFixture& fixture, const char* name)
{
    return fixture.form().findChild<TLabel*>(QLatin1String(name));
}

TOwnerCheck* box(MainWindowFixture& fixture, const char* name)
{
    return fixture.form().findChild<TOwnerCheck*>(QLatin1String(name));
}

void setIndents(MainWindowFixture& fixture, int first, int left, int right)
{
    TParaAttributes* paragraph = fixture.editor().paragraphAttributes();
    paragraph->setFirstIndent(first);
    paragraph->setLeftIndent(left);
    paragraph->setRightIndent(right);
    QMetaObject::invokeMethod(&fixture.form(), "SelectionChange", Q_ARG(QObject*, nullptr));
}

// Presses a marker at x (its own coordinates), moves it by dx and releases it there.
void drag(TLabel* label, int x, int dx)
{
    const QPoint at(x, label->height() / 2);
    QTest::mousePress(label, Qt::LeftButton, Qt::NoModifier, at);
    if (dx != 0) {
        QMouseEvent move(QEvent::MouseMove, QPointF(at + QPoint(dx, 0)), label->mapToGlobal(QPointF(at + QPoint(dx, 0))),
                         Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(label, &move);
    }
    QTest::mouseRelease(label, Qt::LeftButton, Qt::NoModifier, at);
}

// The left edges of the ruler's bars, as drawn.
QList<int> rulerBars(MainWindowFixture& fixture)
{
    auto* ruler = fixture.form().findChild<TPanel*>(QStringLiteral("Ruler"));
    const QImage image = ruler->grab().toImage();
    const int y = 10; // through the bars, above the ruler's line
    QList<int> bars;
    for (int x = 0; x < image.width(); ++x) {
        if (qGray(image.pixel(x, y)) < 128 && (x == 0 || qGray(image.pixel(x - 1, y)) >= 128))
            bars.append(x);
    }
    return bars;
}
} // namespace

class TestFormatting : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void theRulerShowsTicksAndFitsItsLine()
    {
        MainWindowFixture fixture;
        fixture.show();
        auto* ruler = fixture.form().findChild<TPanel*>(QStringLiteral("Ruler"));
        QCOMPARE(ruler->caption(), QStringLiteral("\t|").repeated(100));
        QCOMPARE(fixture.form().findChild<TBevel*>(QStringLiteral("RulerLine"))->width(), 719);
    }

    void markersStandAtTheIndents_data()
    {
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("left");
        QTest::addColumn<int>("right");
        QTest::addColumn<QList<int>>("markers"); // FirstInd, LeftInd, RightInd left edges
        QTest::newRow("none") << 0 << 0 << 0 << QList<int>{2, 2, 713};
        QTest::newRow("first 36") << 36 << 0 << 36 << QList<int>{50, 50, 665};
        QTest::newRow("truncated") << 10 << 0 << 10 << QList<int>{15, 15, 700};
        QTest::newRow("hanging") << 36 << -18 << 0 << QList<int>{50, 26, 713};
        QTest::newRow("negative first line") << -1 << 1 << 0 << QList<int>{1, 2, 713};
    }

    void markersStandAtTheIndents()
    {
        QFETCH(int, first);
        QFETCH(int, left);
        QFETCH(int, right);
        QFETCH(QList<int>, markers);
        MainWindowFixture fixture;
        fixture.show();
        setIndents(fixture, first, left, right);
        QCOMPARE((QList<int>{marker(fixture, "FirstInd")->x(), marker(fixture, "LeftInd")->x(),
                             marker(fixture, "RightInd")->x()}),
                 markers);
    }

    void droppingAMarkerSetsItsIndent_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QList<int>>("before"); // first, left, right
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("dx");
        QTest::addColumn<QList<int>>("after");
        QTest::newRow("first line, clicked at its centre") << "FirstInd" << QList<int>{36, 0, 0} << 5 << 0 << QList<int>{36, 0, 0};
        QTest::newRow("first line dragged right keeps the other lines")
            << "FirstInd" << QList<int>{0, 0, 0} << 5 << 48 << QList<int>{36, -36, 0};
        QTest::newRow("first line dragged off the left end") << "FirstInd" << QList<int>{0, 0, 0} << 5 << -12
                                                               << QList<int>{-8, 8, 0};
        QTest::newRow("left dragged") << "LeftInd" << QList<int>{36, 0, 0} << 5 << -24 << QList<int>{36, -18, 0};
        QTest::newRow("right clicked at its centre loses a point") << "RightInd" << QList<int>{0, 0, 10} << 4 << 0
                                                                   << QList<int>{0, 0, 9};
        QTest::newRow("right dragged") << "RightInd" << QList<int>{0, 0, 0} << 4 << -48 << QList<int>{0, 0, 36};
    }

    void droppingAMarkerSetsItsIndent()
    {
        QFETCH(QString, name);
        QFETCH(QList<int>, before);
        QFETCH(int, x);
        QFETCH(int, dx);
        QFETCH(QList<int>, after);
        MainWindowFixture fixture;
        fixture.show();
        setIndents(fixture, before[0], before[1], before[2]);
        drag(marker(fixture, qPrintable(name)), x, dx);
        TParaAttributes* paragraph = fixture.editor().paragraphAttributes();
        QCOMPARE((QList<int>{paragraph->firstIndent(), paragraph->leftIndent(), paragraph->rightIndent()}), after);
    }

    void checkBoxesActOnTheSelectionOrTheNewText()
    {
        MainWindowFixture fixture;
        fixture.show();
        fixture.type(QStringLiteral("plain text"));
        TCustomRichEdit& editor = fixture.editor();

        // Nothing selected: the box sets the style of the text typed next.
        QTest::mouseClick(box(fixture, "BoldButton"), Qt::LeftButton, Qt::NoModifier, QPoint(6, 6));
        QVERIFY(editor.defaultAttributes()->style().testFlag(TFont::fsBold));

        // A selection: the box acts on it, and the other bits go back as they were.
        editor.setSelStart(0);
        editor.setSelLength(5);
        editor.selectionAttributes()->setStyle(TFont::fsItalic);
        QTest::mouseClick(box(fixture, "UnderlineButton"), Qt::LeftButton, Qt::NoModifier, QPoint(6, 6));
        QCOMPARE(editor.selectionAttributes()->style(), TFont::TFontStyles(TFont::fsItalic | TFont::fsUnderline));
    }

    void selectionIsMirroredWithoutWritingBack()
    {
        MainWindowFixture fixture;
        fixture.show();
        TCustomRichEdit& editor = fixture.editor();
        fixture.type(QStringLiteral("bold then plain"));
        editor.setSelStart(0);
        editor.setSelLength(4);
        editor.selectionAttributes()->setStyle(TFont::fsBold);
        editor.paragraphAttributes()->setNumbering(TParaAttributes::Bullet);
        editor.setSelStart(2); // inside the bold word
        QVERIFY(box(fixture, "BoldButton")->checked());
        QVERIFY(box(fixture, "BulletsButton")->checked());
        QVERIFY(!box(fixture, "ItalicButton")->checked());
        editor.setSelStart(12); // plain text: the boxes follow, the document is untouched
        QVERIFY(!box(fixture, "BoldButton")->checked());
        editor.setSelStart(0);
        editor.setSelLength(4);
        QCOMPARE(editor.selectionAttributes()->style(), TFont::TFontStyles(TFont::fsBold));
        QVERIFY(!fixture.form().updating());
    }

    void bulletsBoxSetsNumberingAndIndent()
    {
        MainWindowFixture fixture;
        fixture.show();
        fixture.type(QStringLiteral("item"));
        QTest::keyClick(box(fixture, "BulletsButton"), Qt::Key_Space);
        QCOMPARE(fixture.editor().paragraphAttributes()->numbering(), int(TParaAttributes::Bullet));
        QCOMPARE(fixture.editor().paragraphAttributes()->leftIndent(), 10);
        // The left marker follows at once, not at the next caret move.
        QCOMPARE(marker(fixture, "LeftInd")->x(), 15);
        QTest::keyClick(box(fixture, "BulletsButton"), Qt::Key_Space);
        QCOMPARE(fixture.editor().paragraphAttributes()->numbering(), int(TParaAttributes::NoNumbering));
        QCOMPARE(fixture.editor().paragraphAttributes()->leftIndent(), 0);
        QCOMPARE(marker(fixture, "LeftInd")->x(), 2);
        // Undo too: removing the bullet was two edits, the list and the indent.
        fixture.editor().Undo();
        fixture.editor().Undo();
        QCOMPARE(fixture.editor().paragraphAttributes()->leftIndent(), 10);
        QCOMPARE(marker(fixture, "LeftInd")->x(), 15);
    }

    void markersStayOnTheRulerAndCanBeGrabbed()
    {
        MainWindowFixture fixture;
        fixture.show();
        // Indents beyond both ends: the markers stand at the ends, where the mouse reaches them.
        setIndents(fixture, -100, 0, -200);
        QCOMPARE(marker(fixture, "FirstInd")->x(), 0);
        QCOMPARE(marker(fixture, "LeftInd")->x(), 0);
        const int width = fixture.form().findChild<TPanel*>(QStringLiteral("Ruler"))->clientArea().width();
        QCOMPARE(marker(fixture, "RightInd")->x(), width - marker(fixture, "RightInd")->width());
        drag(marker(fixture, "FirstInd"), 5, 48);
        QCOMPARE(fixture.editor().paragraphAttributes()->firstIndent(), 35); // T(3 * (48 + 5 - 6) / 4)
        QCOMPARE(marker(fixture, "FirstInd")->x(), 48);
    }

    void rulerBarsStandAtTheEditorsDefaultStops()
    {
        MainWindowFixture fixture;
        fixture.show();
        // A bar at every half inch (48 pixels at the ruler's 4/3 pixels per point), where a
        // marker placed at that indent has its centre.
        QList<int> bars = rulerBars(fixture);
        QVERIFY(bars.size() > 10);
        QVERIFY2(qAbs(bars[0] - 55) <= 1, qPrintable(QString::number(bars[0])));
        QCOMPARE(bars[1] - bars[0], 48);
        setIndents(fixture, 36, 0, 0);
        QVERIFY(qAbs(marker(fixture, "FirstInd")->x() + 5 - bars[0]) <= 1);

        // A document with stops every quarter inch.
        const QString path = fixture.path(QStringLiteral("quarter.rtf"));
        MainWindowFixture::writeFile(path, "{\\rtf1\\deftab360 quarter inch stops}");
        fixture.form().OpenDocument(path);
        fixture.waitForLoad();
        bars = rulerBars(fixture);
        QCOMPARE(bars[1] - bars[0], 24);
    }

    void rulerShowsTheStopsOfTheCurrentParagraph()
    {
        MainWindowFixture fixture;
        fixture.show();
        const QString path = fixture.path(QStringLiteral("stops.rtf"));
        MainWindowFixture::writeFile(path, "{\\rtf1\\pard\\tx720\\tqr\\tx5760 with stops\\par\\pard without}");
        fixture.form().OpenDocument(path);
        fixture.waitForLoad();
        auto* marks = fixture.form().findChild<TabStopMarks*>();
        QVERIFY(marks);
        QCOMPARE(marks->stops().size(), 2);
        // Half an inch from the margin: where a marker for an indent of 36 points has its centre.
        QCOMPARE(marks->pixelOf(marks->stops().first()), 55);
        const QImage ruler = fixture.form().findChild<TPanel*>(QStringLiteral("Ruler"))->grab().toImage();
        QVERIFY(qGray(ruler.pixel(55, ruler.height() - 5)) < 128);
        fixture.editor().setSelStart(fixture.editor().textLength());
        QVERIFY(marks->stops().isEmpty());
    }

    void caretTakesTheFormatOfTheTextItStandsIn()
    {
        MainWindowFixture fixture;
        fixture.show();
        const QString path = fixture.path(QStringLiteral("bold.rtf"));
        MainWindowFixture::writeFile(path, "{\\rtf1{\\fonttbl{\\f0 Arial;}}\\f0\\fs24{\\b Bold} then plain}");
        fixture.form().OpenDocument(path);
        fixture.waitForLoad();
        QCOMPARE(fixture.editor().selStart(), 0);
        QVERIFY(box(fixture, "BoldButton")->checked());
        fixture.type(QStringLiteral("x"));
        QTextCursor typed(fixture.editor().document());
        typed.setPosition(1);
        QCOMPARE(typed.charFormat().fontWeight(), int(QFont::Bold));
    }

    void choosingTheFontsOwnSizeOrFaceStillAppliesIt()
    {
        MainWindowFixture fixture;
        fixture.show();
        TCustomRichEdit& editor = fixture.editor();
        auto* sizes = fixture.form().findChild<TFontSizeComboBox*>(QStringLiteral("FontSize"));
        const int fontSize = editor.font()->size();
        QVERIFY(editor.defaultAttributes()->size() != fontSize); // new text starts smaller
        const int item = sizes->findText(QString::number(fontSize));
        QVERIFY(item >= 0);
        sizes->setCurrentIndex(item);
        Q_EMIT sizes->activated(item);
        QCOMPARE(editor.defaultAttributes()->size(), fontSize);

        // The face: chosen once, new text is given another, then the same face is chosen again.
        auto* names = fixture.form().findChild<TFontNameComboBox*>(QStringLiteral("FontName"));
        names->setCurrentIndex(0);
        Q_EMIT names->activated(0);
        const QString face = editor.font()->name();
        QCOMPARE(face, names->itemText(0));
        editor.defaultAttributes()->setName(face == QStringLiteral("Courier New") ? QStringLiteral("Arial")
                                                                                  : QStringLiteral("Courier New"));
        Q_EMIT names->activated(0);
        QCOMPARE(editor.defaultAttributes()->name(), face);
    }
};

QTEST_MAIN(TestFormatting)
#include "tst_formatting.moc"
