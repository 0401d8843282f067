// Building windows from layouts and reading layouts again onto existing windows.

#include "ScriptedDialogs.h"
#include "framework/ComponentRegistry.h"
#include "framework/EventBindings.h"
#include "framework/LayoutParser.h"
#include "framework/LayoutReader.h"
#include "framework/TForm.h"
#include "framework/TLabel.h"
#include "framework/TStatusBar.h"

#include <QTest>

namespace {
QStringList g_log;
}

// A control that records the order in which its properties are set and its after-load step runs.
class TRecorder : public QWidget {
    Q_OBJECT
    Q_PROPERTY(int First READ first WRITE setFirst)
    Q_PROPERTY(int Second READ second WRITE setSecond)
    Q_PROPERTY(QString Text READ text WRITE setText)
    Q_PROPERTY(QStringList Items READ items WRITE setItems)
    Q_PROPERTY(TMode Mode READ mode WRITE setMode)
    Q_PROPERTY(TOptions Options READ options WRITE setOptions)
    Q_PROPERTY(quint32 Color READ color WRITE setColor)

public:
    enum TMode { mdOne, mdTwo };
    Q_ENUM(TMode)
    enum TOption { opA = 1, opB = 2, opC = 4 };
    Q_DECLARE_FLAGS(TOptions, TOption)
    Q_FLAG(TOptions)

    explicit TRecorder(QWidget* parent = nullptr) : QWidget(parent) {}

    int first() const { return m_first; }
    void setFirst(int v) { m_first = v, record("First"); }
    int second() const { return m_second; }
    void setSecond(int v) { m_second = v, record("Second"); }
    QString text() const { return m_text; }
    void setText(const QString& v) { m_text = v, record("Text"); }
    QStringList items() const { return m_items; }
    void setItems(const QStringList& v) { m_items = v, record("Items"); }
    TMode mode() const { return m_mode; }
    void setMode(TMode v) { m_mode = v, record("Mode"); }
    TOptions options() const { return m_options; }
    void setOptions(TOptions v) { m_options = v, record("Options"); }
    quint32 color() const { return m_color; }
    void setColor(quint32 v) { m_color = v, record("Color"); }

    Q_INVOKABLE void Loaded() { record("Loaded"); }
    void fire() { Q_EMIT OnClick(this); }

Q_SIGNALS:
    void OnClick(QObject* Sender);

private:
    void record(const char* what) { g_log.append(objectName() + u'.' + QLatin1String(what)); }

    int m_first = 0;
    int m_second = 0;
    QString m_text;
    QStringList m_items;
    TMode m_mode = mdOne;
    TOptions m_options;
    quint32 m_color = 0;
};

class TTestWindow : public TForm {
    Q_OBJECT
public:
    using TForm::TForm;
    QStringList handled;

public Q_SLOTS:
    void FirstHandler(QObject* sender) { handled.append(QStringLiteral("first:") + sender->objectName()); }
    void SecondHandler(QObject* sender) { handled.append(QStringLiteral("second:") + sender->objectName()); }
    void WrongParameters(int) {}
    void Loaded() { g_log.append(QStringLiteral("window.Loaded")); }
};

class TestLayoutReader : public QObject {
    Q_OBJECT

private:
    static void read(TTestWindow& window, const QString& text,
                     LayoutReader::Mode mode = LayoutReader::Mode::Create)
    {
        LayoutReader::read(window, LayoutParser::parse(text, QStringLiteral("Test.layout")), mode,
                           QStringLiteral("Test.layout"));
    }

    static QString failureOf(const QString& text, LayoutReader::Mode mode = LayoutReader::Mode::Create,
                             TTestWindow* existing = nullptr)
    {
        TTestWindow fresh;
        try {
            read(existing ? *existing : fresh, text, mode);
        } catch (const AppError& error) {
            return error.message();
        }
        return QString();
    }

private Q_SLOTS:
    void initTestCase() { ComponentRegistry::add<TRecorder>(QStringLiteral("TRecorder")); }
    void init() { g_log.clear(); }

    void createsComponentsAndSetsPropertiesInLayoutOrder()
    {
        TTestWindow window;
        read(window, QStringLiteral(R"(
object TestWindow : TTestWindow
  Caption = "Hello"
  object A : TRecorder
    Second = 2
    First = 1
    object Inner : TRecorder
      Text = "in\tside"
    end
  end
  object B : TRecorder
    Left = 10
    Top = 20
    Width = 30
    Height = 40
    Mode = mdTwo
    Options = [opA, opC]
    Color = clMaroon
    Items = ("x", "y")
  end
end)"));
        QCOMPARE(window.caption(), QStringLiteral("Hello"));
        QCOMPARE(g_log, QStringList({"A.Second", "A.First", "Inner.Text", "B.Mode", "B.Options", "B.Color",
                                     "B.Items", "window.Loaded", "Inner.Loaded", "A.Loaded", "B.Loaded"}));
        auto* inner = window.findChild<TRecorder*>(QStringLiteral("Inner"));
        QVERIFY(inner);
        QCOMPARE(inner->parent()->objectName(), QStringLiteral("A"));
        QCOMPARE(inner->text(), QStringLiteral("in\tside"));
        auto* b = window.findChild<TRecorder*>(QStringLiteral("B"));
        QCOMPARE(b->geometry(), QRect(10, 20, 30, 40));
        QCOMPARE(b->mode(), TRecorder::mdTwo);
        QCOMPARE(b->options(), TRecorder::TOptions(TRecorder::opA | TRecorder::opC));
        QCOMPARE(b->color(), 0x000080u);
        QCOMPARE(b->items(), QStringList({"x", "y"}));
    }

    void bindsHandlersByNameAndRereadReplacesThem()
    {
        TTestWindow window;
        read(window, QStringLiteral("object W : TTestWindow\n object A : TRecorder\n  OnClick = FirstHandler\n end\nend"));
        auto* a = window.findChild<TRecorder*>(QStringLiteral("A"));
        a->fire();
        QCOMPARE(window.handled, QStringList({"first:A"}));

        read(window, QStringLiteral("object W : TTestWindow\n object A : TRecorder\n  OnClick = SecondHandler\n end\nend"),
             LayoutReader::Mode::Reread);
        window.handled.clear();
        a->fire();
        QCOMPARE(window.handled, QStringList({"second:A"}));
        QCOMPARE(EventBindings::boundHandler(a, QStringLiteral("OnClick")), QStringLiteral("SecondHandler"));
    }

    void rereadKeepsUnstoredStateRebuildsListsAndRunsAfterLoadAgain()
    {
        ComponentRegistry::add<TStatusBar>(QStringLiteral("TStatusBar"));
        TTestWindow window;
        const QString layout = QStringLiteral(R"(
object W : TTestWindow
  object A : TRecorder
    First = 1
  end
  object Bar : TStatusBar
    Panels = (
      item Width = 120 end
      item Width = 60 Alignment = taCenter end
    )
  end
end)");
        read(window, layout);
        auto* a = window.findChild<TRecorder*>(QStringLiteral("A"));
        auto* bar = window.findChild<TStatusBar*>(QStringLiteral("Bar"));
        a->setSecond(7);
        a->setFirst(5);
        bar->panels()->item(0)->setText(QStringLiteral("run-time text"));
        g_log.clear();

        read(window, layout, LayoutReader::Mode::Reread);
        QCOMPARE(window.findChildren<TRecorder*>().size(), 1);
        QCOMPARE(a->first(), 1);  // stored in the layout: assigned again
        QCOMPARE(a->second(), 7); // not stored: kept
        QCOMPARE(bar->panels()->count(), 2);
        QCOMPARE(bar->panels()->item(0)->text(), QString()); // the list was rebuilt
        QCOMPARE(bar->panels()->item(1)->alignment(), TStatusPanel::taCenter);
        QCOMPARE(g_log, QStringList({"A.First", "window.Loaded", "A.Loaded"}));
    }

    void rereadOfAnUnknownNameFails()
    {
        TTestWindow window;
        read(window, QStringLiteral("object W : TTestWindow\n object A : TRecorder\n end\nend"));
        QCOMPARE(failureOf(QStringLiteral("object W : TTestWindow\n object Missing : TRecorder\n end\nend"),
                           LayoutReader::Mode::Reread, &window),
                 QStringLiteral("Ancestor for 'Missing' not found"));
    }

    void refusesBadLayoutsNamingFileAndLine_data()
    {
        QTest::addColumn<QString>("layout");
        QTest::addColumn<QString>("message");
        QTest::newRow("missing end") << "object W : TTestWindow\n object A : TRecorder\n" << "Test.layout:3: missing 'end' of 'A'";
        QTest::newRow("unknown class") << "object W : TTestWindow\n\n object A : TNoSuchThing\n end\nend"
                                       << "Test.layout:3: unknown class 'TNoSuchThing' of component 'A'";
        QTest::newRow("unknown property") << "object W : TTestWindow\n object A : TRecorder\n  Colour = 1\n end\nend"
                                          << "Test.layout:3: A (TRecorder): unknown property 'Colour'";
        QTest::newRow("wrong value type") << "object W : TTestWindow\n object A : TRecorder\n  First = \"one\"\n end\nend"
                                          << "Test.layout:3: A (TRecorder): cannot assign \"one\" to 'First'";
        QTest::newRow("unknown enum key") << "object W : TTestWindow\n object A : TRecorder\n  Mode = mdThree\n end\nend"
                                          << "Test.layout:3: A (TRecorder): 'mdThree' is not a value of 'Mode'";
        QTest::newRow("enum number out of range") << "object W : TTestWindow\n object A : TRecorder\n  Mode = 292\n end\nend"
                                                  << "Test.layout:3: A (TRecorder): 292 is not a value of 'Mode'";
        QTest::newRow("flags with an unknown bit") << "object W : TTestWindow\n object A : TRecorder\n  Options = 9\n end\nend"
                                                   << "Test.layout:3: A (TRecorder): 9 is not a value of 'Options'";
        QTest::newRow("unknown handler") << "object W : TTestWindow\n object A : TRecorder\n  OnClick = Nowhere\n end\nend"
                                         << "Test.layout:3: A (TRecorder): no handler 'Nowhere' for OnClick";
        QTest::newRow("handler with other parameters")
            << "object W : TTestWindow\n object A : TRecorder\n  OnClick = WrongParameters\n end\nend"
            << "Test.layout:3: A (TRecorder): handler 'WrongParameters' does not take the parameters of OnClick "
               "(OnClick(QObject*))";
        QTest::newRow("unterminated string") << "object W : TTestWindow\n Caption = \"abc\nend" << "Test.layout:2: unterminated string";
        QTest::newRow("garbage") << "\x01\x02" << "Test.layout:1: expected 'object'";
        QTest::newRow("duplicate name") << "object W : TTestWindow\n object A : TRecorder\n end\n object A : TRecorder\n end\nend"
                                        << "Test.layout:4: a component named 'A' exists already";
        QTest::newRow("missing file") << "object W : TTestWindow\n Icon = file \"art/none.png\"\nend"
                                      << "Test.layout:2: W (TTestWindow): file \"art/none.png\" not found in the resources";
        QTest::newRow("text after end") << "object W : TTestWindow\nend\nend" << "Test.layout:3: text after the final 'end'";
    }

    void refusesBadLayoutsNamingFileAndLine()
    {
        QFETCH(QString, layout);
        QFETCH(QString, message);
        QCOMPARE(failureOf(layout), message);
    }

    void deepNestingIsRefusedNotOverflowed()
    {
        QString layout = QStringLiteral("object W : TTestWindow\n");
        for (int i = 0; i < 100000; ++i)
            layout += QStringLiteral("object A%1 : TRecorder\n").arg(i);
        QVERIFY(failureOf(layout).contains(QStringLiteral("components nested too deeply")));
    }

    void labelsTakeFontsThroughDottedNames()
    {
        TTestWindow window;
        read(window, QStringLiteral(R"(
object W : TTestWindow
  object L : TLabel
    Caption = "Homepage"
    Font.Name = "Courier"
    Font.Height = -13
    Font.Color = clWhite
    Font.Style = [fsUnderline]
    Hint = "a hint"
    ShowHint = true
    Tag = 1033
  end
end)"));
        auto* label = window.findChild<TLabel*>(QStringLiteral("L"));
        QCOMPARE(label->font()->name(), QStringLiteral("Courier"));
        QCOMPARE(label->font()->height(), -13);
        QCOMPARE(label->font()->color(), 0xFFFFFFu);
        QCOMPARE(label->font()->style(), TFont::TFontStyles(TFont::fsUnderline));
        QVERIFY(!label->parentFont());
        QCOMPARE(label->toolTip(), QStringLiteral("a hint"));
        QCOMPARE(label->property("Tag").toInt(), 1033);
    }
};

QTEST_MAIN(TestLayoutReader)
#include "tst_layoutreader.moc"
