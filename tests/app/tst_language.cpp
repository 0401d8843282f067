// Interface languages: where language modules are looked for and how they are named, the
// per-user override and --language, starting in the user's language with the modules the build
// makes, and switching over the open window without losing the document.

#include "MainWindowFixture.h"
#include "app/CommandLine.h"
#include "app/LocaleTable.h"
#include "app/QtTranslations.h"
#include "app/ReInit.h"
#include "app/StartupEnvironment.h"
#include "dialogs/TAboutBox.h"
#include "dialogs/TForm2.h"
#include "fontpickers/TFontNameComboBox.h"
#include "framework/LanguageModule.h"
#include "framework/ResourceModule.h"
#include "framework/StringIds.h"
#include "framework/StringTable.h"
#include "framework/TPanel.h"
#include "framework/TRadioButton.h"
#include "richtext/RtfWriter.h"
#include "richtext/TCustomRichEdit.h"
#include "richtext/TRichEditStrings.h"
#include "richtext/TTextAttributes.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

namespace {
const QByteArray Letter = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}{\\f1 Courier New;}}"
                          "\\pard\\fi360\\li720\\ri1440\\f0\\fs24 Dear {\\b reader},\\par"
                          "\\pard\\qc\\f1\\fs20 {\\i centred} line\\par}";

QByteArray resource(const QString& path)
{
    QFile file(ResourceModule::programRoot() + u'/' + path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A module made from the program's own English texts, changed as a test needs.
QByteArray moduleOf(const std::function<void(QMap<QString, QByteArray>&)>& change)
{
    QMap<QString, QByteArray> entries{{LanguageModule::LanguageEntry, "de_DE"},
                                      {LanguageModule::StringsEntry, resource(LanguageModule::StringsEntry)}};
    for (const char* window : {"TMainForm", "TAboutBox", "TForm1", "TForm2"}) {
        const QString entry = LanguageModule::layoutEntry(QLatin1String(window));
        entries.insert(entry, resource(entry));
    }
    change(entries);
    return LanguageModule::containerOf(entries);
}

QByteArray replaced(QByteArray text, const QByteArray& before, const QByteArray& after)
{
    Q_ASSERT(text.contains(before));
    return text.replace(before, after);
}

// A module the build made beside the program.
QByteArray builtModule(const QString& extension)
{
    QFile file(QStringLiteral(LUMARO_BUILD_DIR "/lumaropad.") + extension);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("%s is missing: build the language_modules target", qPrintable(file.fileName()));
    return file.readAll();
}

void writeFile(const QString& path, const QByteArray& data)
{
    QDir().mkpath(QFileInfo(path).path());
    MainWindowFixture::writeFile(path, data);
}

TRadioButton* languageButton(MainWindowFixture& fixture, const char* name)
{
    return fixture.form().findChild<TRadioButton*>(QLatin1String(name));
}

QString hintOf(MainWindowFixture& fixture, const char* component)
{
    return fixture.form().findChild<QWidget*>(QLatin1String(component))->toolTip();
}

QPoint positionOf(MainWindowFixture& fixture, const char* component)
{
    return fixture.form().findChild<QWidget*>(QLatin1String(component))->pos();
}
} // namespace

class TestLanguage : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_root;

    QString programPath() const { return m_root.filePath(QStringLiteral("bin/lumaropad")); }

    static void writeOverride(const QString& key, const QString& value)
    {
        QSettings settings(ReInit::SettingsOrganization, ReInit::SettingsApplication);
        settings.setValue(ReInit::OverrideGroup + u'/' + key, value);
    }

private Q_SLOTS:
    void initTestCase()
    {
        QSettings(ReInit::SettingsOrganization, ReInit::SettingsApplication).clear();
        QApplication::setCursorFlashTime(0); // the caret stays drawn, so pictures compare
    }

    void cleanup()
    {
        QSettings(ReInit::SettingsOrganization, ReInit::SettingsApplication).clear();
        ReInit::SetResourceModule(nullptr);
        StartupEnvironment::setLanguageOverride(QString());
        QDir(m_root.path()).removeRecursively();
        QDir().mkpath(m_root.path());
    }

    void moduleFileNames_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("module");
        QTest::newRow("no extension: appended") << "/opt/pad/lumaropad"
                                                << "/opt/pad/lumaropad.DEU";
        QTest::newRow("an extension: replaced") << "/opt/pad/pad.exe"
                                                << "/opt/pad/pad.DEU";
        QTest::newRow("a dot in a folder's name") << "/opt/pad.d/lumaropad"
                                                  << "/opt/pad.d/lumaropad.DEU";
        QTest::newRow("a hidden program") << "/opt/pad/.lumaropad"
                                          << "/opt/pad/.lumaropad.DEU";
    }

    void moduleFileNames()
    {
        QFETCH(QString, program);
        QFETCH(QString, module);
        QCOMPARE(ReInit::moduleFileName(program, QStringLiteral("DEU")), module);
    }

    void lookup_data()
    {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<int>("localeId");
        QTest::addColumn<QString>("found");
        const QString beside = QStringLiteral("bin/lumaropad.DEU");
        const QString installed = QStringLiteral("share/lumaropad/lumaropad.DEU");
        QTest::newRow("beside the program first") << QStringList{installed, beside} << 1031 << beside;
        QTest::newRow("then the installed data folder") << QStringList{installed} << 1031 << installed;
        QTest::newRow("two-letter fallback") << QStringList{"bin/lumaropad.DE"} << 1031 << "bin/lumaropad.DE";
        QTest::newRow("three letters before two")
            << QStringList{"bin/lumaropad.DE", installed} << 1031 << installed;
        QTest::newRow("never the working folder") << QStringList{"work/lumaropad.DEU"} << 1031 << "";
        QTest::newRow("another language") << QStringList{beside} << 1036 << "";
        QTest::newRow("a locale without abbreviation")
            << QStringList{beside} << LocaleTable::CustomUnspecified << "";
    }

    void lookup()
    {
        QFETCH(QStringList, files);
        QFETCH(int, localeId);
        QFETCH(QString, found);
        for (const QString& file : files)
            writeFile(m_root.filePath(file), moduleOf([](auto&) {}));
        QDir().mkpath(m_root.filePath(QStringLiteral("work")));
        const QString previousFolder = QDir::currentPath();
        QDir::setCurrent(m_root.filePath(QStringLiteral("work")));
        StartupEnvironment::setLocaleId(localeId);
        const auto module = ReInit::LoadStartupLanguageModule(programPath());
        QDir::setCurrent(previousFolder);
        QCOMPARE(module ? module->fileName() : QString(),
                 found.isEmpty() ? QString() : m_root.filePath(found));
    }

    // A damaged module is refused with a message, and the lookup goes on to the next file.
    void damagedModuleIsRefused()
    {
        writeFile(m_root.filePath(QStringLiteral("bin/lumaropad.DEU")), moduleOf([](auto&) {}).chopped(3));
        writeFile(m_root.filePath(QStringLiteral("bin/lumaropad.DE")), moduleOf([](auto&) {}));
        StartupEnvironment::setLocaleId(LocaleTable::GermanGermany);
        QTest::ignoreMessage(QtWarningMsg,
                             QRegularExpression(QStringLiteral(
                                 "^lumaropad: language module refused: .*/bin/lumaropad.DEU: truncated")));
        const auto module = ReInit::LoadStartupLanguageModule(programPath());
        QVERIFY(module);
        QCOMPARE(module->fileName(), m_root.filePath(QStringLiteral("bin/lumaropad.DE")));
    }

    void startupOverride_data()
    {
        QTest::addColumn<QString>("programValue");
        QTest::addColumn<QString>("defaultValue");
        QTest::addColumn<QString>("option");
        QTest::addColumn<int>("localeId");
        QTest::addColumn<QString>("found");
        QTest::newRow("the program's own value") << "FRA"
                                                 << "ITA"
                                                 << "" << 1031 << "FRA";
        QTest::newRow("the default value") << ""
                                           << "FRA"
                                           << "" << 1033 << "FRA";
        QTest::newRow("--language before the setting") << "FRA"
                                                       << ""
                                                       << "DEU" << 1033 << "DEU";
        QTest::newRow("no such module: the locale's") << ""
                                                      << "ITA"
                                                      << "" << 1031 << "DEU";
        QTest::newRow("no such module, no abbreviation") << ""
                                                         << "ITA"
                                                         << "" << LocaleTable::CustomUnspecified << "";
    }

    void startupOverride()
    {
        QFETCH(QString, programValue);
        QFETCH(QString, defaultValue);
        QFETCH(QString, option);
        QFETCH(int, localeId);
        QFETCH(QString, found);
        writeFile(programPath(), "#!/bin/sh\n");
        for (const char* extension : {"DEU", "FRA"})
            writeFile(ReInit::moduleFileName(programPath(), QLatin1String(extension)),
                      moduleOf([](auto&) {}));
        if (!programValue.isEmpty())
            writeOverride(QFileInfo(programPath()).canonicalFilePath(), programValue);
        if (!defaultValue.isEmpty())
            writeOverride(ReInit::OverrideDefaultKey, defaultValue);
        StartupEnvironment::setLanguageOverride(option);
        StartupEnvironment::setLocaleId(localeId);
        const auto module = ReInit::LoadStartupLanguageModule(programPath());
        QCOMPARE(module ? module->fileName() : QString(),
                 found.isEmpty() ? QString() : ReInit::moduleFileName(programPath(), found));
    }

    // The setting becomes part of a file name: anything but a short run of letters is ignored.
    void unsafeOverrideIsIgnored()
    {
        writeFile(m_root.filePath(QStringLiteral("x.DEU")), moduleOf([](auto&) {}));
        writeOverride(ReInit::OverrideDefaultKey, QStringLiteral("/../../x.DEU"));
        StartupEnvironment::setLocaleId(LocaleTable::CustomUnspecified);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("language setting .* ignored")));
        QVERIFY(!ReInit::LoadStartupLanguageModule(programPath()));
    }

    // --language asks for a module for this run; the run's locale follows it, so the main
    // window's switch at start-up goes to the same language.
    void languageOption_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("refusal");
        QTest::addColumn<QString>("document");
        QTest::addColumn<QString>("language");
        QTest::addColumn<int>("localeId");
        QTest::newRow("none") << QStringList{"a.rtf"} << ""
                              << "a.rtf"
                              << "" << 1031;
        QTest::newRow("before the document") << QStringList{"--language", "FRA", "a.rtf"} << ""
                                             << "a.rtf"
                                             << "FRA" << 1036;
        QTest::newRow("with =") << QStringList{"a.rtf", "--language=enu"} << ""
                                << "a.rtf"
                                << "enu" << 1033;
        QTest::newRow("two letters") << QStringList{"--language", "FR"} << ""
                                     << ""
                                     << "FR" << 1036;
        QTest::newRow("a module of no known locale") << QStringList{"--language", "XYZ"} << ""
                                                     << ""
                                                     << "XYZ" << LocaleTable::CustomUnspecified;
        QTest::newRow("missing value") << QStringList{"--language"} << "Missing value after '--language'."
                                       << ""
                                       << "" << 0;
        QTest::newRow("a path")
            << QStringList{"--language", "../x"}
            << "--language needs a language module's extension of 1 to 4 letters, such as DEU or FRA"
            << ""
            << "" << 0;
        QTest::newRow("with a conversion") << QStringList{"--language", "FRA", "--convert-to", "txt", "a.rtf"}
                                           << "--language is for the editor, not for --convert-to"
                                           << ""
                                           << "" << 0;
    }

    void languageOption()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, refusal);
        QFETCH(QString, document);
        QFETCH(QString, language);
        QFETCH(int, localeId);
        const CommandLine line = CommandLine::parse(QStringList{"lumaropad"} + arguments);
        QCOMPARE(line.error(), refusal);
        if (!refusal.isEmpty())
            return;
        QCOMPARE(line.document(), document);
        QCOMPARE(line.language(), language);
        qputenv("LC_ALL", "de_DE.UTF-8");
        StartupEnvironment::initialise(programPath(), line.inputs(), line.language());
        qunsetenv("LC_ALL");
        QCOMPARE(StartupEnvironment::languageOverride(), language);
        QCOMPARE(StartupEnvironment::localeId(), localeId);
    }

    // With the modules the build makes, the window starts in the user's language: captions,
    // tooltips, the status texts, the name of a new document, windows opened later and Qt's
    // own dialogs.
    void startsInTheUsersLanguage_data()
    {
        QTest::addColumn<QString>("extension");
        QTest::addColumn<int>("localeId");
        QTest::addColumn<QStringList>("expected"); // caption, tooltip, status, about box, Qt's Cancel
        QTest::newRow("German") << "DEU" << 1031
                                << QStringList{"Unbenannt - LumaroStyle Notepad", "Alles markieren",
                                               "Zeile:   1   Spalte:   1", "Über dieses Programm",
                                               "Abbrechen"};
        QTest::newRow("French") << "FRA" << 1036
                                << QStringList{"Sans titre - LumaroStyle Notepad", "Tout sélectionner",
                                               "Ligne\u00A0:   1   Col.\u00A0:   1",
                                               "À propos de ce programme", "Annuler"};
    }

    void startsInTheUsersLanguage()
    {
        QFETCH(QString, extension);
        QFETCH(int, localeId);
        QFETCH(QStringList, expected);
        MainWindowFixture fixture({}, localeId,
                                  {{QStringLiteral("lumaropad.") + extension, builtModule(extension)}});
        fixture.show();
        QCOMPARE(fixture.form().windowTitle(), expected.at(0));
        QCOMPARE(hintOf(fixture, "LumaroLButton13"), expected.at(1));
        QCOMPARE(fixture.panelText(0), expected.at(2));
        QVERIFY(fixture.dialogs().errors.isEmpty());

        // The new document is still known as untitled: Save asks for a name.
        QTest::keyClick(&fixture.editor(), Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(fixture.dialogs().asked, QStringList{"save"});

        const std::unique_ptr<TAboutBox> about(TForm::create<TAboutBox>());
        QCOMPARE(about->windowTitle(), expected.at(3));

        if (QtTranslations::current().isEmpty())
            QSKIP("Qt's translations are not installed (qt6-translations-l10n)");
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), expected.at(4));
    }

    // Switching over the open window keeps the document, its look, the selection and the
    // modified state; the ruler and the pickers come back as they were.
    void switchKeepsTheDocument()
    {
        MainWindowFixture fixture({}, 1033,
                                  {{QStringLiteral("lumaropad.DEU"), builtModule(QStringLiteral("DEU"))}});
        fixture.show();
        QCOMPARE(hintOf(fixture, "LumaroLButton13"), QStringLiteral("Select All"));
        TCustomRichEdit& editor = fixture.editor();
        MainWindowFixture::writeFile(fixture.path(QStringLiteral("letter.rtf")), Letter);
        fixture.form().OpenDocument(fixture.path(QStringLiteral("letter.rtf")));
        fixture.waitForLoad();
        fixture.type(QStringLiteral("Hello "));
        // The face picked in the font-name picker is the control's own font; the layout names another.
        editor.font()->setName(QStringLiteral("Courier New"));
        editor.defaultAttributes()->setSize(14);
        editor.defaultAttributes()->setStyle(TFont::fsItalic);
        editor.setSelStart(2);
        editor.setSelLength(5);

        const QByteArray document = RtfWriter::toRtf(*editor.document());
        const QPoint markers[] = {positionOf(fixture, "FirstInd"), positionOf(fixture, "LeftInd"),
                                  positionOf(fixture, "RightInd")};
        const QString ticks = fixture.form().findChild<TPanel*>(QStringLiteral("Ruler"))->caption();
        const int rulerLine = fixture.form().findChild<QWidget*>(QStringLiteral("RulerLine"))->width();
        const auto* fontName = fixture.form().findChild<TFontNameComboBox*>(QStringLiteral("FontName"));
        const int faces = fontName->count();

        languageButton(fixture, "LanguageGerman")->setCheckedState(true);

        QCOMPARE(hintOf(fixture, "LumaroLButton13"), QStringLiteral("Alles markieren"));
        QCOMPARE(fixture.form().windowTitle(), QStringLiteral("letter.rtf - LumaroStyle Notepad"));
        QCOMPARE(fixture.form().documentName(), fixture.path(QStringLiteral("letter.rtf")));
        QCOMPARE(RtfWriter::toRtf(*editor.document()), document);
        QCOMPARE(editor.selStart(), 2);
        QCOMPARE(editor.selLength(), 5);
        QVERIFY(editor.modified());
        QCOMPARE(editor.defaultAttributes()->name(), QStringLiteral("Courier New"));
        QCOMPARE(editor.defaultAttributes()->size(), 14);
        QCOMPARE(editor.defaultAttributes()->style(), TFont::TFontStyles(TFont::fsItalic));
        QCOMPARE(positionOf(fixture, "FirstInd"), markers[0]);
        QCOMPARE(positionOf(fixture, "LeftInd"), markers[1]);
        QCOMPARE(positionOf(fixture, "RightInd"), markers[2]);
        QCOMPARE(fixture.form().findChild<TPanel*>(QStringLiteral("Ruler"))->caption(), ticks);
        QCOMPARE(fixture.form().findChild<QWidget*>(QStringLiteral("RulerLine"))->width(), rulerLine);
        // The picker's own after-load step rebuilt its list: each face once, as before.
        QCOMPARE(fontName->count(), faces);
        QStringList names;
        for (int i = 0; i < fontName->count(); ++i)
            names.append(fontName->itemText(i).toCaseFolded());
        names.removeDuplicates();
        QCOMPARE(names.size(), faces);
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(&editor));
        // The switch ran once more inside itself (checking its button); the buttons end as one
        // run leaves them: the alignment mirroring unchecks the language buttons.
        QVERIFY(!languageButton(fixture, "LanguageGerman")->isChecked());
        QVERIFY(fixture.dialogs().asked.isEmpty());
    }

    // A new document stays known as untitled across a switch and takes the new language's name.
    void untitledDocumentFollowsTheSwitch()
    {
        MainWindowFixture fixture({}, 1033,
                                  {{QStringLiteral("lumaropad.FRA"), builtModule(QStringLiteral("FRA"))}});
        fixture.show();
        fixture.type(QStringLiteral("Texte"));
        QCOMPARE(fixture.form().windowTitle(), QStringLiteral("Untitled - LumaroStyle Notepad"));
        languageButton(fixture, "LanguageFrench")->setCheckedState(true);
        QCOMPARE(fixture.form().windowTitle(), QStringLiteral("Sans titre - LumaroStyle Notepad"));
        QTest::keyClick(&fixture.editor(), Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(fixture.dialogs().asked, QStringList{"save"});
    }

    // Switching to the language in force reads every window again and nothing visible changes.
    void switchingToTheLanguageInForce()
    {
        MainWindowFixture fixture({}, 1031,
                                  {{QStringLiteral("lumaropad.DEU"), builtModule(QStringLiteral("DEU"))}});
        fixture.show();
        fixture.type(QStringLiteral("Text"));
        const QImage before = fixture.form().grab().toImage();
        const QString caption = fixture.form().windowTitle();
        const std::unique_ptr<TForm2> metric(TForm::create<TForm2>(&fixture.form()));
        metric->setCaption(QStringLiteral("changed"));

        languageButton(fixture, "LanguageGerman")->setCheckedState(true);

        QCOMPARE(metric->windowTitle(), QStringLiteral(" Metrische  Umrechnungstabellen"));
        QCOMPARE(fixture.form().windowTitle(), caption);
        QCOMPARE(fixture.form().grab().toImage(), before);
        QVERIFY(fixture.dialogs().asked.isEmpty());
    }

    // A module without some window's layout: the switch leaves that window as it is, and the
    // window cannot be opened while the module is in force.
    void moduleWithoutAWindowsLayout()
    {
        const QByteArray module = moduleOf([](QMap<QString, QByteArray>& entries) {
            entries.remove(LanguageModule::layoutEntry(QStringLiteral("TAboutBox")));
            const QString mainForm = LanguageModule::layoutEntry(QStringLiteral("TMainForm"));
            entries[mainForm] = replaced(entries[mainForm], "\"Select All\"", "\"Alles markieren\"");
        });
        MainWindowFixture fixture({}, 1033, {{QStringLiteral("lumaropad.DEU"), module}});
        const std::unique_ptr<TAboutBox> openBefore(TForm::create<TAboutBox>());
        languageButton(fixture, "LanguageGerman")->setCheckedState(true);
        QCOMPARE(hintOf(fixture, "LumaroLButton13"), QStringLiteral("Alles markieren"));
        QCOMPARE(openBefore->windowTitle(), QStringLiteral("About This Program"));
        try {
            delete TForm::create<TAboutBox>();
            QFAIL("the about box was made without its layout");
        } catch (const AppError& error) {
            QCOMPARE(error.message(), QStringLiteral("Resource TAboutBox not found"));
        }
    }

    // A layout naming a component the window lacks stops the switch at start-up with a message;
    // the window is still made, in the new module's texts as far as they were read. (The window
    // is made from the module the override chose, which lacks the component.)
    void componentTheWindowLacks()
    {
        const QByteArray module = moduleOf([](QMap<QString, QByteArray>& entries) {
            const QString mainForm = LanguageModule::layoutEntry(QStringLiteral("TMainForm"));
            entries[mainForm] = replaced(entries[mainForm], "  object Ruler : TPanel",
                                         "  object Ghost : TLabel\n  end\n  object Ruler : TPanel");
            entries[LanguageModule::StringsEntry] =
                replaced(entries[LanguageModule::StringsEntry], "\"Untitled\"", "\"Unbenannt\"");
        });
        writeOverride(ReInit::OverrideDefaultKey, QStringLiteral("ENU"));
        MainWindowFixture fixture({}, 1031,
                                  {{QStringLiteral("lumaropad.ENU"), moduleOf([](auto&) {})},
                                   {QStringLiteral("lumaropad.DEU"), module}});
        QCOMPARE(fixture.dialogs().errors, QStringList{"Ancestor for 'Ghost' not found."});
        QVERIFY(ResourceModule::languageModule());
        QCOMPARE(StringTable::load(StringId::Untitled), QStringLiteral("Unbenannt"));
        // The name followed the module; the caption was not set again after the failure.
        QCOMPARE(fixture.form().documentName(), QStringLiteral("Unbenannt"));
    }

    void missingStringComesBackEmpty()
    {
        const QByteArray module = moduleOf([](QMap<QString, QByteArray>& entries) {
            entries[LanguageModule::StringsEntry] =
                replaced(entries[LanguageModule::StringsEntry], "65311 = \"Line: %3d   Col: %3d\"\n", "");
        });
        MainWindowFixture fixture({}, 1031, {{QStringLiteral("lumaropad.DEU"), module}});
        fixture.show();
        QCOMPARE(fixture.panelText(0), QString());
        QVERIFY(fixture.dialogs().errors.isEmpty());
    }
};

QTEST_MAIN(TestLanguage)
#include "tst_language.moc"
