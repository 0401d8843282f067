#pragma once

#include "framework/TCustomControl.h"

#include <QList>
#include <QRect>

class QPainter;
class TTabSheet;

// A set of pages (TTabSheet children) of which one shows at a time, chosen by text-only tabs
// above a raised frame. With MultiLine the tabs go on as many rows as they need, each row
// filled to the full width, and the row that holds the selected tab moves next to the page.
// A left press on a tab, the arrow keys and Ctrl+Tab change the page and raise OnChanging,
// then OnChange; choosing a page from code raises neither.
class TPageControl : public TCustomControl {
    Q_OBJECT
    // The active page by its name; a layout's name is looked up once the pages exist.
    Q_PROPERTY(QString ActivePage READ activePageName WRITE setActivePageName)
    Q_PROPERTY(bool MultiLine READ multiLine WRITE setMultiLine)

public:
    explicit TPageControl(QWidget* parent = nullptr);
    ~TPageControl() override;

    int PageCount() const { return int(m_pages.size()); }
    TTabSheet* page(int index) const { return m_pages.value(index); }
    const QList<TTabSheet*>& pages() const { return m_pages; }

    TTabSheet* activePage() const { return m_activePage; }
    void setActivePage(TTabSheet* page);
    QString activePageName() const;
    void setActivePageName(const QString& name);
    // Index of the active page, -1 when there is none.
    int tabIndex() const { return int(m_pages.indexOf(m_activePage)); }

    bool multiLine() const { return m_multiLine; }
    void setMultiLine(bool multiLine);

    // The tabs as they are laid out now: the rectangle of each page's tab (the selected one
    // before it is drawn raised), the number of rows and the area the pages fill.
    QRect tabRect(int index) const;
    int rowCount() const;
    QRect displayRect() const;
    // The page whose tab is at pos, -1 for none.
    int indexOfTabAt(const QPoint& pos) const;

    // Makes the next (or previous) page active, wrapping around, as the user's Ctrl+Tab does.
    void SelectNextPage(bool goForward);

    // Draws the tabs and the frame; paintEvent only calls this.
    void paint(QPainter& painter) const;

    // Looks up the active page a layout named; throws AppError when there is no such page.
    Q_INVOKABLE void Loaded();

Q_SIGNALS:
    void OnChanging(QObject* Sender, bool& AllowChange);
    void OnChange(QObject* Sender);

protected:
    void MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y) override;
    void KeyDown(int& key, Qt::KeyboardModifiers shift) override;
    void DoEnter() override;
    void DoExit() override;

    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    friend class TTabSheet;

    struct TabLayout {
        QList<QRect> rects; // by page index
        int rows = 1;
        int frameTop = 0; // first line of the frame around the pages
    };

    void insertPage(TTabSheet* page);
    void removePage(TTabSheet* page);
    void pageCaptionChanged();
    // A change the user asked for: OnChanging may refuse it, OnChange follows it.
    void changePageByUser(int index);
    TabLayout tabLayout() const;
    // Puts every page on the display area; only the active one is visible.
    void placePages();

    QList<TTabSheet*> m_pages;
    TTabSheet* m_activePage = nullptr;
    QString m_pendingActivePage;
    bool m_multiLine = false;
};
