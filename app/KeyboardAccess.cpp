#include "app/KeyboardAccess.h"

#include "controls/TLumaroLButton.h"
#include "controls/TOwnerCheck.h"
#include "framework/MessageDispatch.h"

#include <QApplication>
#include <QKeyEvent>
#include <QShortcut>
#include <QWidget>

namespace {
// The round of the Tab key, in reading order.
const char* const Round[] = {
    "LumaroLButton1",  "LumaroLButton2",  "LumaroLButton3",  "LumaroLButton4",  "FontName",
    "FontSize",        "LumaroLButton10", "LumaroLButton15", "LumaroLButton14", "LumaroLButton9",
    "LumaroLButton12", "LumaroLButton8",  "LumaroLButton7",  "LumaroLButton6",  "LumaroLButton5",
    "LumaroLButton13", "LumaroLButton11", "BoldButton",      "UnderlineButton", "ItalicButton",
    "BulletsButton",   "Editor",
};
constexpr int RoundLength = int(std::size(Round));

bool reachable(const QWidget* widget)
{
    return widget && widget->isVisible() && widget->isEnabled() && !widget->size().isEmpty() &&
           (widget->focusPolicy() & Qt::TabFocus);
}
} // namespace

KeyboardAccess::KeyboardAccess(QWidget& window) : QObject(&window), m_window(window)
{
    for (TLumaroLButton* button : window.findChildren<TLumaroLButton*>())
        button->setFocusPolicy(Qt::TabFocus);
    for (TOwnerCheck* check : window.findChildren<TOwnerCheck*>())
        check->setFocusPolicy(Qt::TabFocus);
    for (QWidget* widget : window.findChildren<QWidget*>()) {
        if (widget->size().isEmpty() && !widget->isWindow())
            widget->setFocusPolicy(Qt::NoFocus);
    }
    if (QWidget* editor = component("Editor"))
        editor->installEventFilter(this);

    const struct {
        QKeyCombination key;
        const char* checkBox;
    } styleKeys[] = {{Qt::CTRL | Qt::Key_B, "BoldButton"},
                     {Qt::CTRL | Qt::Key_I, "ItalicButton"},
                     {Qt::CTRL | Qt::Key_U, "UnderlineButton"}};
    for (const auto& styleKey : styleKeys) {
        auto* shortcut = new QShortcut(QKeySequence(styleKey.key), &window);
        const char* name = styleKey.checkBox;
        connect(shortcut, &QShortcut::activated, this, [this, name] { toggle(name); });
    }
}

QWidget* KeyboardAccess::component(const char* name) const
{
    return m_window.findChild<QWidget*>(QLatin1String(name));
}

void KeyboardAccess::toggle(const char* checkBox)
{
    auto* check = qobject_cast<TOwnerCheck*>(component(checkBox));
    if (check && check->isEnabled())
        MessageDispatch::run([check] { check->setChecked(!check->checked()); });
}

bool KeyboardAccess::moveFocus(bool forward)
{
    // Where the focus is now: a control of the round, or a part of one (a picker's text field).
    int at = -1;
    for (QWidget* focus = QApplication::focusWidget(); focus && at < 0; focus = focus->parentWidget()) {
        for (int i = 0; i < RoundLength && at < 0; ++i) {
            if (component(Round[i]) == focus)
                at = i;
        }
    }
    if (at < 0)
        at = forward ? RoundLength - 1 : 0;
    for (int step = 1; step <= RoundLength; ++step) {
        const int i = ((at + (forward ? step : -step)) % RoundLength + RoundLength) % RoundLength;
        QWidget* next = component(Round[i]);
        if (reachable(next)) {
            next->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return true;
        }
    }
    return false;
}

bool KeyboardAccess::eventFilter(QObject* watched, QEvent* event)
{
    // In the editor Tab is a character; Ctrl+Tab and Shift+Tab lead out of it.
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool control = key->modifiers().testFlag(Qt::ControlModifier);
        if (key->key() == Qt::Key_Backtab || (control && key->key() == Qt::Key_Tab))
            return moveFocus(key->key() == Qt::Key_Tab);
    }
    return QObject::eventFilter(watched, event);
}
