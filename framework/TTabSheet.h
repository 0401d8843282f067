#pragma once

#include "framework/TControl.h"

class QPainter;
class TPageControl;

// One page of a page control: a button-face area that holds the page's components, shown
// while its tab is selected. A sheet created inside a page control joins it as its last page.
class TTabSheet : public TControl {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ caption WRITE setCaption)
    // Kept for layouts; the page control shows text-only tabs.
    Q_PROPERTY(int ImageIndex READ imageIndex WRITE setImageIndex)

public:
    explicit TTabSheet(QWidget* parent = nullptr);
    ~TTabSheet() override;

    QString caption() const { return m_caption; }
    void setCaption(const QString& caption);
    int imageIndex() const { return m_imageIndex; }
    void setImageIndex(int index) { m_imageIndex = index; }

    TPageControl* pageControl() const { return m_pageControl; }
    // Moves the sheet into pageControl as its last page (nullptr: out of any page control).
    void setPageControl(TPageControl* pageControl);
    // Position among its page control's pages, -1 outside one.
    int pageIndex() const;

    void paint(QPainter& painter) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    friend class TPageControl;

    // Puts the sheet on its page control's page area.
    void place(const QRect& area);

    QString m_caption;
    int m_imageIndex = 0;
    TPageControl* m_pageControl = nullptr;
};
