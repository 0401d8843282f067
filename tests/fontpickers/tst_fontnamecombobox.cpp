// The font-name picker: filling its list, selecting names, its events and its after-load step.

#include "PickerFixtures.h"
#include "ScriptedDialogs.h"
#include "fontpickers/FontPickerClasses.h"
#include "fontpickers/TFontNameComboBox.h"
#include "fontpickers/TFontSizeComboBox.h"
#include "framework/ComponentRegistry.h"
#include "framework/LayoutParser.h"
#include "framework/LayoutReader.h"
#include "framework/TForm.h"

#include <QAbstractItemView>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QLabel>
#include <QTest>

using namespace PickerFixtures;
using Options = TFontNameComboBox::TFontNameOptions;

namespace {
const QString StandardFaces = QStringLiteral("Arial:4;Courier:1:13;Modern:0;Symbol:4");

// The list as "name:tag" items.
QStringList entries(const TFontNameComboBox& picker)
{
    QStringList list;
    for (int i = 0; i < picker.count(); ++i)
        list.append(picker.itemText(i) + u':' + QString::number(picker.fontType(i)));
    return list;
}
} // namespace

// A window with the main window's handlers for the pickers.
class TPickerWindow : public TForm {
    Q_OBJECT
public:
    using TForm::TForm;
    QStringList handled;

public Q_SLOTS:
    void FontNameSelect(QObject*) { handled.append(QStringLiteral("FontNameSelect")); }
    void FontSizeComboBoxChange(QObject*) { handled.append(QStringLiteral("FontSizeComboBoxChange")); }
};

class TestFontNameComboBox : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        registerFontPickerClasses();
        ComponentRegistry::add<TPickerWindow>(QStringLiteral("TPickerWindow"));
    }

    void fillListsEachFaceOnceSortedAndTagged_data()
    {
        QTest::addColumn<QString>("screen");
        QTest::addColumn<QString>("printer");
        QTest::addColumn<bool>("printerInstalled");
        QTest::addColumn<int>("options");
        QTest::addColumn<QStringList>("expected");
        const int screen = TFontNameComboBox::foScreenFonts;
        const int printer = TFontNameComboBox::foPrinterFonts;
        const int trueTypeOnly = TFontNameComboBox::foTrueTypeOnly;

        QTest::newRow("face reported twice listed once")
            << "Arial:4;Courier:1;Arial:4"
            << "" << true << screen << QStringList{"Arial:4", "Courier:1"};
        QTest::newRow("names differing in case are one face, first report wins")
            << "Courier:1;COURIER:4;courier:0"
            << "" << true << screen << QStringList{"Courier:1"};
        QTest::newRow("sorted without regard to case")
            << "zapf:4;Book:4;arial:4;Courier:1"
            << "" << true << screen << QStringList{"arial:4", "Book:4", "Courier:1", "zapf:4"};
        QTest::newRow("TrueType only drops raster, vector and device faces")
            << "Arial:4;Courier:1;Modern:0"
            << "Roman:2;Arial:6" << true << (screen | printer | trueTypeOnly) << QStringList{"Arial:4"};
        QTest::newRow("neither screen nor printer lists nothing")
            << StandardFaces << "Roman:2" << true << 0 << QStringList{};
        QTest::newRow("printer faces added, a shared face keeps the screen's tag")
            << "Arial:4"
            << "Arial:2;Roman:2" << true << (screen | printer) << QStringList{"Arial:4", "Roman:2"};
        QTest::newRow("printer alone") << "Arial:4"
                                       << "Roman:2" << true << printer << QStringList{"Roman:2"};
        QTest::newRow("missing printer ignored")
            << "Arial:4"
            << "Roman:2" << false << (screen | printer) << QStringList{"Arial:4"};
        const QString longName = QString(300, u'L');
        QTest::newRow("name beyond the platform's 31 characters kept whole")
            << (longName + ":4") << "" << true << screen << QStringList{longName + ":4"};
    }

    void fillListsEachFaceOnceSortedAndTagged()
    {
        QFETCH(QString, screen);
        QFETCH(QString, printer);
        QFETCH(bool, printerInstalled);
        QFETCH(int, options);
        QFETCH(QStringList, expected);
        ScopedFonts fonts(faces(screen), faces(printer));
        fonts.fonts.setPrinterInstalled(printerInstalled);
        TFontNameComboBox picker;
        picker.setOptions(Options(options));
        picker.Loaded();
        QCOMPARE(entries(picker), expected);
        QCOMPARE(picker.currentIndex(), -1);
        QCOMPARE(picker.text(), QString());
    }

    void selectFontName_data()
    {
        QTest::addColumn<QString>("selected");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("changes");
        QTest::newRow("other case selects the entry") << ""
                                                      << "arial"
                                                      << "Arial" << 1;
        QTest::newRow("the name shown exactly changes nothing") << "Arial"
                                                                << "Arial"
                                                                << "Arial" << 0;
        QTest::newRow("the name shown in another case selects again") << "Arial"
                                                                      << "arial"
                                                                      << "Arial" << 1;
        QTest::newRow("unknown name clears the selection") << "Arial"
                                                           << "Helvetica"
                                                           << "" << 1;
        QTest::newRow("empty name with nothing shown changes nothing") << ""
                                                                       << ""
                                                                       << "" << 0;
        QTest::newRow("empty name clears") << "Symbol"
                                           << ""
                                           << "" << 1;
    }

    void selectFontName()
    {
        QFETCH(QString, selected);
        QFETCH(QString, name);
        QFETCH(QString, text);
        QFETCH(int, changes);
        ScopedFonts fonts(faces(StandardFaces));
        TFontNameComboBox picker;
        picker.Loaded();
        picker.setCurrentIndex(picker.findText(selected));
        QStringList hook;
        picker.setChangeHook(this, [&] { hook.append(picker.text()); });
        EventLog log(picker);

        picker.SelectFontName(name);

        QCOMPARE(picker.text(), text);
        QCOMPARE(picker.currentIndex(), picker.findText(text));
        QCOMPARE(log.entries, QStringList(changes, QStringLiteral("OnChange:") + text));
        QCOMPARE(hook, QStringList(changes, text));
    }

    void userSelectionRaisesClickChangeSelectInOrder()
    {
        ScopedFonts fonts(faces(StandardFaces));
        TFontNameComboBox picker;
        picker.Loaded();
        picker.SelectFontName(QStringLiteral("Courier"));
        QStringList order;
        picker.setChangeHook(this, [&] { order.append(QStringLiteral("hook:") + picker.text()); });
        connect(&picker, &TPickerComboBox::OnClick,
                [&] { order.append(QStringLiteral("OnClick:") + picker.text()); });
        connect(&picker, &TPickerComboBox::OnChange,
                [&] { order.append(QStringLiteral("OnChange:") + picker.text()); });
        connect(&picker, &TPickerComboBox::OnSelect,
                [&] { order.append(QStringLiteral("OnSelect:") + picker.text()); });

        QTest::keyClick(&picker, Qt::Key_Down); // the arrow in the closed box
        QCOMPARE(order, (QStringList{"OnClick:Modern", "hook:Modern", "OnChange:Modern", "OnSelect:Modern"}));
        order.clear();

        QTest::keyClick(&picker, Qt::Key_A); // a typed letter finds the face
        QCOMPARE(order, (QStringList{"OnClick:Arial", "hook:Arial", "OnChange:Arial", "OnSelect:Arial"}));
    }

    void clickInTheOpenListSelects()
    {
        ScopedFonts fonts(faces(StandardFaces));
        QWidget window;
        auto* picker = new TFontNameComboBox(&window);
        picker->Loaded();
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        EventLog log(*picker);
        picker->showPopup();
        QAbstractItemView* list = picker->view();
        QVERIFY(QTest::qWaitForWindowExposed(list->window()));
        const QRect symbol = list->visualRect(list->model()->index(3, 0));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, symbol.center());
        QCOMPARE(log.entries, (QStringList{"OnClick:Symbol", "OnChange:Symbol", "OnSelect:Symbol"}));
        QVERIFY(!list->isVisible());
    }

    void openListShowsAtMostDropDownCountEntries_data()
    {
        QTest::addColumn<int>("faces");
        QTest::addColumn<int>("dropDownCount");
        QTest::addColumn<int>("rows");
        QTest::newRow("more faces than the count") << 20 << 14 << 14;
        QTest::newRow("fewer faces than the count") << 3 << 14 << 3;
        QTest::newRow("count below one shows one") << 5 << 0 << 1;
    }

    void openListShowsAtMostDropDownCountEntries()
    {
        QFETCH(int, faces);
        QFETCH(int, dropDownCount);
        QFETCH(int, rows);
        QList<FontFace> list;
        for (int i = 0; i < faces; ++i)
            list.append(trueType(QStringLiteral("Face %1").arg(i, 2, 10, QLatin1Char('0'))));
        ScopedFonts fonts(list);
        QWidget window;
        auto* picker = new TFontNameComboBox(&window);
        picker->setDropDownCount(dropDownCount);
        picker->Loaded();
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        picker->showPopup();
        QAbstractItemView* view = picker->view();
        QVERIFY(view->isVisible());
        QCOMPARE(view->viewport()->height() / picker->itemHeight(), rows);
        // The list drops below the box rather than over it.
        QVERIFY(view->window()->geometry().top() >= picker->mapToGlobal(QPoint(0, picker->height() - 1)).y());
        picker->hidePopup();
    }

    void optionsChangeRefillsAndSelectsTheNameAgain()
    {
        ScopedFonts fonts(faces(StandardFaces));
        TFontNameComboBox picker;
        picker.Loaded();
        picker.SelectFontName(QStringLiteral("Courier"));
        EventLog log(picker);
        const int queries = fonts.fonts.queries(FontEnumerator::Device::Screen);

        picker.setOptions(picker.options());
        QCOMPARE(fonts.fonts.queries(FontEnumerator::Device::Screen), queries); // the same options do nothing

        picker.setOptions(picker.options() | TFontNameComboBox::foDisplayFont);
        QCOMPARE(picker.text(), QStringLiteral("Courier"));
        QCOMPARE(log.take(), QStringList{"OnChange:Courier"});

        picker.setOptions(picker.options() | TFontNameComboBox::foTrueTypeOnly);
        QCOMPARE(entries(picker), (QStringList{"Arial:4", "Symbol:4"}));
        QCOMPARE(picker.text(), QString());
        QCOMPARE(log.take(), QStringList{"OnChange:"});
    }

    void plainAddTakesItsSortedPlaceUntagged()
    {
        ScopedFonts fonts(faces(StandardFaces));
        TFontNameComboBox picker;
        picker.Loaded();
        QCOMPARE(picker.addName(QStringLiteral("bodoni")), 1);
        QCOMPARE(picker.currentIndex(), -1); // adding selects nothing
        picker.SelectFontName(QStringLiteral("Modern"));
        QCOMPARE(picker.addName(QStringLiteral("Arial")), 1); // duplicates are the adder's business
        QCOMPARE(entries(picker),
                 (QStringList{"Arial:4", "Arial:0", "bodoni:0", "Courier:1", "Modern:0", "Symbol:4"}));
        QCOMPARE(picker.text(), QStringLiteral("Modern"));
    }

    void desktopFontChangeRefillsKeepingTheName()
    {
        ScopedFonts fonts(faces(StandardFaces));
        TFontNameComboBox picker;
        picker.Loaded();
        picker.SelectFontName(QStringLiteral("Symbol"));
        fonts.fonts.setFaces(FontEnumerator::Device::Screen, faces("Symbol:4;Bodoni:4"));
        Q_EMIT qGuiApp->fontDatabaseChanged();
        QCOMPARE(entries(picker), (QStringList{"Bodoni:4", "Symbol:4"}));
        QCOMPARE(picker.text(), QStringLiteral("Symbol"));
    }

    void fastModeListsUntaggedNamesAndTagsTrueTypeWhenDrawn()
    {
        ScopedFonts fonts(faces("Courier:1;Arial:4;Courier:1"));
        TFontNameComboBox picker;
        picker.setFastMode(true);
        picker.Loaded();
        QCOMPARE(entries(picker), (QStringList{"Arial:0", "Courier:0"}));
        QCOMPARE(picker.drawingType(0), 4);
        QCOMPARE(picker.drawingType(1), 0);
        QCOMPARE(entries(picker), (QStringList{"Arial:4", "Courier:0"}));
    }

    void layoutCreatesAndFillsBothPickers()
    {
        ScopedFonts fonts(faces("Arial:4;Courier:1:13;Courier:1:16"));
        ScriptedDialogs::Scope dialogs;
        TPickerWindow window;
        const QString layout = QStringLiteral(R"(object W : TPickerWindow
  object FontName : TFontNameComboBox
    Left = 267
    Top = 11
    Width = 145
    Height = 20
    DropDownCount = 14
    ExampleText = "Abc"
    ExampleFontSize = 16
    Font.Height = -11
    Font.Name = "Default"
    Options = [foScreenFonts, foDisplayFont, foDisplaySymbol]
    TabOrder = 9
    OnSelect = FontNameSelect
  end
  object FontSize : TFontSizeComboBox
    Left = 427
    Top = 11
    Width = 48
    Height = 21
    Font.Height = -11
    Font.Name = "Default"
    FontName = "Arial"
    TabOrder = 10
    OnChange = FontSizeComboBoxChange
  end
end
)");
        const LayoutObject parsed = LayoutParser::parse(layout, QStringLiteral("Pickers.layout"));
        LayoutReader::read(window, parsed, LayoutReader::Mode::Create, QStringLiteral("Pickers.layout"));
        auto* name = window.component<TFontNameComboBox>(QStringLiteral("FontName"));
        auto* size = window.component<TFontSizeComboBox>(QStringLiteral("FontSize"));

        QCOMPARE(entries(*name), (QStringList{"Arial:4", "Courier:1"}));
        QCOMPARE(name->text(), QString());
        QCOMPARE(name->dropDownCount(), 14);
        QCOMPARE(name->options(),
                 Options(TFontNameComboBox::foScreenFonts | TFontNameComboBox::foDisplayFont |
                         TFontNameComboBox::foDisplaySymbol));
        QCOMPARE(name->itemHeight(), TPickerComboBox::itemHeightFor(QFontMetrics(name->font()).height()));
        QCOMPARE(size->count(), 16);
        QCOMPARE(size->text(), QStringLiteral("10"));
        QCOMPARE(size->currentIndex(), -1);      // the after-load step listed the sizes again
        QCOMPARE(window.handled, QStringList()); // bound after the size was shown
        QCOMPARE(dialogs->errors, QStringList());

        name->SelectFontName(QStringLiteral("Courier"));
        LayoutReader::read(window, parsed, LayoutReader::Mode::Reread, QStringLiteral("Pickers.layout"));
        QCOMPARE(entries(*name), (QStringList{"Arial:4", "Courier:1"}));
        QCOMPARE(name->text(), QString());
        QCOMPARE(size->text(), QStringLiteral("10"));
        QCOMPARE(window.handled, QStringList());

        QTest::keyClick(name, Qt::Key_Down);
        QCOMPARE(window.handled, QStringList{"FontNameSelect"});
    }

    void examplePreviewFollowsTheOpenList()
    {
        ScopedFonts fonts(faces(StandardFaces));
        QWidget window;
        auto* picker = new TFontNameComboBox(&window);
        picker->setShowExample(true);
        picker->setExampleText(QStringLiteral("Abc"));
        picker->Loaded();
        picker->SelectFontName(QStringLiteral("Arial"));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        picker->showPopup();
        QLabel& preview = picker->examplePreview();
        QVERIFY(preview.isVisible());
        QCOMPARE(preview.text(), QStringLiteral("Abc"));
        QCOMPARE(preview.pos(), picker->mapToGlobal(QPoint(picker->width(), 0)));
        picker->hidePopup();
        QVERIFY(!preview.isVisible());
    }
};

QTEST_MAIN(TestFontNameComboBox)
#include "tst_fontnamecombobox.moc"
