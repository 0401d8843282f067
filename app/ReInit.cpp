#include "app/ReInit.h"

#include "app/LocaleTable.h"
#include "app/QtTranslations.h"
#include "app/StartupEnvironment.h"
#include "framework/AppError.h"
#include "framework/LanguageModule.h"
#include "framework/LayoutReader.h"
#include "framework/ResourceModule.h"
#include "framework/TForm.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSettings>

const QString ReInit::SettingsOrganization = QStringLiteral("LumaroStyle");
const QString ReInit::SettingsApplication = QStringLiteral("LumaroStyle Notepad");
const QString ReInit::OverrideGroup = QStringLiteral("Locales");
const QString ReInit::OverrideDefaultKey = QStringLiteral("Default");

namespace {
// The installed data folder, relative to the folder of an installed program (bin/).
const QString InstalledDataFolder = QStringLiteral("../share/lumaropad");

// The abbreviation and, for a three-letter one, its first two letters.
QStringList withTwoLetterFallback(const QString& abbreviation)
{
    QStringList extensions{abbreviation};
    if (abbreviation.size() > 2)
        extensions.append(abbreviation.left(2));
    return extensions;
}
} // namespace

QString ReInit::moduleFileName(const QString& programPath, const QString& extension)
{
    const QFileInfo program(programPath);
    const QString fileName = program.fileName();
    // A leading "." starts a hidden file's name, not an extension.
    const qsizetype dot = fileName.lastIndexOf(u'.');
    const QString base = dot > 0 ? fileName.left(dot) : fileName;
    return QDir(program.path()).filePath(base + u'.' + extension);
}

QStringList ReInit::moduleCandidates(const QString& programPath, const QStringList& extensions)
{
    QStringList candidates;
    if (programPath.isEmpty())
        return candidates;
    const QString installed = QDir::cleanPath(QFileInfo(programPath).path() + u'/' + InstalledDataFolder);
    for (const QString& extension : extensions) {
        const QString besideProgram = moduleFileName(programPath, extension);
        candidates.append(besideProgram);
        candidates.append(QDir(installed).filePath(QFileInfo(besideProgram).fileName()));
    }
    return candidates;
}

bool ReInit::isModuleExtension(const QString& text)
{
    // Only letters and digits: the text becomes part of a file name next to the program.
    static const QRegularExpression pattern(QStringLiteral("^[A-Za-z0-9]{1,4}$"));
    return pattern.match(text).hasMatch();
}

QString ReInit::startupOverride(const QString& programPath)
{
    QSettings settings(SettingsOrganization, SettingsApplication);
    settings.beginGroup(OverrideGroup);
    const QString longPath = QFileInfo(programPath).canonicalFilePath();
    QString value;
    if (!longPath.isEmpty())
        value = settings.value(longPath).toString();
    if (value.isEmpty())
        value = settings.value(OverrideDefaultKey).toString();
    if (!value.isEmpty() && !isModuleExtension(value)) {
        qWarning("lumaropad: the language setting '%s' is not a module extension of 1 to 4 letters; ignored",
                 qUtf8Printable(value.left(80)));
        return QString();
    }
    return value;
}

std::shared_ptr<const LanguageModule> ReInit::loadFirst(const QString& programPath,
                                                        const QStringList& extensions)
{
    for (const QString& path : moduleCandidates(programPath, extensions)) {
        if (!QFileInfo::exists(path))
            continue;
        try {
            return std::make_shared<const LanguageModule>(LanguageModule::fromFile(path));
        } catch (const AppError& error) {
            qWarning("lumaropad: language module refused: %s", qUtf8Printable(error.message()));
        }
    }
    return nullptr;
}

std::shared_ptr<const LanguageModule> ReInit::LoadStartupLanguageModule(const QString& programPath)
{
    QString override = StartupEnvironment::languageOverride();
    if (override.isEmpty())
        override = startupOverride(programPath);
    const QString abbreviation = LocaleTable::abbreviationOf(StartupEnvironment::localeId());
    if (programPath.isEmpty() || (override.isEmpty() && abbreviation.isEmpty()))
        return nullptr;
    if (!override.isEmpty()) {
        if (auto module = loadFirst(programPath, {override}))
            return module;
        if (abbreviation.isEmpty())
            return nullptr;
    }
    return loadFirst(programPath, withTwoLetterFallback(abbreviation));
}

std::shared_ptr<const LanguageModule> ReInit::LoadLanguageModule(int localeId)
{
    const QString abbreviation = LocaleTable::abbreviationOf(localeId);
    if (abbreviation.isEmpty())
        return nullptr;
    auto module = loadFirst(StartupEnvironment::programPath(), withTwoLetterFallback(abbreviation));
    if (!module)
        return nullptr;
    return SetResourceModule(std::move(module));
}

std::shared_ptr<const LanguageModule> ReInit::SetResourceModule(std::shared_ptr<const LanguageModule> module)
{
    // The module in force before is released here, unless someone still reads from it.
    ResourceModule::setLanguageModule(module);
    QtTranslations::follow(module ? module->language() : QString());
    return module;
}

void ReInit::ReloadAllForms()
{
    for (TForm* form : TForm::forms())
        ReloadFormLayouts(*form);
}

bool ReInit::ReloadFormLayouts(TForm& form)
{
    QStringList classes;
    for (const QMetaObject* meta = form.metaObject(); meta && meta != &TForm::staticMetaObject;
         meta = meta->superClass())
        classes.prepend(QString::fromLatin1(meta->className()));
    bool anyRead = false;
    for (const QString& className : classes)
        anyRead = ReloadLayout(className, form) || anyRead;
    return anyRead;
}

bool ReInit::ReloadLayout(const QString& layoutName, TForm& form)
{
    return LayoutReader::reread(form, layoutName);
}
