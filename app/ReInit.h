#pragma once

#include <QString>
#include <QStringList>
#include <memory>

class LanguageModule;
class TForm;

// Choosing the interface language: finding and loading language modules, making one the
// resource module, and reading the layouts of the open windows again from it.
//
// A module is named after the program file: "<program file>.<ABBR>" (lumaropad.DEU), the
// abbreviation appended when the file name has no extension and replacing the extension when
// it has one. A three-letter abbreviation that finds no module is tried again with its first
// two letters (lumaropad.DE). Each name is looked for beside the program, then in the installed
// data folder ../share/lumaropad/ relative to it; never anywhere else. A module that is found
// but damaged is refused with a message on stderr, and the lookup goes on.
class ReInit {
public:
    // Per-user settings: organisation and application, and the group of the start-up override.
    static const QString SettingsOrganization;
    static const QString SettingsApplication;
    static const QString OverrideGroup;
    static const QString OverrideDefaultKey;

    // The module's file name for an extension ("DEU"), beside the program.
    static QString moduleFileName(const QString& programPath, const QString& extension);
    // The files looked for, in order, for the extensions in order.
    static QStringList moduleCandidates(const QString& programPath, const QStringList& extensions);
    // Whether a text may serve as a module extension: one to four letters or digits.
    static bool isModuleExtension(const QString& text);

    // The per-user override of the start-up lookup: the value named by the program's full path
    // in the override group, else the group's default value; empty when there is neither.
    static QString startupOverride(const QString& programPath);

    // Run once at start-up, before any window: the module for the override (--language, then
    // the per-user setting) or the user's locale, or null. The caller makes it the resource module.
    static std::shared_ptr<const LanguageModule> LoadStartupLanguageModule(const QString& programPath);
    // Loads the module of a locale and makes it the resource module; null (and nothing
    // changes) when there is none.
    static std::shared_ptr<const LanguageModule> LoadLanguageModule(int localeId);
    // Makes the module the resource module (null: the program's own texts); Qt's own dialogs
    // follow its language. Returns the module.
    static std::shared_ptr<const LanguageModule>
    SetResourceModule(std::shared_ptr<const LanguageModule> module);

    // Reads the layouts of every open window again from the resource module, in the order the
    // windows were created.
    static void ReloadAllForms();
    // Reads the layouts of the window's classes again, ancestors first, from the class below
    // TForm down to the window's own; whether any layout was read.
    static bool ReloadFormLayouts(TForm& form);
    // Reads the named layout of the resource module onto the window; false when the module
    // has no such layout.
    static bool ReloadLayout(const QString& layoutName, TForm& form);

private:
    static std::shared_ptr<const LanguageModule> loadFirst(const QString& programPath,
                                                           const QStringList& extensions);
};
