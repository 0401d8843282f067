#pragma once

#include <QByteArray>
#include <QString>

// The module that strings, layouts and artwork are read from at the moment of use: the
// program's own compiled-in resources, or one language module mapped into the resource tree.
class ResourceModule {
public:
    // Root of the program's own resources.
    static QString programRoot();
    // Root of the module in force.
    static QString currentRoot();
    // Makes the module mapped at root the one in force (programRoot() restores the program's).
    static void setCurrentRoot(const QString& root);
    // Counts the changes of the module in force, so readers can drop what they parsed earlier.
    static quint64 generation();

    // Reads a file of the module in force; found tells whether it exists.
    static QByteArray read(const QString& relativePath, bool* found = nullptr);
    static bool contains(const QString& relativePath);
};
