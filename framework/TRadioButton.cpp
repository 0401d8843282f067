#include "framework/TRadioButton.h"

#include "framework/MessageDispatch.h"

TRadioButton::TRadioButton(QWidget* parent) : QRadioButton(parent) {}

void TRadioButton::setCheckedState(bool checked)
{
    if (checked == isChecked())
        return;
    if (!checked) {
        // Qt keeps the checked button of a group checked; this framework lets code clear it.
        setAutoExclusive(false);
        setChecked(false);
        setAutoExclusive(true);
        return;
    }
    setChecked(true);
    Q_EMIT OnClick(this);
}

void TRadioButton::nextCheckState()
{
    const bool wasChecked = isChecked();
    QRadioButton::nextCheckState();
    if (!wasChecked && isChecked())
        MessageDispatch::run([&] { Q_EMIT OnClick(this); });
}
