#pragma once

#include <QByteArray>
#include <QString>
#include <memory>

class LanguageModule;

// The module that strings, layouts and artwork are read from at the moment of use: the
// program's own compiled-in resources, or one language module. A language module carries the
// texts (the string table and the layouts); the artwork its layouts name is the program's own.
class ResourceModule {
public:
    // Root of the program's own resources.
    static QString programRoot();
    // Root of the resource tree in force (the program's unless a folder stands in for it).
    static QString currentRoot();
    // Makes a folder holding a whole resource tree the module in force, in place of any language
    // module (programRoot() restores the program's); tests use it to stand in for the program's
    // resources.
    static void setCurrentRoot(const QString& root);

    // The language module in force; null when the program's own texts are.
    static std::shared_ptr<const LanguageModule> languageModule();
    // Makes the module's texts the ones in force; null returns to the program's own.
    static void setLanguageModule(std::shared_ptr<const LanguageModule> module);

    // Counts the changes of the module in force, so readers can drop what they parsed earlier.
    static quint64 generation();

    // Reads a file of the module in force; found tells whether it exists.
    static QByteArray read(const QString& relativePath, bool* found = nullptr);
    static bool contains(const QString& relativePath);
};
