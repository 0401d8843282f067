#pragma once

#include <QObject>
#include <QString>
#include <optional>

class QWidget;

// Keeps a control aligned to an edge of its parent, or filling it, as the parent resizes.
class AlignFollower : public QObject {
    Q_OBJECT
public:
    enum class Align { None, Top, Bottom, Left, Right, Client };

    static std::optional<Align> fromName(const QString& name);
    static void apply(QWidget* widget, Align align);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    AlignFollower(QWidget* widget, Align align);
    void place();

    QWidget* m_widget;
    Align m_align;
};
