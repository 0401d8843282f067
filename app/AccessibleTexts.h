#pragma once

class QWidget;
class QString;

// Names and describes the main window's controls for assistive technology, in the language in
// force: a picture button after the command it runs (the caption and hint of the action bound
// to the same handler, else the button's own hint), a check box after the label picture beside
// it, and whatever no command names (the editor, the pickers, the ruler and its markers) from
// the string table. The window applies them after every reading of its layout, so they follow
// a switch of language.
class AccessibleTexts {
public:
    static void apply(QWidget& window);
    // Makes the main window's ruler (a panel) known to assistive technology as the group of its
    // indent markers.
    static void installRoles();
    // An action's caption as a name: "&Open..." reads "Open".
    static QString plainCaption(const QString& caption);
};
