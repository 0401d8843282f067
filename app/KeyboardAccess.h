#pragma once

#include <QObject>

class QWidget;

// The main window's keyboard routes besides its command table. Tab and Shift+Tab go round every
// visible control in reading order: the top row left to right, the left column top to bottom,
// the check boxes, then the editor. The editor keeps Tab as a character; Ctrl+Tab and Shift+Tab
// leave it. The picture buttons and check boxes take the focus from the keyboard only, so a
// click on one leaves the focus where it was; hidden and zero-sized controls never take it.
// Ctrl+B, Ctrl+I and Ctrl+U toggle the bold, italic and underline boxes.
class KeyboardAccess : public QObject {
    Q_OBJECT

public:
    // Sets up the routes of a window whose components exist (after its layout is read).
    explicit KeyboardAccess(QWidget& window);

    // Moves the focus to the next (or previous) control of the round; false when there is none.
    bool moveFocus(bool forward);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* component(const char* name) const;
    void toggle(const char* checkBox);

    QWidget& m_window;
};
