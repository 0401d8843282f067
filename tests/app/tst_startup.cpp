// Start-up of the main window, its caption and status line, the command-line document and
// files dropped on the window.

#include "MainWindowFixture.h"
#include "app/MainProgram.h"
#include "framework/AppError.h"
#include "framework/ResourceModule.h"
#include "framework/StringTable.h"
#include "framework/TApplication.h"
#include "framework/TStatusBar.h"
#include "richtext/TCustomRichEdit.h"
#include "richtext/TRichEditStrings.h"
#include "richtext/TTextAttributes.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QFile>
#include <QMimeData>
#include <QTest>
#include <QTimer>
#include <QUrl>

namespace {
const QByteArray SmallRtf = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs24 Hello {\\b bold} world}";

// Drags data onto target and drops it there, as Qt delivers a drag from the desktop to the
// widget under the pointer.
void dragAndDrop(QWidget& target, const QMimeData& data, const QPoint& at)
{
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&target, &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&target, &drop);
    QVERIFY(drop.isAccepted()); // the drop is finished whatever happened to the file
}

// Drops files as a file manager does: their URLs, and the same as text.
void dropFiles(QWidget& target, const QStringList& files, const QPoint& at = QPoint(400, 300))
{
    QMimeData data;
    QList<QUrl> urls;
    QStringList lines;
    for (const QString& file : files) {
        urls.append(QUrl::fromLocalFile(file));
        lines.append(urls.last().toString());
    }
    data.setUrls(urls);
    data.setText(lines.join(u'\n'));
    dragAndDrop(target, data, at);
}
} // namespace

class TestStartup : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void startsWithAnUntitledDocument()
    {
        MainWindowFixture fixture;
        fixture.show();
        QCOMPARE(fixture.form().windowTitle(), QStringLiteral("Untitled - LumaroStyle Notepad"));
        QCOMPARE(fixture.form().documentName(), QStringLiteral("Untitled"));
        QCOMPARE(fixture.panelText(0), QStringLiteral("Line:   1   Col:   1"));
        QCOMPARE(fixture.panelText(1), QString());
        QVERIFY(!fixture.form().statusBar()->isVisible());
        QCOMPARE(fixture.form().size(), QSize(800, 552));
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(&fixture.editor()));
        QCOMPARE(fixture.editor().defaultAttributes()->name(), QStringLiteral("MS Sans Serif"));
        QCOMPARE(fixture.editor().defaultAttributes()->size(), 8);
        QVERIFY(fixture.dialogs().asked.isEmpty());
    }

    void typingShowsTheModifiedMarkAndTheCaretsDisplayLine()
    {
        MainWindowFixture fixture;
        fixture.show();
        fixture.type(QStringLiteral("abc"));
        QCOMPARE(fixture.panelText(0), QStringLiteral("Line:   1   Col:   4"));
        QCOMPARE(fixture.panelText(1), QStringLiteral("Modified"));
        // A paragraph wrapped over several display lines counts each of them.
        fixture.type(QStringLiteral(" word").repeated(80));
        QVERIFY(fixture.editor().lineFromChar(fixture.editor().selStart()) > 0);
        const int line = fixture.editor().lineFromChar(fixture.editor().selStart());
        QVERIFY(fixture.panelText(0).startsWith(QStringLiteral("Line: %1").arg(line + 1, 3)));
    }

    void opensTheFirstArgumentOnly_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("saved"); // how the saved file starts
        QTest::newRow("rich text") << "letter.rtf" << SmallRtf << "Hello bold world" << QByteArray("{\\rtf1");
        QTest::newRow("plain text") << "notes.txt" << QByteArray("first\r\nsecond") << "first\nsecond"
                                    << QByteArray("Xfirst\r\nsecond");
    }

    void opensTheFirstArgumentOnly()
    {
        QFETCH(QString, file);
        QFETCH(QByteArray, content);
        QFETCH(QString, text);
        QFETCH(QByteArray, saved);
        QTemporaryDir documents;
        const QString second = documents.filePath(QStringLiteral("second.txt"));
        MainWindowFixture::writeFile(second, "not this one");
        MainWindowFixture fixture({file, second});
        MainWindowFixture::writeFile(fixture.path(file), content);
        fixture.show();
        QCOMPARE(fixture.documentText(), text);
        QCOMPARE(fixture.form().documentName(), file); // the argument as typed
        QCOMPARE(fixture.form().windowTitle(), file + QStringLiteral(" - LumaroStyle Notepad"));
        QCOMPARE(fixture.panelText(1), QString());
        QVERIFY(!fixture.editor().modified());

        // Save writes to the same relative name, as the file was written.
        fixture.type(QStringLiteral("X"));
        QTest::keyClick(&fixture.editor(), Qt::Key_S, Qt::ControlModifier);
        QVERIFY(fixture.dialogs().asked.isEmpty());
        QVERIFY(MainWindowFixture::readFile(fixture.path(file)).startsWith(saved));
        QCOMPARE(fixture.panelText(1), QString());
    }

    void skipsAMissingArgumentSilently()
    {
        MainWindowFixture fixture({QStringLiteral("no-such-file.rtf")});
        fixture.show();
        QCOMPARE(fixture.form().documentName(), QStringLiteral("Untitled"));
        QVERIFY(fixture.dialogs().asked.isEmpty());
    }

    void reportsAnArgumentThatCannotBeReadAndGoesOn()
    {
        MainWindowFixture fixture({QStringLiteral("locked.rtf")});
        MainWindowFixture::writeFile(fixture.path(QStringLiteral("locked.rtf")), SmallRtf);
        QFile::setPermissions(fixture.path(QStringLiteral("locked.rtf")), QFileDevice::Permissions());
        if (QFile(fixture.path(QStringLiteral("locked.rtf"))).open(QIODevice::ReadOnly))
            QSKIP("this user can read any file (root)");
        fixture.show();
        QCOMPARE(fixture.dialogs().errors, QStringList({QStringLiteral("Cannot open file locked.rtf.")}));
        QCOMPARE(fixture.form().windowTitle(), QStringLiteral("Untitled - LumaroStyle Notepad"));
    }

    void dropOpensTheFirstFile_data()
    {
        QTest::addColumn<bool>("onTheEditor");
        QTest::newRow("on the window's edge") << false;
        QTest::newRow("on the editor") << true;
    }

    void dropOpensTheFirstFile()
    {
        QFETCH(bool, onTheEditor);
        MainWindowFixture fixture;
        fixture.show();
        QStringList files;
        for (const char* name : {"one.rtf", "two.txt", "three.txt"}) {
            files.append(fixture.path(QLatin1String(name)));
            MainWindowFixture::writeFile(files.last(), name == QLatin1String("one.rtf") ? SmallRtf : QByteArray("x"));
        }
        if (onTheEditor)
            dropFiles(*fixture.editor().viewport(), files, QPoint(100, 100));
        else
            dropFiles(fixture.form(), files);
        fixture.waitForLoad();
        QCOMPARE(fixture.form().documentName(), files.first()); // the full path
        QCOMPARE(fixture.form().windowTitle(), QStringLiteral("one.rtf - LumaroStyle Notepad"));
        QCOMPARE(fixture.documentText(), QStringLiteral("Hello bold world"));
    }

    void textDroppedOnTheEditorIsInserted()
    {
        MainWindowFixture fixture;
        fixture.show();
        QMimeData data;
        data.setText(QStringLiteral("dropped text"));
        dragAndDrop(*fixture.editor().viewport(), data, QPoint(10, 5));
        QCOMPARE(fixture.documentText(), QStringLiteral("dropped text"));
        QCOMPARE(fixture.form().documentName(), QStringLiteral("Untitled"));
    }

    void dropOnAModifiedDocumentAsksFirst_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("opened");
        QTest::newRow("cancel keeps the document") << int(DialogService::Answer::Cancel) << false;
        QTest::newRow("no discards the changes") << int(DialogService::Answer::No) << true;
        // Yes, then Save As cancelled: nothing was saved, so nothing is discarded.
        QTest::newRow("yes without a save keeps the document") << int(DialogService::Answer::Yes) << false;
    }

    void dropOnAModifiedDocumentAsksFirst()
    {
        QFETCH(int, answer);
        QFETCH(bool, opened);
        MainWindowFixture fixture;
        fixture.show();
        fixture.type(QStringLiteral("work"));
        const QString file = fixture.path(QStringLiteral("dropped.txt"));
        MainWindowFixture::writeFile(file, "dropped");
        fixture.dialogs().confirmAnswers = {DialogService::Answer(answer)};
        dropFiles(fixture.form(), {file});
        fixture.waitForLoad();
        QCOMPARE(fixture.dialogs().confirmTexts, QStringList({QStringLiteral("Save changes to Untitled?")}));
        QCOMPARE(fixture.documentText(), opened ? QStringLiteral("dropped") : QStringLiteral("work"));
        QCOMPARE(fixture.form().documentName(), opened ? file : QStringLiteral("Untitled"));
        QVERIFY(fixture.dialogs().errors.isEmpty());
    }

    void keepsASixPixelMarginInsideTheEditor()
    {
        MainWindowFixture fixture;
        fixture.show();
        const QSize client = fixture.editor().clientSize();
        QCOMPARE(fixture.editor().formatRect(), QRect(6, 0, client.width() - 12, client.height()));
        fixture.editor().setFormatRect(QRect(0, 0, 10, 10));
        fixture.form().repaint();
        QCOMPARE(fixture.editor().formatRect(), QRect(6, 0, client.width() - 12, client.height()));
    }

    void referenceButtonsOpenTheirDialogsModally_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("dialog");
        QTest::newRow("about") << "LumaroLButton12" << "TAboutBox";
        QTest::newRow("world times") << "LumaroLButton14" << "TForm1";
        QTest::newRow("metric tables") << "LumaroLButton15" << "TForm2";
    }

    void referenceButtonsOpenTheirDialogsModally()
    {
        QFETCH(QString, button);
        QFETCH(QString, dialog);
        MainWindowFixture fixture;
        fixture.show();
        QString opened;
        QTimer::singleShot(0, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            QVERIFY(modal);
            opened = QString::fromLatin1(modal->metaObject()->className());
            QTest::keyClick(modal, Qt::Key_Escape);
        });
        auto* widget = fixture.form().findChild<QWidget*>(button);
        QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
        QCOMPARE(opened, dialog);
        QTRY_VERIFY(!QApplication::activeModalWidget());
        QCOMPARE(fixture.form().findChildren<TForm*>().size(), 0); // destroyed when closed
    }

    void hintsShowInTheSimplePanel()
    {
        MainWindowFixture fixture;
        TApplication::instance().setHint(QStringLiteral("Select All"));
        QVERIFY(fixture.form().statusBar()->simplePanel());
        QCOMPARE(fixture.form().statusBar()->simpleText(), QStringLiteral("Select All"));
        TApplication::instance().setHint(QString());
        QVERIFY(!fixture.form().statusBar()->simplePanel());
    }

    // A damaged string table is refused as a damaged layout is, naming the line, instead of
    // giving a window whose every text is blank.
    void aDamagedStringTableIsRefused_data()
    {
        QTest::addColumn<QByteArray>("table");
        QTest::addColumn<QString>("message");
        QTest::newRow("unterminated text") << QByteArray("65309 = \"Untitled\"\n65310 = \"Modi")
                                           << "strings/strings.txt:2: unterminated string";
        QTest::newRow("no equals sign") << QByteArray("65309 \"Untitled\"") << "strings/strings.txt:1: expected '='";
        QTest::newRow("number out of range") << QByteArray("\n\n70000 = \"x\"")
                                             << "strings/strings.txt:3: expected a string number";
        QTest::newRow("truncated to nothing after a number") << QByteArray("65309") << "strings/strings.txt:1: expected '='";
    }

    void aDamagedStringTableIsRefused()
    {
        QFETCH(QByteArray, table);
        QFETCH(QString, message);
        QTemporaryDir module;
        QVERIFY(QDir(module.path()).mkdir(QStringLiteral("strings")));
        MainWindowFixture::writeFile(module.filePath(QStringLiteral("strings/strings.txt")), table);
        ResourceModule::setCurrentRoot(module.path());
        QString failure;
        try {
            MainProgram::createMainForm();
        } catch (const AppError& error) {
            failure = error.message();
        }
        ResourceModule::setCurrentRoot(QString());
        QCOMPARE(failure, message);
        StringTable::check(); // the program's own table is sound
    }
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
