// The file commands through the real window and the scripted dialogs.

#include "MainWindowFixture.h"
#include "framework/TSaveDialog.h"
#include "richtext/TCustomRichEdit.h"
#include "richtext/TRichEditStrings.h"

#include <QDir>
#include <QFile>
#include <QTest>

using Answer = DialogService::Answer;

namespace {
const QByteArray Existing = "{\\rtf1\\ansi existing}";

ScriptedDialogs::FileAnswer chosen(const QString& file)
{
    return {true, file, false};
}
} // namespace

class TestFileCommands : public QObject {
    Q_OBJECT

private:
    // A window whose untitled document has unsaved work.
    static void makeModified(MainWindowFixture& fixture)
    {
        fixture.show();
        fixture.type(QStringLiteral("work"));
        QVERIFY(fixture.editor().modified());
    }

    static void runCommand(MainWindowFixture& fixture, const QString& command)
    {
        if (command == QLatin1String("new"))
            QTest::keyClick(&fixture.editor(), Qt::Key_N, Qt::ControlModifier);
        else if (command == QLatin1String("open"))
            QTest::keyClick(&fixture.editor(), Qt::Key_O, Qt::ControlModifier);
        else if (command == QLatin1String("exit"))
            QTest::keyClick(&fixture.editor(), Qt::Key_X, Qt::AltModifier);
    }

private Q_SLOTS:
    void initTestCase()
    {
        // No scheduler answers here: the machine has no printer at all.
        qputenv("CUPS_SERVER", QDir::temp().filePath(QStringLiteral("lumaro-no-scheduler.sock")).toLocal8Bit());
    }

    void printWithoutAnyPrinterFailsBeforeTheDialog()
    {
        MainWindowFixture fixture;
        fixture.show();
        fixture.dialogs().printAnswers = {true};
        QTest::keyClick(&fixture.editor(), Qt::Key_P, Qt::ControlModifier);
        QCOMPARE(fixture.dialogs().asked, QStringList{"error"});
        QCOMPARE(fixture.dialogs().errors, QStringList{"There is no default printer currently selected."});
    }

    // Every command that discards the document asks first; Cancel, and Yes without a save,
    // keep the work; No discards it; Yes with a save keeps it in the file.
    void saveChangesPromptPerCommand_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("saveDialogConfirms");
        QTest::addColumn<bool>("workKept");
        QTest::addColumn<QStringList>("asked");
        for (const QString& command : {QStringLiteral("new"), QStringLiteral("open"), QStringLiteral("exit")}) {
            const QString next = command == QLatin1String("open") ? command : QString();
            auto row = [&](const QString& name) -> QTestData& {
                return QTest::newRow(qPrintable(command + QStringLiteral(", ") + name)) << command;
            };
            row(QStringLiteral("cancel")) << int(Answer::Cancel) << false << true << QStringList{"confirm"};
            row(QStringLiteral("yes, save as cancelled")) << int(Answer::Yes) << false << true << QStringList{"confirm", "save"};
            QStringList saved{"confirm", "save"};
            if (!next.isEmpty())
                saved.append(next);
            row(QStringLiteral("yes, saved")) << int(Answer::Yes) << true << false << saved;
            QStringList discarded{"confirm"};
            if (!next.isEmpty())
                discarded.append(next);
            row(QStringLiteral("no")) << int(Answer::No) << false << false << discarded;
        }
    }

    void saveChangesPromptPerCommand()
    {
        QFETCH(QString, command);
        QFETCH(int, answer);
        QFETCH(bool, saveDialogConfirms);
        QFETCH(bool, workKept);
        QFETCH(QStringList, asked);
        MainWindowFixture fixture;
        makeModified(fixture);
        const QString target = fixture.path(QStringLiteral("saved.rtf"));
        const QString opened = fixture.path(QStringLiteral("other.txt"));
        MainWindowFixture::writeFile(opened, "other");
        fixture.dialogs().confirmAnswers = {Answer(answer)};
        if (saveDialogConfirms)
            fixture.dialogs().saveAnswers = {chosen(target)};
        fixture.dialogs().openAnswers = {chosen(opened)};

        runCommand(fixture, command);
        fixture.waitForLoad();

        QCOMPARE(fixture.dialogs().asked, asked);
        QCOMPARE(fixture.dialogs().confirmTexts.value(0), QStringLiteral("Save changes to Untitled?"));
        QVERIFY(fixture.dialogs().errors.isEmpty());
        if (command == QLatin1String("exit"))
            QCOMPARE(fixture.form().isVisible(), workKept);
        else if (workKept)
            QCOMPARE(fixture.documentText(), QStringLiteral("work"));
        else
            QCOMPARE(fixture.documentText(), command == QLatin1String("open") ? QStringLiteral("other") : QString());
        if (saveDialogConfirms)
            QVERIFY(MainWindowFixture::readFile(target).contains("work"));
        else
            QVERIFY(!QFile::exists(target));
    }

    void unmodifiedDocumentsAreNotAskedAbout()
    {
        MainWindowFixture fixture;
        fixture.show();
        QTest::keyClick(&fixture.editor(), Qt::Key_N, Qt::ControlModifier);
        QVERIFY(fixture.dialogs().asked.isEmpty());
        QTest::keyClick(&fixture.editor(), Qt::Key_X, Qt::AltModifier);
        QVERIFY(!fixture.form().isVisible());
    }

    void saveOfANewDocumentOpensSaveAsWithItsSettings()
    {
        MainWindowFixture fixture;
        makeModified(fixture);
        fixture.dialogs().saveAnswers = {chosen(fixture.path(QStringLiteral("first.rtf")))};
        QTest::keyClick(&fixture.editor(), Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(fixture.dialogs().asked, QStringList{"save"});
        QCOMPARE(fixture.dialogs().lastSaveFileName, QStringLiteral("Text"));
        QCOMPARE(fixture.dialogs().lastSaveFilter, QStringLiteral("*.rtf|*.rtf"));
        QCOMPARE(fixture.dialogs().lastSaveDefaultExt, QStringLiteral("*.rtf"));
        QCOMPARE(fixture.dialogs().lastSaveInitialDir, fixture.documentsFolder());
        QCOMPARE(fixture.form().windowTitle(), QStringLiteral("first.rtf - LumaroStyle Notepad"));
        QCOMPARE(fixture.panelText(1), QString());

        // The dialog offers the name last chosen in it, not the document's.
        QTest::keyClick(&fixture.editor(), Qt::Key_N, Qt::ControlModifier);
        fixture.type(QStringLiteral("again"));
        QTest::keyClick(&fixture.editor(), Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(fixture.dialogs().lastSaveFileName, fixture.path(QStringLiteral("first.rtf")));
    }

    void aDocumentNamedUntitledIsTreatedAsUnnamed()
    {
        MainWindowFixture fixture({QStringLiteral("Untitled")});
        MainWindowFixture::writeFile(fixture.path(QStringLiteral("Untitled")), "plain");
        fixture.show();
        QCOMPARE(fixture.form().documentName(), QStringLiteral("Untitled"));
        QCOMPARE(fixture.documentText(), QStringLiteral("plain"));
        fixture.type(QStringLiteral("x"));
        QTest::keyClick(&fixture.editor(), Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(fixture.dialogs().asked, QStringList{"save"});
        QCOMPARE(MainWindowFixture::readFile(fixture.path(QStringLiteral("Untitled"))), QByteArray("plain"));
    }

    void aTextDocumentIsSavedAsTextUntilSavedAsRichText()
    {
        const QByteArray original("\xFF\xFE" "a\0\xE9\0\r\0\n\0b\0", 12); // UTF-16, "aé", CR LF, "b"
        MainWindowFixture fixture;
        const QString notes = fixture.path(QStringLiteral("notes.txt"));
        MainWindowFixture::writeFile(notes, original);
        fixture.show();
        fixture.form().OpenDocument(notes);
        fixture.waitForLoad();
        QCOMPARE(fixture.documentText(), QString::fromUtf8("aé\nb"));
        QTest::keyClick(&fixture.editor(), Qt::Key_End, Qt::ControlModifier);
        fixture.type(QStringLiteral("c"));
        QTest::keyClick(&fixture.editor(), Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(MainWindowFixture::readFile(notes), original + QByteArray("c\0", 2));
        QVERIFY(!fixture.editor().modified());

        // Save As writes rich text; so do the saves after it.
        const QString rich = fixture.path(QStringLiteral("notes.rtf"));
        fixture.dialogs().saveAnswers = {chosen(rich)};
        QMetaObject::invokeMethod(&fixture.form(), "FileSaveAs", Q_ARG(QObject*, nullptr));
        QVERIFY(MainWindowFixture::readFile(rich).startsWith("{\\rtf1"));
        fixture.type(QStringLiteral("d"));
        QTest::keyClick(&fixture.editor(), Qt::Key_S, Qt::ControlModifier);
        QVERIFY(MainWindowFixture::readFile(rich).startsWith("{\\rtf1"));

        // A new document is a rich-text one whatever was open before.
        fixture.form().OpenDocument(notes);
        fixture.waitForLoad();
        QTest::keyClick(&fixture.editor(), Qt::Key_N, Qt::ControlModifier);
        QVERIFY(!fixture.editor().lines()->plainTextFormat());
    }

    // The file dialogs start where the work is: the current document's folder, else the folder
    // a file was last chosen in, else the documents folder; never the program's folder.
    void fileDialogsStartInTheFolderOfTheWork()
    {
        MainWindowFixture fixture({QStringLiteral("letters/first.rtf")});
        QVERIFY(QDir().mkpath(fixture.path(QStringLiteral("letters"))));
        MainWindowFixture::writeFile(fixture.path(QStringLiteral("letters/first.rtf")), Existing);
        fixture.show();
        fixture.dialogs().openAnswers = {ScriptedDialogs::FileAnswer{}};
        QMetaObject::invokeMethod(&fixture.form(), "FileOpen", Q_ARG(QObject*, nullptr));
        // A document named on the command line relative to the current folder.
        QCOMPARE(fixture.dialogs().lastOpenInitialDir, fixture.path(QStringLiteral("letters")));

        QVERIFY(QDir().mkpath(fixture.path(QStringLiteral("drafts"))));
        fixture.dialogs().saveAnswers = {chosen(fixture.path(QStringLiteral("drafts/copy.rtf")))};
        QMetaObject::invokeMethod(&fixture.form(), "FileSaveAs", Q_ARG(QObject*, nullptr));
        QCOMPARE(fixture.dialogs().lastSaveInitialDir, fixture.path(QStringLiteral("letters")));

        // A new document: the folder last used.
        QMetaObject::invokeMethod(&fixture.form(), "FileNew", Q_ARG(QObject*, nullptr));
        fixture.dialogs().openAnswers = {ScriptedDialogs::FileAnswer{}};
        QMetaObject::invokeMethod(&fixture.form(), "FileOpen", Q_ARG(QObject*, nullptr));
        QCOMPARE(fixture.dialogs().lastOpenInitialDir, fixture.path(QStringLiteral("drafts")));

        MainWindowFixture fresh;
        fresh.show();
        fresh.dialogs().openAnswers = {ScriptedDialogs::FileAnswer{}};
        QMetaObject::invokeMethod(&fresh.form(), "FileOpen", Q_ARG(QObject*, nullptr));
        QCOMPARE(fresh.dialogs().lastOpenInitialDir, fresh.documentsFolder());
    }

    void saveAsOntoAnExistingFileAnsweredNoWritesNothing()
    {
        MainWindowFixture fixture;
        makeModified(fixture);
        const QString existing = fixture.path(QStringLiteral("existing.rtf"));
        MainWindowFixture::writeFile(existing, Existing);
        fixture.dialogs().saveAnswers = {chosen(existing)};
        fixture.dialogs().confirmAnswers = {Answer::No};
        QMetaObject::invokeMethod(&fixture.form(), "FileSaveAs", Q_ARG(QObject*, nullptr));
        QCOMPARE(fixture.dialogs().confirmTexts, QStringList{QStringLiteral("OK to overwrite %1").arg(existing)});
        QCOMPARE(MainWindowFixture::readFile(existing), Existing);
        QCOMPARE(fixture.form().windowTitle(), QStringLiteral("Untitled - LumaroStyle Notepad"));
        QCOMPARE(fixture.panelText(1), QStringLiteral("Modified"));
    }

    void exitWithASaveThatCannotBeCreatedStaysOpenAndSaysWhy()
    {
        MainWindowFixture fixture;
        makeModified(fixture);
        const QString impossible = fixture.path(QStringLiteral("no-such-folder/doc.rtf"));
        fixture.dialogs().confirmAnswers = {Answer::Yes};
        fixture.dialogs().saveAnswers = {chosen(impossible)};
        QTest::keyClick(&fixture.editor(), Qt::Key_X, Qt::AltModifier);
        QVERIFY(fixture.form().isVisible());
        QCOMPARE(fixture.dialogs().errors, QStringList{QStringLiteral("Cannot create file %1: No such file or directory.").arg(impossible)});
        QCOMPARE(fixture.documentText(), QStringLiteral("work"));
        QVERIFY(fixture.editor().modified());
    }

    void openingThroughTheDialogMakesTheDocumentEditable()
    {
        MainWindowFixture fixture;
        fixture.show();
        fixture.editor().setReadOnly(true);
        const QString file = fixture.path(QStringLiteral("a.rtf"));
        MainWindowFixture::writeFile(file, Existing);
        fixture.dialogs().openAnswers = {chosen(file)};
        QTest::keyClick(&fixture.editor(), Qt::Key_O, Qt::ControlModifier);
        fixture.waitForLoad();
        QCOMPARE(fixture.dialogs().lastOpenInitialDir, fixture.documentsFolder());
        QVERIFY(fixture.dialogs().lastOpenFilter.startsWith(QStringLiteral("All Files|*.*|*.txt|*.TXT|")));
        QVERIFY(!fixture.editor().readOnly());
        QCOMPARE(fixture.documentText(), QStringLiteral("existing"));
        QCOMPARE(fixture.form().windowTitle(), QStringLiteral("a.rtf - LumaroStyle Notepad"));
    }

    void aFailedOpenLeavesTheDocumentAndItsName()
    {
        MainWindowFixture fixture;
        makeModified(fixture);
        fixture.dialogs().confirmAnswers = {Answer::No};
        fixture.dialogs().openAnswers = {chosen(fixture.path(QStringLiteral("gone.rtf")))};
        QTest::keyClick(&fixture.editor(), Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(fixture.dialogs().errors,
                 QStringList{QStringLiteral("Cannot open file %1.").arg(fixture.path(QStringLiteral("gone.rtf")))});
        QCOMPARE(fixture.documentText(), QStringLiteral("work"));
        QCOMPARE(fixture.form().documentName(), QStringLiteral("Untitled"));
        QCOMPARE(fixture.panelText(1), QStringLiteral("Modified"));
    }
};

QTEST_MAIN(TestFileCommands)
#include "tst_filecommands.moc"
