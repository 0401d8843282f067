#pragma once

#include <QRadioButton>

// A radio button whose OnClick comes whenever it becomes checked, by the user or from code.
// Radio buttons with the same parent form one group: checking one unchecks the others.
// Unchecking, or checking a checked button, raises nothing.
class TRadioButton : public QRadioButton {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ text WRITE setText)
    Q_PROPERTY(bool Checked READ isChecked WRITE setCheckedState)
    Q_PROPERTY(int Tag READ tag WRITE setTag)

public:
    explicit TRadioButton(QWidget* parent = nullptr);

    int tag() const { return m_tag; }
    void setTag(int tag) { m_tag = tag; }
    // Sets the state as code does; becoming checked raises OnClick.
    void setCheckedState(bool checked);

Q_SIGNALS:
    void OnClick(QObject* Sender);

protected:
    void nextCheckState() override;

private:
    int m_tag = 0;
};
