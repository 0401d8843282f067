#include "framework/ComponentRegistry.h"

#include "framework/TAction.h"
#include "framework/TActionList.h"
#include "framework/TBevel.h"
#include "framework/TFontDialog.h"
#include "framework/TImage.h"
#include "framework/TLabel.h"
#include "framework/TOpenDialog.h"
#include "framework/TPageControl.h"
#include "framework/TPanel.h"
#include "framework/TPrintDialog.h"
#include "framework/TRadioButton.h"
#include "framework/TSaveDialog.h"
#include "framework/TStatusBar.h"
#include "framework/TTabSheet.h"

#include <QHash>

namespace {
struct Entry {
    ComponentRegistry::Factory factory;
    bool isControl = false;
};

QHash<QString, Entry>& registry()
{
    static QHash<QString, Entry> entries;
    static const bool frameworkClasses = [] {
        // Registered here directly: the framework's own classes need no call from outside.
        auto control = [](auto* tag) {
            using T = std::remove_pointer_t<decltype(tag)>;
            return Entry{[](QObject* parent) -> QObject* { return new T(static_cast<QWidget*>(parent)); }, true};
        };
        auto component = [](auto* tag) {
            using T = std::remove_pointer_t<decltype(tag)>;
            return Entry{[](QObject* parent) -> QObject* { return new T(parent); }, false};
        };
        entries.insert("TImage", control(static_cast<TImage*>(nullptr)));
        entries.insert("TLabel", control(static_cast<TLabel*>(nullptr)));
        entries.insert("TPanel", control(static_cast<TPanel*>(nullptr)));
        entries.insert("TBevel", control(static_cast<TBevel*>(nullptr)));
        entries.insert("TRadioButton", control(static_cast<TRadioButton*>(nullptr)));
        entries.insert("TStatusBar", control(static_cast<TStatusBar*>(nullptr)));
        entries.insert("TPageControl", control(static_cast<TPageControl*>(nullptr)));
        entries.insert("TTabSheet", control(static_cast<TTabSheet*>(nullptr)));
        entries.insert("TOpenDialog", component(static_cast<TOpenDialog*>(nullptr)));
        entries.insert("TSaveDialog", component(static_cast<TSaveDialog*>(nullptr)));
        entries.insert("TPrintDialog", component(static_cast<TPrintDialog*>(nullptr)));
        entries.insert("TFontDialog", component(static_cast<TFontDialog*>(nullptr)));
        entries.insert("TActionList", component(static_cast<TActionList*>(nullptr)));
        entries.insert("TAction", component(static_cast<TAction*>(nullptr)));
        return true;
    }();
    Q_UNUSED(frameworkClasses);
    return entries;
}
} // namespace

void ComponentRegistry::add(const QString& className, Factory factory, bool isControl)
{
    registry().insert(className, Entry{std::move(factory), isControl});
}

bool ComponentRegistry::contains(const QString& className)
{
    return registry().contains(className);
}

bool ComponentRegistry::isControl(const QString& className)
{
    return registry().value(className).isControl;
}

QObject* ComponentRegistry::create(const QString& className, QObject* parent)
{
    const auto it = registry().constFind(className);
    if (it == registry().constEnd())
        return nullptr;
    return it->factory(parent);
}
