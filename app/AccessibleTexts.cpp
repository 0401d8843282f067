#include "app/AccessibleTexts.h"

#include "controls/TLumaroLButton.h"
#include "framework/EventBindings.h"
#include "framework/StringIds.h"
#include "framework/StringTable.h"
#include "framework/TAction.h"

#include <QAccessibleWidget>
#include <QComboBox>
#include <QLabel>
#include <QWidget>

namespace {
// Texts of the string table for what no action names: by the handler a picture button runs,
// or by component name. A name id of 0 leaves the name to the button's own hint.
struct Texts {
    const char* key;
    int nameId;
    int descriptionId;
};

constexpr Texts ButtonTexts[] = {
    {"HelpAbout", StringId::AccessibleAbout, StringId::AccessibleAboutHint},
    {"LumaroLButton14Click", 0, StringId::AccessibleWorldTimesHint},
    {"LumaroLButton15Click", 0, StringId::AccessibleMetricTablesHint},
    {"LumaroLButton13Click", 0, StringId::AccessibleSelectAllHint},
    {"LumaroLButton11Click", 0, StringId::AccessibleDeleteHint},
    {"SelectFont", 0, StringId::AccessibleFontDialogHint},
};

constexpr Texts ComponentTexts[] = {
    {"Editor", StringId::AccessibleEditor, StringId::AccessibleEditorHint},
    {"Ruler", StringId::AccessibleRuler, StringId::AccessibleRulerHint},
    {"FirstInd", StringId::AccessibleFirstIndent, StringId::AccessibleRulerHint},
    {"LeftInd", StringId::AccessibleLeftIndent, StringId::AccessibleRulerHint},
    {"RightInd", StringId::AccessibleRightIndent, StringId::AccessibleRulerHint},
    {"FontName", StringId::AccessibleFontName, StringId::AccessibleFontNameHint},
    {"FontSize", StringId::AccessibleFontSize, StringId::AccessibleFontSizeHint},
    {"BulletsButton", StringId::AccessibleBullets, StringId::AccessibleBulletsHint},
};

// The check boxes are named by the hint of the label picture beside them.
struct CheckLabel {
    const char* check;
    const char* label;
    int descriptionId;
};

constexpr CheckLabel CheckLabels[] = {
    {"BoldButton", "Image3", StringId::AccessibleBoldHint},
    {"UnderlineButton", "Image4", StringId::AccessibleUnderlineHint},
    {"ItalicButton", "Image5", StringId::AccessibleItalicHint},
};

QString text(int id)
{
    return id ? StringTable::load(id) : QString();
}

const Texts* find(const Texts* begin, const Texts* end, const QString& key)
{
    for (const Texts* t = begin; t != end; ++t) {
        if (key == QLatin1String(t->key))
            return t;
    }
    return nullptr;
}

// The ruler is a group of its indent markers, each of which indicates a place.
QAccessibleInterface* rulerInterface(const QString&, QObject* object)
{
    if (!object->isWidgetType())
        return nullptr;
    auto* widget = static_cast<QWidget*>(object);
    const bool onRuler =
        widget->parentWidget() && widget->parentWidget()->objectName() == QLatin1String("Ruler");
    if (object->objectName() == QLatin1String("Ruler") && object->inherits("TPanel"))
        return new QAccessibleWidget(widget, QAccessible::Grouping);
    if (onRuler && object->inherits("TLabel"))
        return new QAccessibleWidget(widget, QAccessible::Indicator);
    return nullptr;
}

// On Linux a combo box is named by the label related to it (Qt gives its value as its name):
// the picker gets a label of its own, never shown.
void labelFor(QWidget& window, QComboBox& picker, const QString& name)
{
    const QString labelName = picker.objectName() + QStringLiteral("Label");
    auto* label = window.findChild<QLabel*>(labelName);
    if (!label) {
        label = new QLabel(&window);
        label->setObjectName(labelName);
        label->setTextFormat(Qt::PlainText);
        label->hide();
        label->setBuddy(&picker);
    }
    label->setText(name);
}

TAction* actionRunning(QWidget& window, const QString& handler)
{
    if (handler.isEmpty())
        return nullptr;
    for (TAction* action : window.findChildren<TAction*>()) {
        if (EventBindings::boundHandler(action, QStringLiteral("OnExecute")) == handler)
            return action;
    }
    return nullptr;
}

void nameButton(QWidget& window, TLumaroLButton& button)
{
    const QString handler = EventBindings::boundHandler(&button, QStringLiteral("OnClick"));
    const TAction* action = actionRunning(window, handler);
    const Texts* fallback = find(std::begin(ButtonTexts), std::end(ButtonTexts), handler);
    QString name = action ? AccessibleTexts::plainCaption(action->caption()) : QString();
    if (name.isEmpty())
        name = button.property("Hint").toString();
    if (name.isEmpty() && fallback)
        name = text(fallback->nameId);
    QString description = action ? action->hint() : QString();
    if (description.isEmpty() && fallback)
        description = text(fallback->descriptionId);
    button.setAccessibleName(name);
    button.setAccessibleDescription(description);
}
} // namespace

QString AccessibleTexts::plainCaption(const QString& caption)
{
    QString plain;
    for (qsizetype i = 0; i < caption.size(); ++i) {
        // "&&" stands for one "&"; a single one marks the access key.
        if (caption[i] == u'&' && i + 1 < caption.size())
            ++i;
        plain.append(caption[i]);
    }
    while (plain.endsWith(u'.') || plain.endsWith(u'\u2026'))
        plain.chop(1);
    return plain.trimmed();
}

void AccessibleTexts::installRoles()
{
    QAccessible::installFactory(rulerInterface);
}

void AccessibleTexts::apply(QWidget& window)
{
    for (TLumaroLButton* button : window.findChildren<TLumaroLButton*>())
        nameButton(window, *button);
    for (const Texts& t : ComponentTexts) {
        if (auto* widget = window.findChild<QWidget*>(QLatin1String(t.key))) {
            widget->setAccessibleName(text(t.nameId));
            widget->setAccessibleDescription(text(t.descriptionId));
            if (auto* picker = qobject_cast<QComboBox*>(widget))
                labelFor(window, *picker, text(t.nameId));
        }
    }
    for (const CheckLabel& c : CheckLabels) {
        auto* check = window.findChild<QWidget*>(QLatin1String(c.check));
        const auto* label = window.findChild<QWidget*>(QLatin1String(c.label));
        if (check && label) {
            check->setAccessibleName(label->property("Hint").toString());
            check->setAccessibleDescription(text(c.descriptionId));
        }
    }
}
