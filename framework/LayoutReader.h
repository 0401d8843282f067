#pragma once

#include "framework/LayoutTree.h"

#include <QString>
#include <optional>

class QWidget;

// Builds a window from its layout, or reads a layout again onto an existing window.
//
// Creating: the components are created by class name in the order listed, each with its
// properties set in order and its handlers bound; nested components are created inside their
// parent. When everything is read, each object's after-load step (a method "Loaded()", where
// it has one) runs: the window first, then every component in the order its reading finished.
//
// Re-reading matches components by name ("Ancestor for '%s' not found" for a name the window
// lacks), assigns only what the layout stores, rebuilds stored lists, replaces event bindings
// and runs the after-load steps again.
class LayoutReader {
public:
    enum class Mode { Create, Reread };

    static QString layoutPath(const QString& layoutName);
    // The parsed layout stored under the name in the module in force; nullopt when absent.
    static std::optional<LayoutObject> load(const QString& layoutName);

    static void read(QWidget& window, const LayoutObject& layout, Mode mode, const QString& sourceName);

    // Creates the components of the window from the layout of its class name.
    static void build(QWidget& window);
    // Reads the named layout again onto the window; false when the module has no such layout.
    static bool reread(QWidget& window, const QString& layoutName);
};
