// The translations shipped with the program: every interface text is translated, each module
// the build makes reads over every window, and the translated labels fit in their windows.

#include "InterfaceTexts.h"
#include "app/ComponentClasses.h"
#include "app/ReInit.h"
#include "dialogs/TAboutBox.h"
#include "dialogs/TForm1.h"
#include "dialogs/TForm2.h"
#include "framework/LanguageModule.h"
#include "framework/TLabel.h"

#include <QDir>
#include <QTest>
#include <QTranslator>
#include <memory>

namespace {
const QString SourceDir = QStringLiteral(LUMARO_SOURCE_DIR);
const QString BuildDir = QStringLiteral(LUMARO_BUILD_DIR);

InterfaceTexts englishTexts()
{
    return InterfaceTexts::read(SourceDir + QStringLiteral("/resources"),
                                SourceDir + QStringLiteral("/resources/translations/untranslated.txt"));
}

QStringList shippedLanguages()
{
    QStringList extensions;
    for (const QString& file : QDir(SourceDir + QStringLiteral("/resources/translations"))
                                   .entryList({QStringLiteral("*.ts")}, QDir::Files, QDir::Name))
        extensions.append(file.chopped(3));
    return extensions;
}

void addLanguageRows()
{
    QTest::addColumn<QString>("extension");
    for (const QString& extension : shippedLanguages())
        QTest::newRow(qPrintable(extension)) << extension;
}
} // namespace

class TestTranslations : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        registerComponentClasses();
        QVERIFY(shippedLanguages().contains(QStringLiteral("DEU")));
        QVERIFY(shippedLanguages().contains(QStringLiteral("FRA")));
    }

    void cleanup() { ReInit::SetResourceModule(nullptr); }

    // The list of texts kept as they stand names components that exist.
    void untranslatedListIsCurrent()
    {
        const InterfaceTexts texts = englishTexts();
        QFile list(SourceDir + QStringLiteral("/resources/translations/untranslated.txt"));
        QVERIFY(list.open(QIODevice::ReadOnly));
        for (const QString& rawLine : QString::fromUtf8(list.readAll()).split(u'\n')) {
            const QString line = rawLine.section(u'#', 0, 0).trimmed();
            if (line.isEmpty())
                continue;
            const QString window = line.section(u' ', 0, 0);
            const QString component = line.section(u' ', 1).section(u'.', 0, 0);
            QVERIFY2(texts.layouts().contains(window), qPrintable(line));
            const auto& root = texts.layouts()[window];
            std::function<bool(const LayoutObject&)> has = [&](const LayoutObject& object) {
                return object.name == component ||
                       std::any_of(object.children.cbegin(), object.children.cend(), has);
            };
            QVERIFY2(has(root), qPrintable(line));
        }
    }

    void everyTextIsTranslated_data() { addLanguageRows(); }

    void everyTextIsTranslated()
    {
        QFETCH(QString, extension);
        QTranslator translator;
        QVERIFY(translator.load(BuildDir + QStringLiteral("/resources/translations/%1.qm").arg(extension)));
        QStringList missing;
        const InterfaceTexts texts = englishTexts();
        for (const InterfaceText& text : texts.texts()) {
            if (translator
                    .translate(qPrintable(text.context), text.source.toUtf8().constData(),
                               qPrintable(text.key))
                    .isEmpty())
                missing.append(text.context + u' ' + text.key);
        }
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join(QStringLiteral(", "))));
    }

    // Every window made from the program's own layouts reads the module's layout over itself, and
    // afterwards each label lies inside its parent: no translated text runs off the artwork.
    void modulesReadOverEveryWindow_data() { addLanguageRows(); }

    void modulesReadOverEveryWindow()
    {
        QFETCH(QString, extension);
        const auto module = std::make_shared<const LanguageModule>(
            LanguageModule::fromFile(BuildDir + QStringLiteral("/lumaropad.") + extension));
        std::vector<std::unique_ptr<TForm>> windows;
        windows.emplace_back(TForm::create<TAboutBox>());
        windows.emplace_back(TForm::create<TForm1>());
        windows.emplace_back(TForm::create<TForm2>());
        ReInit::SetResourceModule(module);
        for (const auto& window : windows) {
            const QString before = window->windowTitle();
            QVERIFY(ReInit::ReloadFormLayouts(*window));
            QVERIFY(window->windowTitle() != before);
            for (const TLabel* label : window->findChildren<TLabel*>()) {
                const QRect inParent = label->geometry();
                const QWidget* parent = label->parentWidget();
                QVERIFY2(inParent.left() >= -1 && inParent.right() <= parent->width(),
                         qPrintable(QStringLiteral("%1 '%2' is %3 pixels wide at %4 in a parent %5 wide")
                                        .arg(label->objectName(), label->caption())
                                        .arg(inParent.width())
                                        .arg(inParent.left())
                                        .arg(parent->width())));
            }
        }
    }
};

QTEST_MAIN(TestTranslations)
#include "tst_translations.moc"
