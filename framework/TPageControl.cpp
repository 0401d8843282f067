#include "framework/TPageControl.h"

#include "framework/AppError.h"
#include "framework/Colors.h"
#include "framework/TTabSheet.h"

#include <QEvent>
#include <QFontMetrics>
#include <QPainter>

namespace {
// The classic metrics: the selected tab stands this much out of its row on the left, the
// right and the top; the rows begin this far in, so that it stays inside the control.
constexpr int SelectedLift = 2;
// Blank space left and right of a tab's text.
constexpr int TabPadding = 6;
// Rows are the text's height and this much more.
constexpr int RowExtra = 5;
// The pages lie this far inside the frame's outer edge (2 pixels of bevel, 2 of margin).
constexpr int PageInset = 4;

QColor face()
{
    return Colors::toQColor(Colors::clBtnFace);
}

// The pages' indexes per row, first row first. Rows hold as many tabs as fit, then the rows
// are evened out by count where every row still fits, so a short last row does not stretch
// one or two tabs across the whole width.
QList<QList<int>> splitIntoRows(const QList<int>& widths, int available, bool multiLine)
{
    QList<QList<int>> rows;
    if (widths.isEmpty())
        return rows;
    if (!multiLine) {
        QList<int> all;
        for (int i = 0; i < widths.size(); ++i)
            all.append(i);
        rows.append(all);
        return rows;
    }
    int used = 0;
    for (int i = 0; i < widths.size(); ++i) {
        if (rows.isEmpty() || (!rows.last().isEmpty() && used + widths[i] > available)) {
            rows.append(QList<int>());
            used = 0;
        }
        rows.last().append(i);
        used += widths[i];
    }
    if (rows.size() < 2)
        return rows;

    const qsizetype count = widths.size();
    const qsizetype perRow = count / rows.size();
    const qsizetype longerRows = count % rows.size();
    QList<QList<int>> even;
    int next = 0;
    for (qsizetype row = 0; row < rows.size(); ++row) {
        QList<int> indexes;
        int width = 0;
        const qsizetype size = perRow + (row < longerRows ? 1 : 0);
        for (qsizetype k = 0; k < size; ++k) {
            width += widths[next];
            indexes.append(next++);
        }
        if (width > available)
            return rows;
        even.append(indexes);
    }
    return even;
}

// A tab in the classic raised style: highlight on the left and top with cut corners, dark
// shadow and shadow on the right; its bottom stays open towards the page.
void drawTabShape(QPainter& painter, const QRect& r)
{
    const QColor highlight = Colors::toQColor(Colors::clBtnHighlight);
    const QColor shadow = Colors::toQColor(Colors::clBtnShadow);
    const QColor darkShadow = Colors::toQColor(Colors::system(Colors::DkShadow3D));
    const int l = r.left();
    const int t = r.top();
    const int rt = r.right();
    const int b = r.bottom();
    painter.fillRect(QRect(l + 1, t + 1, r.width() - 2, r.height() - 1), face());
    painter.fillRect(QRect(l + 2, t, r.width() - 4, 1), face());
    painter.fillRect(QRect(l, t + 2, 1, b - t - 1), highlight);
    painter.fillRect(QRect(l + 1, t + 1, 1, 1), highlight);
    painter.fillRect(QRect(l + 2, t, rt - l - 3, 1), highlight);
    painter.fillRect(QRect(rt - 1, t + 1, 1, 1), darkShadow);
    painter.fillRect(QRect(rt, t + 2, 1, b - t - 1), darkShadow);
    painter.fillRect(QRect(rt - 1, t + 2, 1, b - t - 1), shadow);
}

// A dotted rectangle, every other pixel, as the classic focus mark.
void drawFocusMark(QPainter& painter, const QRect& r)
{
    const QColor ink = Colors::toQColor(Colors::system(Colors::BtnText));
    for (int x = r.left(); x <= r.right(); x += 2) {
        painter.fillRect(QRect(x, r.top(), 1, 1), ink);
        painter.fillRect(QRect(x, r.bottom(), 1, 1), ink);
    }
    for (int y = r.top(); y <= r.bottom(); y += 2) {
        painter.fillRect(QRect(r.left(), y, 1, 1), ink);
        painter.fillRect(QRect(r.right(), y, 1, 1), ink);
    }
}
} // namespace

TPageControl::TPageControl(QWidget* parent) : TCustomControl(parent)
{
    setTabStop(true);
    setAttribute(Qt::WA_OpaquePaintEvent, true);
    resize(289, 193);
}

TPageControl::~TPageControl()
{
    // The pages are deleted after this object has stopped being a page control.
    for (TTabSheet* page : std::as_const(m_pages))
        page->m_pageControl = nullptr;
}

void TPageControl::setActivePage(TTabSheet* page)
{
    if (page && page->pageControl() != this)
        return;
    m_pendingActivePage.clear();
    if (page == m_activePage)
        return;
    m_activePage = page;
    placePages();
    update();
}

QString TPageControl::activePageName() const
{
    return m_activePage ? m_activePage->objectName() : m_pendingActivePage;
}

void TPageControl::setActivePageName(const QString& name)
{
    if (name.isEmpty()) {
        setActivePage(nullptr);
        return;
    }
    for (TTabSheet* page : std::as_const(m_pages)) {
        if (page->objectName() == name) {
            setActivePage(page);
            return;
        }
    }
    m_pendingActivePage = name;
}

void TPageControl::setMultiLine(bool multiLine)
{
    if (multiLine == m_multiLine)
        return;
    m_multiLine = multiLine;
    placePages();
    update();
}

void TPageControl::Loaded()
{
    if (!m_pendingActivePage.isEmpty()) {
        const QString wanted = m_pendingActivePage;
        setActivePageName(wanted);
        if (!m_pendingActivePage.isEmpty())
            throw AppError(
                QStringLiteral("%1 has no page '%2' to make its ActivePage").arg(objectName(), wanted));
    }
    placePages();
}

void TPageControl::insertPage(TTabSheet* page)
{
    m_pages.append(page);
    if (!m_activePage)
        m_activePage = page;
    placePages();
    update();
}

void TPageControl::removePage(TTabSheet* page)
{
    const qsizetype index = m_pages.indexOf(page);
    if (index < 0)
        return;
    m_pages.removeAt(index);
    if (page == m_activePage)
        m_activePage = m_pages.isEmpty() ? nullptr : m_pages.value(qMin(index, m_pages.size() - 1));
    placePages();
    update();
}

void TPageControl::pageCaptionChanged()
{
    placePages();
    update();
}

void TPageControl::changePageByUser(int index)
{
    TTabSheet* page = m_pages.value(index);
    if (!page || page == m_activePage)
        return;
    bool allowChange = true;
    Q_EMIT OnChanging(this, allowChange);
    if (!allowChange)
        return;
    setActivePage(page);
    Q_EMIT OnChange(this);
}

void TPageControl::SelectNextPage(bool goForward)
{
    const int count = PageCount();
    if (count == 0)
        return;
    const int current = tabIndex();
    int next;
    if (current < 0)
        next = goForward ? 0 : count - 1;
    else
        next = (current + (goForward ? 1 : count - 1)) % count;
    changePageByUser(next);
}

TPageControl::TabLayout TPageControl::tabLayout() const
{
    TabLayout layout;
    const QFontMetrics metrics(font());
    const int rowHeight = metrics.height() + RowExtra;
    const int available = width() - 2 * SelectedLift;

    QList<int> widths;
    for (const TTabSheet* page : m_pages)
        widths.append(metrics.horizontalAdvance(page->caption()) + 2 * TabPadding);
    const QList<QList<int>> rows = splitIntoRows(widths, available, m_multiLine);
    layout.rows = qMax(1, int(rows.size()));
    layout.frameTop = SelectedLift + layout.rows * rowHeight;
    layout.rects.resize(m_pages.size());

    int selectedRow = 0;
    for (int row = 0; row < rows.size(); ++row) {
        if (rows[row].contains(tabIndex()))
            selectedRow = row;
    }
    for (int row = 0; row < rows.size(); ++row) {
        // The rows turn round so that the selected tab's row comes last, next to the page.
        const int shownRow = (row - selectedRow - 1 + layout.rows) % layout.rows;
        const int top = SelectedLift + shownRow * rowHeight;
        int spare = 0;
        if (rows.size() > 1) {
            spare = available;
            for (int index : rows[row])
                spare -= widths[index];
        }
        const int count = int(rows[row].size());
        int left = SelectedLift;
        for (int k = 0; k < count; ++k) {
            const int index = rows[row][k];
            const int width = widths[index] + spare / count + (k < spare % count ? 1 : 0);
            layout.rects[index] = QRect(left, top, width, rowHeight);
            left += width;
        }
    }
    return layout;
}

QRect TPageControl::tabRect(int index) const
{
    return tabLayout().rects.value(index);
}

int TPageControl::rowCount() const
{
    return tabLayout().rows;
}

QRect TPageControl::displayRect() const
{
    const int top = tabLayout().frameTop + PageInset;
    return QRect(PageInset, top, qMax(0, width() - 2 * PageInset), qMax(0, height() - top - PageInset));
}

int TPageControl::indexOfTabAt(const QPoint& pos) const
{
    const TabLayout layout = tabLayout();
    // The selected tab is drawn raised, over its neighbours.
    const int selected = tabIndex();
    if (selected >= 0 &&
        layout.rects[selected].adjusted(-SelectedLift, -SelectedLift, SelectedLift, 0).contains(pos))
        return selected;
    for (int i = 0; i < layout.rects.size(); ++i) {
        if (layout.rects[i].contains(pos))
            return i;
    }
    return -1;
}

void TPageControl::placePages()
{
    const QRect area = displayRect();
    for (TTabSheet* page : std::as_const(m_pages)) {
        page->place(area);
        page->setVisible(page == m_activePage);
    }
}

void TPageControl::paint(QPainter& painter) const
{
    const TabLayout layout = tabLayout();
    const int w = width();
    const int h = height();
    const QColor highlight = Colors::toQColor(Colors::clBtnHighlight);
    const QColor shadow = Colors::toQColor(Colors::clBtnShadow);
    const QColor darkShadow = Colors::toQColor(Colors::system(Colors::DkShadow3D));

    painter.fillRect(rect(), face());

    // The raised frame around the pages.
    const int top = layout.frameTop;
    painter.fillRect(QRect(0, top, w - 1, 1), highlight);
    painter.fillRect(QRect(0, top, 1, h - top - 1), highlight);
    painter.fillRect(QRect(w - 1, top, 1, h - top), darkShadow);
    painter.fillRect(QRect(0, h - 1, w, 1), darkShadow);
    painter.fillRect(QRect(w - 2, top + 1, 1, h - top - 2), shadow);
    painter.fillRect(QRect(1, h - 2, w - 2, 1), shadow);

    painter.setFont(font());
    const QColor text =
        Colors::toQColor(isEnabled() ? Colors::system(Colors::BtnText) : Colors::system(Colors::GrayText));
    const int selected = tabIndex();
    auto drawTab = [&](int index) {
        const QRect r = layout.rects[index];
        const bool isSelected = index == selected;
        // The selected tab stands out of its row and runs into the page over the frame's line.
        const QRect shape = isSelected ? r.adjusted(-SelectedLift, -SelectedLift, SelectedLift, 1) : r;
        drawTabShape(painter, shape);
        const QRect textArea = isSelected ? r.translated(0, -1) : r;
        painter.setPen(text);
        painter.drawText(textArea, Qt::AlignCenter | Qt::TextSingleLine, m_pages[index]->caption());
        if (isSelected && hasFocus()) {
            const QRect bounds =
                painter.fontMetrics().boundingRect(textArea, Qt::AlignCenter, m_pages[index]->caption());
            drawFocusMark(painter, bounds.adjusted(-2, 0, 2, 0).intersected(r.adjusted(2, 1, -3, -1)));
        }
    };
    for (int i = 0; i < layout.rects.size(); ++i) {
        if (i != selected)
            drawTab(i);
    }
    if (selected >= 0)
        drawTab(selected);
}

void TPageControl::MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y)
{
    if (button == Qt::LeftButton) {
        const int index = indexOfTabAt(QPoint(x, y));
        if (index >= 0)
            changePageByUser(index);
    }
    TCustomControl::MouseDown(button, shift, x, y);
}

void TPageControl::KeyDown(int& key, Qt::KeyboardModifiers shift)
{
    TCustomControl::KeyDown(key, shift);
    const int current = tabIndex();
    switch (key) {
    case Qt::Key_Left:
    case Qt::Key_Up:
        if (current > 0)
            changePageByUser(current - 1);
        break;
    case Qt::Key_Right:
    case Qt::Key_Down:
        if (current + 1 < PageCount())
            changePageByUser(current + 1);
        break;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        if (shift.testFlag(Qt::ControlModifier))
            SelectNextPage(key == Qt::Key_Tab && !shift.testFlag(Qt::ShiftModifier));
        break;
    default:
        break;
    }
}

void TPageControl::DoEnter()
{
    update();
    TCustomControl::DoEnter();
}

void TPageControl::DoExit()
{
    update();
    TCustomControl::DoExit();
}

void TPageControl::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    paint(painter);
}

void TPageControl::resizeEvent(QResizeEvent* event)
{
    TCustomControl::resizeEvent(event);
    placePages();
}

void TPageControl::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::FontChange)
        placePages();
    TCustomControl::changeEvent(event);
}
