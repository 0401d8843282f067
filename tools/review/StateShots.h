#pragma once

#include <QImage>
#include <QList>
#include <QMargins>
#include <QString>

class QWidget;
class TLumaroLButton;
class TOwnerCheck;
class TPickerComboBox;

// Pictures of controls in each of their states, taken from the window they stand in (so a
// picture shows how the control meets the artwork around it). Every state is set through the
// control's own input or properties and put back afterwards; no command runs.
class StateShots {
public:
    struct Look {
        QString state;
        QImage picture;
    };

    // Tells every control of the window that the pointer is elsewhere, so that a picture of the
    // window shows no control under the pointer.
    static void pointerAway(QWidget& window);
    // The part of the control's window around the control, as the window draws it now.
    static QImage around(QWidget& control, const QMargins& margins);
    // An image button up, with the pointer over it, pressed (the press is let go outside, so
    // it clicks nothing) and disabled.
    static QList<Look> buttonLooks(TLumaroLButton& button, const QMargins& margins);
    // A check box unchecked, checked, held down, grayed and with the focus; its OnClick is not
    // raised.
    static QList<Look> checkBoxLooks(TOwnerCheck& box, const QMargins& margins);
    // A picker with its list open below it.
    static QImage withOpenList(TPickerComboBox& picker);
    // The looks side by side, each named below its picture.
    static QImage row(const QList<Look>& looks);
};
