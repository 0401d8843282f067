// The font-size picker: its list of sizes, the size it shows, typing and leaving the box.

#include "PickerFixtures.h"
#include "ScriptedDialogs.h"
#include "fontpickers/IntegerText.h"
#include "fontpickers/TFontNameComboBox.h"
#include "fontpickers/TFontSizeComboBox.h"
#include "framework/AppError.h"

#include <QAbstractItemView>
#include <QDialog>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace PickerFixtures;
using Device = FontEnumerator::Device;

namespace {
const QStringList Standard = {"8",  "9",  "10", "11", "12", "14", "16", "18",
                              "20", "22", "24", "26", "28", "36", "48", "72"};

QStringList entries(const TFontSizeComboBox& picker)
{
    QStringList list;
    for (int i = 0; i < picker.count(); ++i)
        list.append(picker.itemText(i));
    return list;
}

// A size picker for the family in a window with another control to move the focus to.
struct SizeBox {
    explicit SizeBox(const QString& family = QStringLiteral("Arial"))
    {
        picker = new TFontSizeComboBox(&window);
        other = new QLineEdit(&window);
        other->move(0, 40);
        picker->setFontName(family);
        window.show();
        window.activateWindow();
        if (!QTest::qWaitForWindowActive(&window))
            qFatal("the test window did not become active");
        picker->setFocus();
    }

    void leave() { other->setFocus(); }

    QWidget window;
    TFontSizeComboBox* picker;
    QLineEdit* other;
};
} // namespace

class TestFontSizeComboBox : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void sizeListOfAFamily_data()
    {
        QTest::addColumn<QString>("screen");
        QTest::addColumn<QString>("printer");
        QTest::addColumn<bool>("printerInstalled");
        QTest::addColumn<QString>("family");
        QTest::addColumn<QStringList>("sizes");
        QTest::addColumn<QString>("text");

        QTest::newRow("TrueType family, standard sizes once for all its styles")
            << "Arial:4;Arial:4;Arial:4"
            << "" << true << "Arial" << Standard << "10";
        QTest::newRow("vector family") << "Modern:0"
                                       << "" << true << "Modern" << Standard << "10";
        QTest::newRow("device family") << "Roman:2"
                                       << "" << true << "Roman" << Standard << "10";
        QTest::newRow("raster device family is raster") << "Roman:3:18"
                                                        << "" << true << "Roman" << QStringList{"14"} << "10";
        // 96 pixels per inch: 16-3 = 13 px is 9.75 pt, 14 px 10.5, 18 px 13.5, 20 px 15.
        QTest::newRow("raster sizes rounded to even, ascending, each once")
            << "Fixed:1:18;Fixed:1:16:3;Fixed:1:20;Fixed:1:14;Fixed:1:13"
            << "" << true << "Fixed" << QStringList{"10", "14", "15"} << "10";
        QTest::newRow("raster size of two styles listed once")
            << "Fixed:1:13;Fixed:1:13;Fixed:1:9"
            << "" << true << "Fixed" << QStringList{"7", "10"} << "10";
        QTest::newRow("family found by name whatever its case") << "Arial:4"
                                                                << "" << true << "ARIAL" << Standard << "10";
        QTest::newRow("screen's family preferred to the printer's")
            << "Fixed:1:13"
            << "Fixed:4" << true << "Fixed" << QStringList{"10"} << "10";
        QTest::newRow("unknown to the screen, the printer's sizes")
            << "Arial:4"
            << "Courier:1:50" << true << "Courier" << QStringList{"12"} << "10";
        QTest::newRow("unknown anywhere: empty list, default size shown")
            << "Arial:4"
            << "" << true << "Courier" << QStringList{} << "10";
        QTest::newRow("unknown and no printer: the same, without an error")
            << "Arial:4"
            << "Courier:4" << false << "Courier" << QStringList{} << "10";
        const QString longName = QString(300, u'F');
        QTest::newRow("family name beyond 255 characters used whole")
            << (longName + ":1:13;" + longName.left(255) + ":1:18") << "" << true << longName
            << QStringList{"10"} << "10";
        QTest::newRow("no family: no sizes, no text") << "Arial:4"
                                                      << "" << true << "" << QStringList{} << "";
    }

    void sizeListOfAFamily()
    {
        QFETCH(QString, screen);
        QFETCH(QString, printer);
        QFETCH(bool, printerInstalled);
        QFETCH(QString, family);
        QFETCH(QStringList, sizes);
        QFETCH(QString, text);
        ScopedFonts fonts(faces(screen), faces(printer));
        fonts.fonts.setPrinterInstalled(printerInstalled);
        fonts.fonts.setPixelsPerInch(Device::Printer, 300); // 50 px at 300 dpi is 12 pt
        ScriptedDialogs::Scope dialogs;
        TFontSizeComboBox picker;
        picker.setFontName(QStringLiteral("Other"));
        picker.setFontName(family);
        QCOMPARE(entries(picker), sizes);
        QCOMPARE(picker.text(), text);
        QCOMPARE(picker.currentIndex(), picker.findText(text));
        picker.Loaded();
        QCOMPARE(entries(picker), sizes);
        QCOMPARE(picker.text(), text);
        QCOMPARE(picker.currentIndex(), -1);
        QCOMPARE(dialogs->errors, QStringList());
    }

    void rasterSizeAtOtherResolutions_data()
    {
        QTest::addColumn<int>("characterHeight");
        QTest::addColumn<int>("pixelsPerInch");
        QTest::addColumn<int>("points");
        QTest::newRow("120 dpi, 12.6") << 21 << 120 << 13;
        QTest::newRow("120 dpi, 10.5 to even") << 35 << 240 << 10;
        QTest::newRow("72 dpi exact") << 11 << 72 << 11;
        QTest::newRow("300 dpi, 12.5 to even") << 52 << 300 << 12;
        QTest::newRow("300 dpi, 11.5 to even") << 48 << 300 << 12;
    }

    void rasterSizeAtOtherResolutions()
    {
        QFETCH(int, characterHeight);
        QFETCH(int, pixelsPerInch);
        QFETCH(int, points);
        QCOMPARE(
            TFontSizeComboBox::rasterPointSize(raster(QStringLiteral("F"), characterHeight), pixelsPerInch),
            points);
    }

    void typedDigitsChangeTheSizeAtEachKey()
    {
        ScopedFonts fonts(faces("Arial:4"));
        SizeBox box;
        box.picker->lineEdit()->clear();
        EventLog log(*box.picker);
        QList<int> sizes;
        connect(box.picker, &TPickerComboBox::OnChange, [&] { sizes.append(box.picker->CurrentSize()); });
        QTest::keyClick(box.picker, Qt::Key_1);
        QTest::keyClick(box.picker, Qt::Key_4);
        QCOMPARE(sizes, (QList<int>{1, 14}));
        QCOMPARE(log.take(), (QStringList{"OnChange:1", "OnChange:14"}));
    }

    void deletingTheTextThenLeavingShowsTheDefault()
    {
        ScopedFonts fonts(faces("Arial:4"));
        SizeBox box;
        QCOMPARE(box.picker->text(), QStringLiteral("10"));
        QList<int> sizes;
        connect(box.picker, &TPickerComboBox::OnChange, [&] { sizes.append(box.picker->CurrentSize()); });
        QTest::keyClick(box.picker, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(box.picker, Qt::Key_Backspace);
        QCOMPARE(sizes, QList<int>{-1});
        box.leave();
        QCOMPARE(sizes, (QList<int>{-1, 10}));
        QCOMPARE(box.picker->text(), QStringLiteral("10"));
        QCOMPARE(box.picker->currentIndex(), 2);
    }

    void leavingTheBoxNormalisesTheText_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("entry");
        QTest::addColumn<QString>("error");
        QTest::newRow("0 is out of range") << "0"
                                           << "10" << 2 << "";
        QTest::newRow("-5 is out of range") << "-5"
                                            << "10" << 2 << "";
        QTest::newRow("1000 is out of range") << "1000"
                                              << "10" << 2 << "";
        QTest::newRow("999 is kept, without an entry") << "999"
                                                       << "999" << -1 << "";
        QTest::newRow("12 selects its entry") << "12"
                                              << "12" << 4 << "";
        QTest::newRow("+12 becomes 12") << "+12"
                                        << "12" << 4 << "";
        QTest::newRow("012 becomes 12") << "012"
                                        << "12" << 4 << "";
        // A refused text stays as it is, and so does the entry selected before.
        QTest::newRow("a lone plus is no integer") << "+"
                                                   << "+" << 2 << "'+' is not a valid integer value.";
        QTest::newRow("a lone minus is no integer") << "-"
                                                    << "-" << 2 << "'-' is not a valid integer value.";
        QTest::newRow("a sign between digits") << "1-2"
                                               << "1-2" << 2 << "'1-2' is not a valid integer value.";
    }

    void leavingTheBoxNormalisesTheText()
    {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(int, entry);
        QFETCH(QString, error);
        ScopedFonts fonts(faces("Arial:4"));
        ScriptedDialogs::Scope dialogs;
        SizeBox box;
        box.picker->lineEdit()->clear();
        QTest::keyClicks(box.picker, typed);
        QCOMPARE(box.picker->text(), typed);
        EventLog log(*box.picker);
        box.leave();
        QCOMPARE(box.picker->text(), shown);
        QCOMPARE(box.picker->currentIndex(), entry);
        QCOMPARE(dialogs->errors, error.isEmpty() ? QStringList() : QStringList{error});
        QCOMPARE(log.entries, error.isEmpty() ? QStringList{"OnChange:" + shown} : QStringList());
    }

    void pastedTextIsNotFilteredButRefusedOnLeaving()
    {
        ScopedFonts fonts(faces("Arial:4"));
        ScriptedDialogs::Scope dialogs;
        SizeBox box;
        box.picker->lineEdit()->setText(QStringLiteral("12pt"));
        box.leave();
        QCOMPARE(dialogs->errors, QStringList{"'12pt' is not a valid integer value."});
        QCOMPARE(box.picker->text(), QStringLiteral("12pt"));
        QCOMPARE(box.picker->CurrentSize(), -1);
    }

    void keyFilter_data()
    {
        QTest::addColumn<QString>("family");
        QTest::addColumn<bool>("editor");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("beeps");
        QTest::addColumn<QString>("text");
        QTest::newRow("digit") << "Arial" << true << int(Qt::Key_5) << 0 << "105";
        QTest::newRow("plus") << "Arial" << true << int(Qt::Key_Plus) << 0 << "10+";
        QTest::newRow("minus") << "Arial" << true << int(Qt::Key_Minus) << 0 << "10-";
        QTest::newRow("backspace") << "Arial" << true << int(Qt::Key_Backspace) << 0 << "1";
        QTest::newRow("letter beeps") << "Arial" << true << int(Qt::Key_A) << 1 << "10";
        QTest::newRow("period beeps") << "Arial" << true << int(Qt::Key_Period) << 1 << "10";
        QTest::newRow("blank beeps") << "Arial" << true << int(Qt::Key_Space) << 1 << "10";
        QTest::newRow("enter neither beeps nor edits") << "Arial" << true << int(Qt::Key_Return) << 0 << "10";
        QTest::newRow("delete is no character") << "Arial" << true << int(Qt::Key_Delete) << 0 << "10";
        QTest::newRow("without a family a digit beeps") << "" << true << int(Qt::Key_5) << 1 << "";
        QTest::newRow("without a family backspace beeps") << "" << true << int(Qt::Key_Backspace) << 1 << "";
        QTest::newRow("without editor a digit beeps") << "Arial" << false << int(Qt::Key_5) << 1 << "10";
    }

    void keyFilter()
    {
        QFETCH(QString, family);
        QFETCH(bool, editor);
        QFETCH(int, key);
        QFETCH(int, beeps);
        QFETCH(QString, text);
        ScopedFonts fonts(faces("Arial:4"));
        SizeBox box(family);
        box.picker->setEditorEnabled(editor);
        if (!editor)
            box.picker->SelectSize(10);
        EventLog log(*box.picker);
        BeepCounter beep;
        int enters = 0;
        if (box.picker->lineEdit())
            connect(box.picker->lineEdit(), &QLineEdit::returnPressed, [&] { ++enters; });
        QTest::keyClick(box.picker, Qt::Key(key));
        QCOMPARE(beep.count, beeps);
        QCOMPARE(box.picker->text(), text);
        QCOMPARE(log.entries.isEmpty(), beeps > 0 || key == Qt::Key_Return || key == Qt::Key_Delete);
        QCOMPARE(enters, 0); // Enter goes to the window only
    }

    void enterAndEscapeReachTheDialog_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("result");
        QTest::newRow("enter presses the default button") << int(Qt::Key_Return) << int(QDialog::Accepted);
        QTest::newRow("escape cancels") << int(Qt::Key_Escape) << int(QDialog::Rejected);
    }

    void enterAndEscapeReachTheDialog()
    {
        QFETCH(int, key);
        QFETCH(int, result);
        ScopedFonts fonts(faces("Arial:4"));
        QDialog dialog;
        auto* picker = new TFontSizeComboBox(&dialog);
        picker->setFontName(QStringLiteral("Arial"));
        auto* ok = new QPushButton(QStringLiteral("OK"), &dialog);
        ok->move(0, 40);
        ok->setDefault(true);
        int accepted = 0;
        int rejected = 0;
        connect(&dialog, &QDialog::accepted, [&] { ++accepted; });
        connect(&dialog, &QDialog::rejected, [&] { ++rejected; });
        connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
        dialog.show();
        dialog.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        picker->setFocus();
        QTest::keyClick(picker, Qt::Key(key));
        QCOMPARE(dialog.result(), result);
        QCOMPARE(accepted + rejected, 1);
        QCOMPARE(picker->text(), QStringLiteral("10"));
    }

    void pickingAnEntryRaisesClickChangeSelectOnce()
    {
        ScopedFonts fonts(faces("Arial:4"));
        SizeBox box;
        EventLog log(*box.picker);
        QTest::keyClick(box.picker, Qt::Key_Down);
        QCOMPARE(log.take(), (QStringList{"OnClick:11", "OnChange:11", "OnSelect:11"}));
        box.leave();
        QCOMPARE(log.take(), QStringList{"OnChange:11"});
    }

    void openListStartsAtTheShownSize()
    {
        ScopedFonts fonts(faces("Arial:4"));
        SizeBox box;
        box.picker->Loaded();
        box.picker->lineEdit()->setText(QStringLiteral("2"));
        box.picker->showPopup();
        QCOMPARE(box.picker->view()->currentIndex().row(), 8); // "20"
        QCOMPARE(box.picker->currentIndex(), -1);
        QCOMPARE(box.picker->text(), QStringLiteral("2"));
        box.picker->hidePopup();
    }

    void fontNameChange_data()
    {
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("family");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<int>("changes");
        QTest::newRow("the same family changes nothing") << "12"
                                                         << "Arial"
                                                         << "12" << 0;
        QTest::newRow("the same family typed in another case lists again") << "12"
                                                                           << "arial"
                                                                           << "12" << 1;
        QTest::newRow("another family keeps a valid size") << "12"
                                                           << "Fixed"
                                                           << "12" << 1;
        QTest::newRow("another family shows the default for an invalid one") << "1000"
                                                                             << "Fixed"
                                                                             << "10" << 1;
        QTest::newRow("another family shows the default for no size") << ""
                                                                      << "Fixed"
                                                                      << "10" << 1;
    }

    void fontNameChange()
    {
        QFETCH(QString, shown);
        QFETCH(QString, family);
        QFETCH(QString, expected);
        QFETCH(int, changes);
        ScopedFonts fonts(faces("Arial:4;Fixed:1:13;Fixed:1:18"));
        TFontSizeComboBox picker;
        picker.setFontName(QStringLiteral("Arial"));
        picker.lineEdit()->setText(shown);
        const int queries = fonts.fonts.queries(Device::Screen);
        EventLog log(picker);
        picker.setFontName(family);
        QCOMPARE(picker.text(), expected);
        QCOMPARE(log.entries.size(), changes);
        QCOMPARE(fonts.fonts.queries(Device::Screen) == queries, changes == 0);
    }

    void nearestSize_data()
    {
        QTest::addColumn<QString>("screen");
        QTest::addColumn<bool>("printerInstalled");
        QTest::addColumn<int>("requested");
        QTest::addColumn<int>("shown");
        QTest::newRow("scalable keeps the size") << "Fixed:4" << true << 13 << 13;
        QTest::newRow("raster nearest above") << "Fixed:1:13;Fixed:1:18" << true << 13 << 14;
        QTest::newRow("raster tie keeps the earlier report") << "Fixed:1:18;Fixed:1:13" << true << 12 << 14;
        QTest::newRow("raster out of range uses the default's nearest")
            << "Fixed:1:18;Fixed:1:32" << true << 0 << 14;
        QTest::newRow("family found nowhere shows 0") << "Arial:4" << true << 12 << 0;
        QTest::newRow("and without a printer the same") << "Arial:4" << false << 12 << 0;
    }

    void nearestSize()
    {
        QFETCH(QString, screen);
        QFETCH(bool, printerInstalled);
        QFETCH(int, requested);
        QFETCH(int, shown);
        ScopedFonts fonts(faces(screen));
        fonts.fonts.setPrinterInstalled(printerInstalled);
        TFontSizeComboBox picker;
        picker.setUseNearestSize(true);
        picker.setFontName(QStringLiteral("Fixed"));
        picker.SelectSize(requested);
        QCOMPARE(picker.text(), QString::number(shown));
    }

    void failureWhileSelectingClearsTheSelection()
    {
        // An enumerator that fails on the screen too, as a broken font service would.
        struct Failing : ListFontEnumerator {
            bool failing = false;
            QList<FontFace> familyFonts(Device d, const QString& family) const override
            {
                if (failing)
                    throw AppError(QStringLiteral("font service gone"));
                return ListFontEnumerator::familyFonts(d, family);
            }
        } fonts;
        fonts.setFaces(Device::Screen, faces("Fixed:1:13"));
        FontEnumerator* previous = FontEnumerator::install(&fonts);
        {
            TFontSizeComboBox picker;
            picker.setUseNearestSize(true);
            picker.setFontName(QStringLiteral("Fixed"));
            QCOMPARE(picker.currentIndex(), 0);
            EventLog log(picker);
            fonts.failing = true;
            picker.SelectSize(10);
            QCOMPARE(picker.currentIndex(), -1);
            QCOMPARE(log.entries, QStringList());
        }
        FontEnumerator::install(previous);
    }

    void linkedNamePickerSetsTheFamily()
    {
        ScopedFonts fonts(faces("Arial:4;Fixed:1:13;Fixed:1:18"));
        TFontNameComboBox names;
        names.Loaded();
        auto size = std::make_unique<TFontSizeComboBox>();
        size->setFontCombo(&names);
        QCOMPARE(size->fontCombo(), &names);
        names.SelectFontName(QStringLiteral("Fixed"));
        QCOMPARE(size->fontName(), QStringLiteral("Fixed"));
        QCOMPARE(entries(*size), (QStringList{"10", "14"}));
        QCOMPARE(size->text(), QStringLiteral("10"));

        TFontNameComboBox others;
        others.Loaded();
        size->setFontCombo(&others);
        names.SelectFontName(QStringLiteral("Arial"));
        QCOMPARE(size->fontName(), QStringLiteral("Fixed")); // the first picker is no longer linked

        // A second size picker linked to the same names takes the link over; the first one,
        // destroyed, leaves it in place.
        TFontSizeComboBox second;
        size->setFontCombo(&names);
        second.setFontCombo(&names);
        size.reset();
        names.SelectFontName(QStringLiteral("Fixed"));
        QCOMPARE(second.fontName(), QStringLiteral("Fixed"));
        others.SelectFontName(QStringLiteral("Arial")); // nothing is left of the destroyed picker
        QCOMPARE(others.text(), QStringLiteral("Arial"));
    }

    void desktopFontChangeListsTheSizesAgain()
    {
        ScopedFonts fonts(faces("Fixed:1:13"));
        TFontSizeComboBox picker;
        picker.setFontName(QStringLiteral("Fixed"));
        picker.lineEdit()->setText(QStringLiteral("12"));
        fonts.fonts.setFaces(Device::Screen, faces("Fixed:1:13;Fixed:1:16"));
        Q_EMIT qGuiApp->fontDatabaseChanged();
        QCOMPARE(entries(picker), (QStringList{"10", "12"}));
        QCOMPARE(picker.text(), QStringLiteral("12"));
    }

    void integerFromText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<int>("value");
        QTest::newRow("digits") << "12" << true << 12;
        QTest::newRow("leading blanks") << "  12" << true << 12;
        QTest::newRow("plus") << "+12" << true << 12;
        QTest::newRow("minus") << "-5" << true << -5;
        QTest::newRow("leading zero") << "012" << true << 12;
        QTest::newRow("dollar hexadecimal") << "$1F" << true << 31;
        QTest::newRow("0x hexadecimal") << "0x1f" << true << 31;
        QTest::newRow("negative hexadecimal") << "-$10" << true << -16;
        QTest::newRow("32 hexadecimal bits") << "$FFFFFFFF" << true << -1;
        QTest::newRow("largest") << "2147483647" << true << 2147483647;
        QTest::newRow("smallest") << "-2147483648" << true << int(-2147483647 - 1);
        QTest::newRow("beyond 32 bits") << "2147483648" << false << 0;
        QTest::newRow("hexadecimal beyond 32 bits") << "$100000000" << false << 0;
        QTest::newRow("many digits") << "99999999999999999999999" << false << 0;
        QTest::newRow("empty") << "" << false << 0;
        QTest::newRow("blanks only") << "  " << false << 0;
        QTest::newRow("lone sign") << "-" << false << 0;
        QTest::newRow("prefix without digits") << "0x" << false << 0;
        QTest::newRow("trailing blank") << "12 " << false << 0;
        QTest::newRow("sign between digits") << "1-2" << false << 0;
        QTest::newRow("decimal point") << "1.5" << false << 0;
        QTest::newRow("hexadecimal letter without prefix") << "1F" << false << 0;
        QTest::newRow("non-ASCII digit") << QString::fromUtf8("\u0663") << false << 0;
    }

    void integerFromText()
    {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QFETCH(int, value);
        const std::optional<qint32> result = ::integerFromText(text);
        QCOMPARE(result.has_value(), valid);
        if (valid)
            QCOMPARE(*result, value);
    }
};

QTEST_MAIN(TestFontSizeComboBox)
#include "tst_fontsizecombobox.moc"
