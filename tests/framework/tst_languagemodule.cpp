// Reading language modules: what the tools write reads back, and a foreign, truncated or
// damaged file is refused with a message that says what is wrong, before anything is used.

#include "framework/AppError.h"
#include "framework/LanguageModule.h"
#include "framework/ResourceModule.h"
#include "framework/StringTable.h"

#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>
#include <memory>

namespace {
const QByteArray Layout = "object MainForm : TMainForm\n  Caption = \"Fenster\"\nend\n";
const QByteArray Strings = "65309 = \"Unbenannt\"\n";

QMap<QString, QByteArray> goodEntries()
{
    return {{LanguageModule::LanguageEntry, "de_DE"},
            {LanguageModule::StringsEntry, Strings},
            {LanguageModule::layoutEntry(QStringLiteral("TMainForm")), Layout}};
}

// A container with any entries, duplicates and foreign names included, made consistent.
QByteArray container(const QList<QPair<QByteArray, QByteArray>>& entries)
{
    QByteArray data = LanguageModule::containerOf({}).left(52);
    qToLittleEndian<quint32>(quint32(entries.size()), data.data() + 12);
    for (const auto& [name, bytes] : entries) {
        char field[4];
        qToLittleEndian<quint16>(quint16(name.size()), field);
        data.append(field, 2).append(name);
        qToLittleEndian<quint32>(quint32(bytes.size()), field);
        data.append(field, 4).append(bytes);
    }
    return LanguageModule::resealed(data);
}

QByteArray withU16(QByteArray data, int offset, quint16 value)
{
    qToLittleEndian<quint16>(value, data.data() + offset);
    return data;
}
} // namespace

class TestLanguageModule : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { ResourceModule::setLanguageModule(nullptr); }

    void readsWhatIsWritten()
    {
        const LanguageModule module = LanguageModule::fromData(LanguageModule::containerOf(goodEntries()));
        QCOMPARE(module.language(), QStringLiteral("de_DE"));
        bool found = false;
        QCOMPARE(module.entry(LanguageModule::StringsEntry, &found), Strings);
        QVERIFY(found);
        // Layouts are found under their window class in any case; other entries are not.
        QCOMPARE(module.entry(QStringLiteral("layouts/TMAINFORM.layout")), Layout);
        module.entry(QStringLiteral("layouts/TAboutBox.layout"), &found);
        QVERIFY(!found);
        module.entry(QStringLiteral("STRINGS/strings.txt"), &found);
        QVERIFY(!found);
    }

    // In force, the module gives the texts; the artwork its layouts name stays the program's,
    // and what the module lacks is missing, not taken from the program.
    void textsFromTheModuleArtworkFromTheProgram()
    {
        auto entries = goodEntries();
        entries.insert(LanguageModule::StringsEntry, "65310 = \"Geändert\"\n");
        ResourceModule::setLanguageModule(std::make_shared<const LanguageModule>(
            LanguageModule::fromData(LanguageModule::containerOf(entries))));
        QCOMPARE(StringTable::load(65310), QStringLiteral("Geändert"));
        QCOMPARE(StringTable::load(65309), QString());
        QVERIFY(ResourceModule::contains(QStringLiteral("layouts/TMainForm.layout")));
        QVERIFY(!ResourceModule::contains(QStringLiteral("layouts/TAboutBox.layout")));
        QVERIFY(ResourceModule::contains(QStringLiteral("art/main/strip_top.jpg")));

        ResourceModule::setLanguageModule(nullptr);
        QCOMPARE(StringTable::load(65309), QStringLiteral("Untitled"));
    }

    void refusesBadFiles_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<QString>("reason");
        const QByteArray good = LanguageModule::containerOf(goodEntries());
        QByteArray flipped = good;
        flipped[flipped.size() - 5] = flipped.at(flipped.size() - 5) ^ 0x20;

        QTest::newRow("empty") << QByteArray() << "not a language module";
        QTest::newRow("a picture") << QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16)
                                   << "not a language module";
        QTest::newRow("a Qt resource file") << QByteArray("qres\0\0\0\3", 8) << "not a language module";
        QTest::newRow("header cut") << good.left(30) << "truncated: the header is incomplete";
        QTest::newRow("end cut")
            << good.chopped(7)
            << QStringLiteral("truncated: %1 of %2 bytes").arg(good.size() - 7).arg(good.size());
        QTest::newRow("bytes after the end") << good + "junk"
                                             << "damaged: 4 bytes follow the module's end";
        QTest::newRow("one byte changed") << flipped << "damaged: the checksum does not match the contents";
        QTest::newRow("later format") << LanguageModule::resealed(withU16(good, 8, 2))
                                      << "format version 2 is not supported (expected 1)";
        QByteArray longEntry = container({{"language", "de_DE"}});
        qToLittleEndian<quint32>(0x7FFFFFF0, longEntry.data() + 52 + 2 + 8);
        QTest::newRow("entry length past the end")
            << LanguageModule::resealed(longEntry)
            << "damaged: an entry's data runs past the end of the file";
        QByteArray manyEntries = container({});
        qToLittleEndian<quint32>(1000000, manyEntries.data() + 12);
        QTest::newRow("entry count") << LanguageModule::resealed(manyEntries)
                                     << "damaged: 1000000 entries (at most 256)";
        QTest::newRow("count short of the entries")
            << LanguageModule::resealed(withU16(good, 12, 2)) << "damaged: data follows the last entry";
        QTest::newRow("path outside the module") << container({{"layouts/../../etc/passwd", "x"}})
                                                 << "damaged: unknown entry 'layouts/../../etc/passwd'";
        QTest::newRow("artwork") << container({{"art/main/strip_top.jpg", "x"}})
                                 << "damaged: unknown entry 'art/main/strip_top.jpg'";
        QTest::newRow("layout twice")
            << container({{"layouts/TForm1.layout", Layout}, {"layouts/tform1.layout", Layout}})
            << "damaged: entry 'layouts/tform1.layout' is there twice";
        QTest::newRow("not UTF-8") << container({{"strings/strings.txt", "65309 = \"\xC3\x28\"\n"}})
                                   << "damaged: entry 'strings/strings.txt' is not UTF-8 text";
        QTest::newRow("language") << container({{"language", "../de"}})
                                  << "damaged: '../de' is not a language name";
        QTest::newRow("layout") << container({{"layouts/TForm1.layout",
                                               "object Form1 : TForm1\n  Caption = \"x\n"}})
                                << "TForm1.layout:2: unterminated string";
        QTest::newRow("string table") << container({{"strings/strings.txt", "65309 \"Unbenannt\"\n"}})
                                      << "strings/strings.txt:1: expected '='";
    }

    void refusesBadFiles()
    {
        QFETCH(QByteArray, data);
        QFETCH(QString, reason);
        try {
            LanguageModule::fromData(data);
            QFAIL("the module was read");
        } catch (const AppError& error) {
            QCOMPARE(error.message(), reason);
        }
    }

    void refusedFileIsNamed()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("lumaropad.DEU"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(LanguageModule::containerOf(goodEntries()).chopped(1));
        file.close();
        try {
            LanguageModule::fromFile(path);
            QFAIL("the module was read");
        } catch (const AppError& error) {
            QVERIFY2(error.message().startsWith(path + QStringLiteral(": truncated")),
                     qPrintable(error.message()));
        }
    }
};

QTEST_GUILESS_MAIN(TestLanguageModule)
#include "tst_languagemodule.moc"
