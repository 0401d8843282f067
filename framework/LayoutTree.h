#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The parsed form of a window layout: components with their properties in the order listed.

struct LayoutObject;

struct LayoutValue {
    enum class Kind {
        Integer,    // 12, -3, 0xFF
        String,     // "text"
        Identifier, // true, clMaroon, alClient
        Set,        // [fsBold, fsItalic]
        StringList, // ("a", "b") or ()
        File,       // file "art/main/top.jpg": the bytes of a resource file
        Collection, // (item ... end item ... end): a stored list of items
    };
    Kind kind = Kind::Integer;
    qint64 integer = 0;
    QString text;                 // String, Identifier, File path
    QStringList items;            // Set, StringList
    QList<LayoutObject> elements; // Collection: one unnamed object per item
};

struct LayoutProperty {
    QString name; // may be a path such as "Font.Height"
    LayoutValue value;
    int line = 0;
};

struct LayoutObject {
    QString name;
    QString className;
    QList<LayoutProperty> properties;
    QList<LayoutObject> children;
    int line = 0;
};
