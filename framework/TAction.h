#pragma once

#include <QObject>
#include <QString>

class TActionList;

// A command of a window's command table: caption, hint, shortcut and the handler it runs.
// The shortcut is one 16-bit value: the virtual-key code in the low byte, plus 0x2000 for Shift,
// 0x4000 for Ctrl and 0x8000 for Alt (Ctrl+N is 16462).
class TAction : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ caption WRITE setCaption)
    Q_PROPERTY(QString Category READ category WRITE setCategory)
    Q_PROPERTY(QString Hint READ hint WRITE setHint)
    Q_PROPERTY(int ShortCut READ shortCut WRITE setShortCut)
    Q_PROPERTY(bool Enabled READ isEnabled WRITE setEnabled)

public:
    explicit TAction(QObject* parent = nullptr);

    QString caption() const { return m_caption; }
    void setCaption(const QString& caption) { m_caption = caption; }
    QString category() const { return m_category; }
    void setCategory(const QString& category) { m_category = category; }
    QString hint() const { return m_hint; }
    void setHint(const QString& hint) { m_hint = hint; }
    int shortCut() const { return m_shortCut; }
    void setShortCut(int shortCut) { m_shortCut = shortCut; }
    bool isEnabled() const { return m_enabled; }
    void setEnabled(bool enabled) { m_enabled = enabled; }

    TActionList* actionList() const;

    // Runs its list's OnUpdate, which may enable or disable it.
    void Update();
    // Updates the action, then runs OnExecute when it is enabled. Returns whether it ran.
    bool Execute();

Q_SIGNALS:
    void OnExecute(QObject* Sender);

private:
    QString m_caption;
    QString m_category;
    QString m_hint;
    int m_shortCut = 0;
    bool m_enabled = true;
};
