// The language module tool: the layouts it writes read back as the program's own, and a
// translation that would break the program is refused.

#include "LayoutWriter.h"
#include "ModuleBuilder.h"
#include "framework/AppError.h"
#include "framework/LanguageModule.h"
#include "framework/LayoutParser.h"

#include <QDirIterator>
#include <QFile>
#include <QTest>

class TestLangTool : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Every layout of the program, and one with every kind of value, survives writing.
    void layoutsReadBackAsWritten_data()
    {
        QTest::addColumn<QString>("text");
        for (QDirIterator it(QStringLiteral(":/lumaro/layouts")); it.hasNext();) {
            QFile file(it.next());
            QVERIFY(file.open(QIODevice::ReadOnly));
            QTest::newRow(qPrintable(it.fileName())) << QString::fromUtf8(file.readAll());
        }
        QTest::newRow("every kind of value")
            << QStringLiteral("object W : TW\n Caption = \"a \\\"b\\\" \\\\ c\\nd\\te\\u0001 \u00E9\u2026\"\n"
                              " Left = -3\n Color = 0xFF\n Style = [fsBold, fsItalic]\n Empty = []\n"
                              " Lines = (\"x\", \"\")\n None = ()\n Picture = file \"art/a b.bmp\"\n"
                              " Panels = (item Width = 1 end item Text = \"t\" Alignment = taCenter end)\n"
                              " object C : TC\n  object D : TD\n  end\n end\nend\n");
    }

    void layoutsReadBackAsWritten()
    {
        QFETCH(QString, text);
        const LayoutObject parsed = LayoutParser::parse(text, QStringLiteral("test.layout"));
        const QString written = LayoutWriter::write(parsed);
        QCOMPARE(LayoutWriter::write(LayoutParser::parse(written, QStringLiteral("written.layout"))),
                 written);
        // Nothing the parser read is lost in the writing: the values compare one by one.
        const LayoutObject reread = LayoutParser::parse(written, QStringLiteral("written.layout"));
        QCOMPARE(reread.properties.size(), parsed.properties.size());
        for (qsizetype i = 0; i < parsed.properties.size(); ++i) {
            QCOMPARE(reread.properties[i].value.text, parsed.properties[i].value.text);
            QCOMPARE(reread.properties[i].value.integer, parsed.properties[i].value.integer);
            QCOMPARE(reread.properties[i].value.items, parsed.properties[i].value.items);
        }
    }

    void unusableTranslations_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("translation");
        QTest::addColumn<bool>("usable");
        QTest::newRow("same directives") << "65311"
                                         << "Line: %3d   Col: %3d"
                                         << "Zeile: %3d   Spalte: %3d" << true;
        QTest::newRow("directive dropped") << "65307"
                                           << "Save changes to %s?"
                                           << "Änderungen speichern?" << false;
        QTest::newRow("directives swapped") << "1"
                                            << "%s is %d"
                                            << "%d ist %s" << false;
        QTest::newRow("width changed") << "65311"
                                       << "Line: %3d"
                                       << "Zeile: %d" << false;
        QTest::newRow("percent kept") << "1"
                                      << "100%% of %s"
                                      << "100 %% von %s" << true;
        QTest::newRow("filter descriptions") << "OpenDialog.Filter"
                                             << "All Files|*.*|*.txt|*.TXT"
                                             << "Alle Dateien|*.*|Textdateien|*.TXT" << true;
        QTest::newRow("filter pattern changed") << "OpenDialog.Filter"
                                                << "All Files|*.*|*.txt|*.TXT"
                                                << "Alle Dateien|*|*.txt|*.TXT" << false;
        QTest::newRow("filter separator lost") << "OpenDialog.Filter"
                                               << "All Files|*.*"
                                               << "Alle Dateien *.*" << false;
    }

    void unusableTranslations()
    {
        QFETCH(QString, key);
        QFETCH(QString, source);
        QFETCH(QString, translation);
        QFETCH(bool, usable);
        const InterfaceText text{QStringLiteral("StringTable"), key, source, QString()};
        QCOMPARE(ModuleBuilder::problemWith(text, translation).isEmpty(), usable);
    }

    // The module holds every layout and the whole table, translated where a translation exists.
    void buildsAModule()
    {
        const QString root = QStringLiteral(LUMARO_SOURCE_DIR "/resources");
        const InterfaceTexts texts =
            InterfaceTexts::read(root, root + QStringLiteral("/translations/untranslated.txt"));
        const auto result =
            ModuleBuilder::build(texts, QStringLiteral("de_DE"), [](const InterfaceText& text) {
                return text.key == QLatin1String("65309") ? QStringLiteral("Unbenannt") : QString();
            });
        QCOMPARE(result.untranslated.size(), texts.texts().size() - 1);
        const LanguageModule module = LanguageModule::fromData(result.module);
        QCOMPARE(module.language(), QStringLiteral("de_DE"));
        QVERIFY(module.entry(LanguageModule::StringsEntry).contains("65309 = \"Unbenannt\""));
        for (const QString& window : texts.layouts().keys()) {
            bool found = false;
            module.entry(LanguageModule::layoutEntry(window), &found);
            QVERIFY2(found, qPrintable(window));
        }
        // Pictures with words name their German version where the artwork has one.
        const QByteArray about = module.entry(LanguageModule::layoutEntry(QStringLiteral("TAboutBox")));
        QVERIFY(about.contains("file \"art/dialogs/about.de.jpg\""));
        QVERIFY(about.contains("file \"art/dialogs/close_up.bmp\""));
        QCOMPARE(
            ModuleBuilder::localizedPicture(QStringLiteral("art/main/label_bold.bmp"), QStringLiteral("fr")),
            QStringLiteral("art/main/label_bold.fr.bmp"));

        try {
            ModuleBuilder::build(texts, QStringLiteral("de_DE"), [](const InterfaceText& text) {
                return text.key == QLatin1String("65307") ? QStringLiteral("Speichern?") : QString();
            });
            QFAIL("a translation without its %s was used");
        } catch (const AppError& error) {
            QVERIFY2(error.message().contains(QStringLiteral("StringTable 65307")),
                     qPrintable(error.message()));
        }
    }
};

QTEST_GUILESS_MAIN(TestLangTool)
#include "tst_langtool.moc"
