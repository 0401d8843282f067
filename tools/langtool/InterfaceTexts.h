#pragma once

#include "framework/LayoutTree.h"

#include <QHash>
#include <QList>
#include <QMap>
#include <QSet>
#include <QString>

// The English texts of the interface that translators translate, read from the program's
// resources: every entry of the string table, and the captions, hints, file-type lists and
// file names of the window layouts, except those listed as never shown as they stand.
//
// Each text is known to translators by its context (the window class, or "StringTable") and
// its key (the component and property, "LumaroLButton13.Hint", or the string's number).
struct InterfaceText {
    QString context;
    QString key;
    QString source;
    QString note; // what and where the text is, for the translator
};

class InterfaceTexts {
public:
    static const QString StringTableContext;

    // Reads resourcesFolder/layouts/*.layout, resourcesFolder/strings/strings.txt and the list
    // of texts kept as they stand ("Window Component.Property" per line, '#' comments).
    // Throws AppError naming the file that cannot be read.
    static InterfaceTexts read(const QString& resourcesFolder, const QString& untranslatedList);

    // The folder the texts were read from (its art/ holds the program's artwork).
    QString resourcesFolder() const { return m_resourcesFolder; }
    // The layouts by window class, in name order, and the string table.
    const QMap<QString, LayoutObject>& layouts() const { return m_layouts; }
    const QMap<int, QString>& strings() const { return m_strings; }
    // Every text to translate, in the order of the layouts and the table.
    const QList<InterfaceText>& texts() const { return m_texts; }

    // Whether a property of the layouts holds a text for people to read.
    static bool isTextProperty(const QString& propertyName);

private:
    void collect(const QString& context, const LayoutObject& object, bool isWindow);

    QString m_resourcesFolder;
    QMap<QString, LayoutObject> m_layouts;
    QMap<int, QString> m_strings;
    QSet<QString> m_untranslated;
    QList<InterfaceText> m_texts;
};
