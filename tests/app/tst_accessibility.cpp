// What assistive technology and the keyboard reach on the real main window: names,
// descriptions, roles and states through QAccessible; the Tab round; the style shortcuts; and
// clicks that leave the focus in the editor.

#include "MainWindowFixture.h"
#include "controls/TLumaroLButton.h"
#include "controls/TOwnerCheck.h"
#include "framework/LayoutParser.h"
#include "framework/LayoutReader.h"
#include "framework/ResourceModule.h"
#include "richtext/TCustomRichEdit.h"
#include "richtext/TTextAttributes.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QTest>

namespace {
QAccessibleInterface* accessible(MainWindowFixture& fixture, const QString& name)
{
    auto* widget = fixture.form().findChild<QWidget*>(name);
    return widget ? QAccessible::queryAccessibleInterface(widget) : nullptr;
}

QWidget* focused()
{
    return QApplication::focusWidget();
}
} // namespace

class TestAccessibility : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Every control a user works with has a role, a name and a description in the language in
    // force: the picture buttons after the command they run.
    void namesRolesAndDescriptions_data()
    {
        QTest::addColumn<QString>("component");
        QTest::addColumn<int>("role");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("description");
        using R = QAccessible::Role;
        QTest::newRow("new") << "LumaroLButton1" << int(R::Button) << "New"
                             << "Create a new file";
        QTest::newRow("save picture runs Save As") << "LumaroLButton3" << int(R::Button) << "Save As"
                                                   << "Save current file under a new name";
        QTest::newRow("exit") << "LumaroLButton9" << int(R::Button) << "Exit"
                              << "Exit this application";
        QTest::newRow("font dialog: an action without a hint")
            << "LumaroLButton10" << int(R::Button) << "Font"
            << "Choose the font of the selected text";
        QTest::newRow("about: no action, no hint") << "LumaroLButton12" << int(R::Button) << "About"
                                                   << "About LumaroStyle Notepad";
        QTest::newRow("world times: its own hint") << "LumaroLButton14" << int(R::Button) << "World Times"
                                                   << "The local times of the world's cities";
        QTest::newRow("delete") << "LumaroLButton11" << int(R::Button) << "Delete Selected"
                                << "Delete the selected text";
        QTest::newRow("bold: its label's hint") << "BoldButton" << int(R::CheckBox) << "Bold"
                                                << "Bold characters (Ctrl+B)";
        QTest::newRow("bullets") << "BulletsButton" << int(R::CheckBox) << "Bullets"
                                 << "Bulleted paragraphs";
        QTest::newRow("editor") << "Editor" << int(R::EditableText) << "Document"
                                << "The text of the document";
        QTest::newRow("font name") << "FontName" << int(R::ComboBox) << "Font name"
                                   << "The face of the selected text";
        QTest::newRow("a marker of the ruler")
            << "LeftInd" << int(R::Indicator) << "Left indent"
            << "The indents of the paragraph: drag the markers to change them";
        QTest::newRow("font size") << "FontSize" << int(R::ComboBox) << "Font size"
                                   << "The size of the selected text in points";
        QTest::newRow("ruler") << "Ruler" << int(R::Grouping) << "Ruler"
                               << "The indents of the paragraph: drag the markers to change them";
    }

    void namesRolesAndDescriptions()
    {
        QFETCH(QString, component);
        QFETCH(int, role);
        QFETCH(QString, name);
        QFETCH(QString, description);
        MainWindowFixture fixture;
        fixture.show();
        QAccessibleInterface* interface = accessible(fixture, component);
        QVERIFY(interface && interface->isValid());
        QCOMPARE(int(interface->role()), role);
        // On Linux Qt names a combo box by its value and gives its name through the label
        // related to it, as screen readers there expect.
        QString named = interface->text(QAccessible::Name);
        for (const auto& [label, relation] : interface->relations(QAccessible::Label))
            named = label->text(QAccessible::Name);
        QCOMPARE(named, name);
        QCOMPARE(interface->text(QAccessible::Description), description);
    }

    // None of the picture buttons or check boxes is left unnamed, and no two share a name.
    void everyButtonAndBoxHasItsOwnName()
    {
        MainWindowFixture fixture;
        fixture.show();
        QStringList names;
        QList<QWidget*> controls;
        for (QWidget* w : fixture.form().findChildren<TLumaroLButton*>())
            controls << w;
        for (QWidget* w : fixture.form().findChildren<TOwnerCheck*>())
            controls << w;
        QCOMPARE(controls.size(), 19);
        for (QWidget* control : controls) {
            const QString name = QAccessible::queryAccessibleInterface(control)->text(QAccessible::Name);
            QVERIFY2(!name.isEmpty(), qPrintable(control->objectName()));
            QVERIFY2(!names.contains(name), qPrintable(name));
            names << name;
        }
    }

    // A check box tells its state, and pressing or toggling through assistive technology runs
    // the command as a click does.
    void statesAndActions()
    {
        MainWindowFixture fixture;
        fixture.show();
        fixture.type(QStringLiteral("text"));
        fixture.editor().SelectAll();
        QAccessibleInterface* bold = accessible(fixture, QStringLiteral("BoldButton"));
        QVERIFY(bold->state().checkable);
        QVERIFY(!bold->state().checked);
        bold->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
        QVERIFY(bold->state().checked);
        QVERIFY(fixture.editor().selectionAttributes()->style().testFlag(TFont::fsBold));

        fixture.editor().setSelStart(0);
        fixture.editor().setSelLength(0);
        QAccessibleInterface* selectAll = accessible(fixture, QStringLiteral("LumaroLButton13"));
        QCOMPARE(selectAll->actionInterface()->actionNames(),
                 QStringList{QAccessibleActionInterface::pressAction()});
        selectAll->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(fixture.editor().selLength(), 4);
    }

    // The names come from the layout and the string table in force: reading the layout again
    // with other captions and hints, as a switch of language does, renames the controls.
    void namesFollowTheLanguage()
    {
        MainWindowFixture fixture;
        fixture.show();
        QString layout =
            QString::fromUtf8(ResourceModule::read(LayoutReader::layoutPath(QStringLiteral("TMainForm"))));
        layout.replace(QStringLiteral("Caption = \"&New\""), QStringLiteral("Caption = \"&Neu\""));
        layout.replace(QStringLiteral("Hint = \"Create a new file\""),
                       QStringLiteral("Hint = \"Neue Datei anlegen\""));
        layout.replace(QStringLiteral("Hint = \"World Times\""), QStringLiteral("Hint = \"Weltzeiten\""));
        layout.replace(QStringLiteral("Hint = \"Bold\""), QStringLiteral("Hint = \"Fett\""));
        LayoutReader::read(fixture.form(), LayoutParser::parse(layout, QStringLiteral("TMainForm.layout")),
                           LayoutReader::Mode::Reread, QStringLiteral("TMainForm.layout"));
        QCOMPARE(accessible(fixture, QStringLiteral("LumaroLButton1"))->text(QAccessible::Name),
                 QStringLiteral("Neu"));
        QCOMPARE(accessible(fixture, QStringLiteral("LumaroLButton1"))->text(QAccessible::Description),
                 QStringLiteral("Neue Datei anlegen"));
        QCOMPARE(accessible(fixture, QStringLiteral("LumaroLButton14"))->text(QAccessible::Name),
                 QStringLiteral("Weltzeiten"));
        QCOMPARE(accessible(fixture, QStringLiteral("BoldButton"))->text(QAccessible::Name),
                 QStringLiteral("Fett"));
    }

    // Tab goes round every visible control in reading order; the hidden ones (the zero-sized
    // alignment button too) are never reached, in either direction.
    void tabGoesRoundTheVisibleControls()
    {
        MainWindowFixture fixture;
        fixture.show();
        QTRY_COMPARE(focused(), static_cast<QWidget*>(&fixture.editor()));
        QTest::keyClick(&fixture.editor(), Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(focused()->objectName(), QStringLiteral("LumaroLButton1"));
        QStringList forward{focused()->objectName()};
        while (focused() != &fixture.editor() && forward.size() < 40) {
            QTest::keyClick(focused(), Qt::Key_Tab);
            QWidget* at = focused();
            // A picker's own text field stands for the picker.
            while (at && at->objectName().isEmpty())
                at = at->parentWidget();
            forward << at->objectName();
        }
        const QStringList expected{"LumaroLButton1",  "LumaroLButton2", "LumaroLButton3",  "LumaroLButton4",
                                   "FontName",        "FontSize",       "LumaroLButton10", "LumaroLButton15",
                                   "LumaroLButton14", "LumaroLButton9", "LumaroLButton12", "LumaroLButton8",
                                   "LumaroLButton7",  "LumaroLButton6", "LumaroLButton5",  "LumaroLButton13",
                                   "LumaroLButton11", "BoldButton",     "UnderlineButton", "ItalicButton",
                                   "BulletsButton",   "Editor"};
        QCOMPARE(forward, expected);

        // Backwards from the editor, the same round the other way; never the alignment buttons.
        QStringList backward;
        for (int i = 0; i < int(expected.size()); ++i) {
            QTest::keyClick(focused(), Qt::Key_Backtab, Qt::ShiftModifier);
            QWidget* at = focused();
            while (at && at->objectName().isEmpty())
                at = at->parentWidget();
            backward.prepend(at->objectName());
        }
        QCOMPARE(backward, QStringList{QStringLiteral("Editor")} + expected.mid(0, expected.size() - 1));
        QVERIFY(!fixture.form().findChild<QWidget*>(QStringLiteral("CenterAlign"))->hasFocus());
    }

    // The keyboard presses a picture button (Space, Enter) and toggles a check box (Space);
    // each shows where the focus is.
    void theKeyboardPressesButtonsAndBoxes()
    {
        MainWindowFixture fixture;
        fixture.show();
        fixture.type(QStringLiteral("abc"));
        auto* selectAll = fixture.form().findChild<TLumaroLButton*>(QStringLiteral("LumaroLButton13"));
        auto* italic = fixture.form().findChild<TOwnerCheck*>(QStringLiteral("ItalicButton"));
        const QImage buttonUnfocused = selectAll->grab().toImage();
        const QImage boxUnfocused = italic->grab().toImage();
        selectAll->setFocus(Qt::TabFocusReason);
        QVERIFY(selectAll->grab().toImage() != buttonUnfocused);
        QTest::keyClick(selectAll, Qt::Key_Space);
        QCOMPARE(fixture.editor().selLength(), 3);
        fixture.editor().setSelLength(0);
        QTest::keyClick(selectAll, Qt::Key_Return);
        QCOMPARE(fixture.editor().selLength(), 3);

        italic->setFocus(Qt::TabFocusReason);
        QVERIFY(italic->grab().toImage() != boxUnfocused);
        QTest::keyClick(italic, Qt::Key_Space);
        QVERIFY(italic->checked());
        QVERIFY(fixture.editor().selectionAttributes()->style().testFlag(TFont::fsItalic));
    }

    // Ctrl+B, Ctrl+I and Ctrl+U toggle their boxes, which format the selection.
    void styleShortcuts_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("box");
        QTest::addColumn<int>("style");
        QTest::newRow("Ctrl+B") << int(Qt::Key_B) << "BoldButton" << int(TFont::fsBold);
        QTest::newRow("Ctrl+I") << int(Qt::Key_I) << "ItalicButton" << int(TFont::fsItalic);
        QTest::newRow("Ctrl+U") << int(Qt::Key_U) << "UnderlineButton" << int(TFont::fsUnderline);
    }

    void styleShortcuts()
    {
        QFETCH(int, key);
        QFETCH(QString, box);
        QFETCH(int, style);
        MainWindowFixture fixture;
        fixture.show();
        fixture.type(QStringLiteral("word"));
        fixture.editor().SelectAll();
        QTest::keyClick(&fixture.editor(), Qt::Key(key), Qt::ControlModifier);
        QVERIFY(fixture.form().findChild<TOwnerCheck*>(box)->checked());
        QVERIFY(fixture.editor().selectionAttributes()->style().testFlag(TFont::TFontStyle(style)));
        QCOMPARE(fixture.documentText(), QStringLiteral("word"));
        QTest::keyClick(&fixture.editor(), Qt::Key(key), Qt::ControlModifier);
        QVERIFY(!fixture.editor().selectionAttributes()->style().testFlag(TFont::TFontStyle(style)));
    }

    // A click on a picture button or a check box runs it and leaves the focus in the editor,
    // so typing goes on where it was.
    void clicksLeaveTheFocusInTheEditor()
    {
        MainWindowFixture fixture;
        fixture.show();
        QTRY_COMPARE(focused(), static_cast<QWidget*>(&fixture.editor()));
        fixture.type(QStringLiteral("ab"));
        auto* bold = fixture.form().findChild<TOwnerCheck*>(QStringLiteral("BoldButton"));
        QTest::mouseClick(bold, Qt::LeftButton, Qt::NoModifier, QPoint(6, 6));
        QVERIFY(bold->checked());
        QCOMPARE(focused(), static_cast<QWidget*>(&fixture.editor()));
        QVERIFY(!bold->hasFocusMark());
        auto* selectAll = fixture.form().findChild<TLumaroLButton*>(QStringLiteral("LumaroLButton13"));
        QTest::mouseClick(selectAll, Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
        QCOMPARE(fixture.editor().selLength(), 2);
        QCOMPARE(focused(), static_cast<QWidget*>(&fixture.editor()));
        QTest::keyClick(focused(), Qt::Key_End);
        QTest::keyClicks(focused(), QStringLiteral("c"));
        QCOMPARE(fixture.documentText(), QStringLiteral("abc"));
    }
};

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
