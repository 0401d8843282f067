#pragma once

#include "framework/LayoutTree.h"

class QObject;

// Assigns one property of a layout to an object: a declared property of the object (Qt's
// meta-object system) or, for controls, one of the properties every control has (position,
// size, visibility, hint, tag, tab order, cursor, alignment). A name such as "Font.Height" sets
// a property of the object held by the first part. Event properties bind the handler of that
// name on the window. Failures throw AppError with the reason only; the reader adds where.
class PropertyWriter {
public:
    PropertyWriter(QObject* window, bool isRoot);

    void write(QObject* target, const LayoutProperty& property);

private:
    void writePath(QObject* target, const QString& path, const LayoutValue& value);
    bool writeDeclared(QObject* target, const QString& name, const LayoutValue& value);
    bool writeCommon(QObject* target, const QString& name, const LayoutValue& value);

    QObject* m_window;
    bool m_isRoot;
};
