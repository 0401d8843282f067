// Documents load while the window goes on working: the window shows before the command-line
// document is read and shows the load's progress; Escape cancels it and leaves the document as
// it was; keys typed meanwhile reach the new document, while the window's commands act at once;
// work done on the shown document during the load is not discarded without asking.

#include "MainWindowFixture.h"
#include "app/LoadIndicator.h"
#include "richtext/TCustomRichEdit.h"

#include <QApplication>
#include <QTest>

using Answer = DialogService::Answer;

namespace {
const QByteArray LetterRtf = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs24 Dear reader}";

LoadIndicator* indicator(MainWindowFixture& fixture)
{
    return fixture.form().findChild<LoadIndicator*>();
}

// The window with its untitled document, and a letter being loaded into it.
void startLoadingTheLetter(MainWindowFixture& fixture)
{
    const QString letter = fixture.path(QStringLiteral("letter.rtf"));
    MainWindowFixture::writeFile(letter, LetterRtf);
    fixture.form().OpenDocument(letter);
    QVERIFY(fixture.form().loading());
}
} // namespace

class TestLoading : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void theWindowShowsBeforeTheCommandLineDocumentIsRead()
    {
        MainWindowFixture fixture({QStringLiteral("letter.rtf")});
        MainWindowFixture::writeFile(fixture.path(QStringLiteral("letter.rtf")), LetterRtf);
        fixture.form().show();
        QVERIFY(fixture.form().loading());
        QCOMPARE(fixture.form().windowTitle(), QStringLiteral("Untitled - LumaroStyle Notepad"));
        QVERIFY(indicator(fixture)->isVisible());
        QVERIFY(indicator(fixture)->text().startsWith(QStringLiteral("Loading letter.rtf: ")));
        QVERIFY(indicator(fixture)->text().endsWith(QStringLiteral("(Esc cancels)")));

        fixture.waitForLoad();
        QCOMPARE(fixture.documentText(), QStringLiteral("Dear reader"));
        QCOMPARE(fixture.form().windowTitle(), QStringLiteral("letter.rtf - LumaroStyle Notepad"));
        QVERIFY(!indicator(fixture)->isVisible());
    }

    void escapeCancelsAndLeavesTheDocumentAsItWas()
    {
        MainWindowFixture fixture;
        fixture.show();
        fixture.type(QStringLiteral("work"));
        startLoadingTheLetter(fixture);
        QTest::keyClick(&fixture.editor(), Qt::Key_Escape);
        fixture.waitForLoad();
        QCOMPARE(fixture.documentText(), QStringLiteral("work"));
        QCOMPARE(fixture.form().documentName(), QStringLiteral("Untitled"));
        QCOMPARE(fixture.panelText(1), QStringLiteral("Modified"));
        QVERIFY(fixture.dialogs().asked.isEmpty());
        QVERIFY(!indicator(fixture)->isVisible());
    }

    void keysTypedDuringTheLoadReachTheNewDocument()
    {
        MainWindowFixture fixture;
        fixture.show();
        startLoadingTheLetter(fixture);
        fixture.type(QStringLiteral("P.S. "));
        QTest::keyClick(&fixture.editor(), Qt::Key_End, Qt::ControlModifier);
        fixture.type(QStringLiteral("!"));
        QCOMPARE(fixture.documentText(), QString());
        fixture.waitForLoad();
        QCOMPARE(fixture.documentText(), QStringLiteral("P.S. Dear reader!"));
        QCOMPARE(fixture.panelText(1), QStringLiteral("Modified"));
    }

    void theWindowsCommandsActAtOnce()
    {
        MainWindowFixture fixture;
        fixture.show();
        startLoadingTheLetter(fixture);
        QTest::keyClick(&fixture.editor(), Qt::Key_X, Qt::AltModifier);
        QVERIFY(!fixture.form().isVisible());
    }

    void workDoneDuringTheLoadIsNotDiscardedUnasked_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("text");
        QTest::newRow("cancel keeps it") << int(Answer::Cancel) << QStringLiteral("dropped text");
        QTest::newRow("no discards it") << int(Answer::No) << QStringLiteral("Dear reader");
    }

    void workDoneDuringTheLoadIsNotDiscardedUnasked()
    {
        QFETCH(int, answer);
        QFETCH(QString, text);
        MainWindowFixture fixture;
        fixture.show();
        startLoadingTheLetter(fixture);
        // Text dropped on the editor (or a command's button) changes the shown document meanwhile.
        fixture.editor().insertPlainText(QStringLiteral("dropped text"));
        fixture.dialogs().confirmAnswers = {Answer(answer)};
        fixture.waitForLoad();
        QCOMPARE(fixture.dialogs().confirmTexts, QStringList{QStringLiteral("Save changes to Untitled?")});
        QCOMPARE(fixture.documentText(), text);
    }
};

QTEST_MAIN(TestLoading)
#include "tst_loading.moc"
