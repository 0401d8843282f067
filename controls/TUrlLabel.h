#pragma once

#include "framework/Colors.h"
#include "framework/TLabel.h"

#include <optional>

class QAction;
class QMenu;

// A label that acts as a link: blue underlined text under the hand pointer, ActiveColor while
// the left button is held on it. A click opens URL (or the caption when URL is blank) with the
// desktop's handler, after OnClick; the context menu's one entry copies the caption.
class TUrlLabel : public TLabel {
    Q_OBJECT
    Q_PROPERTY(QString URL READ url WRITE setUrl)
    Q_PROPERTY(quint32 ActiveColor READ activeColor WRITE setActiveColor)

public:
    // The cursor table's entry of the hand pointer.
    static constexpr int HandCursor = 5;

    explicit TUrlLabel(QWidget* parent = nullptr);

    QString url() const { return m_url; }
    void setUrl(const QString& url) { m_url = url; }
    Colors::TColor activeColor() const { return m_activeColor; }
    void setActiveColor(Colors::TColor color) { m_activeColor = color; }

    QMenu* popupMenu() const { return m_popupMenu; }
    // What a click opens: URL when its trimmed text is not empty, else the caption.
    QString target() const;

    // The "Copy" entry: the caption as plain text on the clipboard.
    void CopyClick();

protected:
    void Click() override;
    void MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y) override;
    void MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    // Registers the hand pointer from the resources, or removes the entry when it is missing.
    static void loadHandCursor();

    QString m_url;
    // Set by a left press, so that a release without one restores nothing.
    std::optional<Colors::TColor> m_savedColor;
    Colors::TColor m_activeColor = Colors::clPurple;
    QMenu* m_popupMenu;
    QAction* m_copyItem;
};
