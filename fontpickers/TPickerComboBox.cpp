#include "fontpickers/TPickerComboBox.h"

#include "fontpickers/PickerItemDelegate.h"
#include "framework/MessageDispatch.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>
#include <QPainter>
#include <QProxyStyle>

namespace {
// The application's style, except that the open list always drops below the box and shows at
// most DropDownCount entries (some styles show a menu over the box instead).
class ListBelowStyle : public QProxyStyle {
public:
    ListBelowStyle() : QProxyStyle(QApplication::style()->name()) {}

    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override
    {
        if (hint == SH_ComboBox_Popup)
            return 0;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

// A rectangle given by its edges, the right and bottom ones excluded.
QRect edges(int left, int top, int right, int bottom)
{
    return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
}

// A one-pixel frame along the inside of a rectangle.
void frameRect(QPainter& painter, const QRect& rect, const QColor& color)
{
    if (rect.isEmpty())
        return;
    painter.fillRect(rect.left(), rect.top(), rect.width(), 1, color);
    painter.fillRect(rect.left(), rect.bottom(), rect.width(), 1, color);
    painter.fillRect(rect.left(), rect.top(), 1, rect.height(), color);
    painter.fillRect(rect.right(), rect.top(), 1, rect.height(), color);
}

bool isNavigationKey(int key)
{
    return key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_Left || key == Qt::Key_Right ||
           key == Qt::Key_PageUp || key == Qt::Key_PageDown;
}

// The characters a key types, as the platform's character messages carry them: Enter and Escape
// as control characters, Ctrl and a letter as its control character (Ctrl+A is 1); none for
// keys that only move or delete, nor for other Ctrl, Alt and Meta combinations.
QString typedCharacters(const QKeyEvent& event)
{
    if (event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter)
        return QStringLiteral("\r");
    if (event.key() == Qt::Key_Escape)
        return QStringLiteral("\x1b");
    if (event.modifiers() & (Qt::AltModifier | Qt::MetaModifier))
        return {};
    if (event.modifiers() & Qt::ControlModifier) {
        if (event.key() >= Qt::Key_A && event.key() <= Qt::Key_Z)
            return QString(QChar(event.key() - Qt::Key_A + 1));
        return {};
    }
    QString text = event.text();
    text.remove(QChar(0x7f));
    return text;
}
} // namespace

TPickerComboBox::TPickerComboBox(QWidget* parent) : QComboBox(parent), m_font(new TFont(this))
{
    auto* style = new ListBelowStyle;
    style->setParent(this);
    setStyle(style);
    setItemDelegate(new PickerItemDelegate(*this));
    if (auto* list = qobject_cast<QListView*>(view()))
        list->setUniformItemSizes(true);
    setMaxVisibleItems(8);
    setFocusPolicy(Qt::StrongFocus);
    connect(m_font, &TFont::changed, this, &TPickerComboBox::fontChanged);
    connect(this, &QComboBox::activated, this, [this] { MessageDispatch::run([this] { userSelected(); }); });
}

void TPickerComboBox::setFlat(bool flat)
{
    m_flat = flat;
    update();
}

void TPickerComboBox::setDropDownWidth(int width)
{
    m_dropDownWidth = width;
    view()->setMinimumWidth(qMax(0, width));
}

void TPickerComboBox::setDropDownCount(int count)
{
    setMaxVisibleItems(qMax(1, count));
}

void TPickerComboBox::setColor(Colors::TColor color)
{
    m_color = color;
    QPalette colors = palette();
    colors.setColor(QPalette::Base, Colors::toQColor(color));
    setPalette(colors);
    update();
}

void TPickerComboBox::setParentFont(bool parentFont)
{
    m_parentFont = parentFont;
    if (parentFont)
        setFont(QFont());
    else
        fontChanged();
}

void TPickerComboBox::fontChanged()
{
    m_parentFont = false;
    setFont(m_font->toQFont());
    QPalette colors = palette();
    colors.setColor(QPalette::Text, Colors::toQColor(m_font->color()));
    setPalette(colors);
    UpdateItemHeight();
}

int TPickerComboBox::itemHeightFor(int textHeight)
{
    return textHeight < 10 ? 10 : textHeight + 1;
}

void TPickerComboBox::UpdateItemHeight()
{
    setItemHeight(itemHeightFor(QFontMetrics(font()).size(Qt::TextSingleLine, QStringLiteral("W")).height()));
}

void TPickerComboBox::setItemHeight(int height)
{
    if (height == m_itemHeight)
        return;
    m_itemHeight = height;
    // The list lays its entries out again with the new height.
    Q_EMIT itemDelegate()->sizeHintChanged(QModelIndex());
    view()->doItemsLayout();
    update();
}

void TPickerComboBox::setEditField(bool on)
{
    const QString kept = currentText();
    setEditable(on);
    if (!on)
        return;
    setInsertPolicy(QComboBox::NoInsert);
    setCompleter(nullptr);
    QLineEdit* edit = lineEdit();
    // Qt selects a matching entry when editing finishes; here only the user selects entries.
    disconnect(edit, &QLineEdit::editingFinished, this, nullptr);
    connect(edit, &QLineEdit::textEdited, this, [this] { MessageDispatch::run([this] { Change(); }); });
    edit->installEventFilter(this);
    edit->setText(kept);
}

bool TPickerComboBox::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == lineEdit() && event->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
        MessageDispatch::run([this] { Q_EMIT OnEditClick(this); });
    return QComboBox::eventFilter(watched, event);
}

void TPickerComboBox::Click()
{
    Q_EMIT OnClick(this);
}

void TPickerComboBox::Change()
{
    Q_EMIT OnChange(this);
}

void TPickerComboBox::Select()
{
    Q_EMIT OnSelect(this);
}

void TPickerComboBox::KeyPress(QChar& key)
{
    Q_EMIT OnKeyPress(this, key);
}

void TPickerComboBox::DoEnter()
{
    Q_EMIT OnEnter(this);
}

void TPickerComboBox::DoExit()
{
    Q_EMIT OnExit(this);
}

void TPickerComboBox::userSelected()
{
    const bool inList = std::exchange(m_listJustClosed, false);
    Click();
    Change();
    Select();
    if (m_focusControl && !inList && !m_navigationKey)
        m_focusControl->setFocus(Qt::OtherFocusReason);
}

void TPickerComboBox::hidePopup()
{
    m_listJustClosed = true;
    QComboBox::hidePopup();
}

void TPickerComboBox::keyPressEvent(QKeyEvent* event)
{
    m_listJustClosed = false;
    m_navigationKey = isNavigationKey(event->key());
    bool dropped = false;
    MessageDispatch::run([&] {
        dropped = true;
        for (QChar typed : typedCharacters(*event)) {
            QChar key = typed;
            KeyPress(key);
            if (key.isNull())
                return;
        }
        dropped = false;
    });
    if (dropped) {
        event->accept();
        return;
    }
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    QComboBox::keyPressEvent(event);
    if (enter && m_focusControl)
        m_focusControl->setFocus(Qt::OtherFocusReason);
}

void TPickerComboBox::wheelEvent(QWheelEvent* event)
{
    m_listJustClosed = false;
    m_navigationKey = false;
    QComboBox::wheelEvent(event);
}

void TPickerComboBox::focusInEvent(QFocusEvent* event)
{
    QComboBox::focusInEvent(event);
    update();
    // Coming back from the open list or from another window is not entering the box.
    if (event->reason() != Qt::PopupFocusReason && event->reason() != Qt::ActiveWindowFocusReason)
        MessageDispatch::run([this] { DoEnter(); });
}

void TPickerComboBox::focusOutEvent(QFocusEvent* event)
{
    QComboBox::focusOutEvent(event);
    update();
    if (event->reason() != Qt::PopupFocusReason && event->reason() != Qt::ActiveWindowFocusReason)
        MessageDispatch::run([this] { DoExit(); });
}

void TPickerComboBox::enterEvent(QEnterEvent* event)
{
    QComboBox::enterEvent(event);
    m_mouseInside = true;
    if (m_flat && !hasFocus())
        update();
}

void TPickerComboBox::leaveEvent(QEvent* event)
{
    QComboBox::leaveEvent(event);
    m_mouseInside = false;
    if (m_flat && !hasFocus() && !view()->isVisible())
        update();
}

bool TPickerComboBox::flatLook() const
{
    // The box has the keyboard focus on its edit field's behalf, so a box without it is idle.
    return m_flat && !m_mouseInside && !hasFocus();
}

void TPickerComboBox::PaintFrame(QPainter& painter) const
{
    const int w = width();
    const int h = height();
    const QColor face = Colors::toQColor(Colors::clBtnFace);
    if (flatLook()) {
        frameRect(painter, edges(0, 0, w, h), face);
        frameRect(painter, edges(1, 1, w - 1, h - 1), face);
        frameRect(painter, edges(2, 2, w - 2, h - 2), Colors::toQColor(Colors::clWindow));
        return;
    }
    frameRect(painter, edges(1, 1, w, h), Colors::toQColor(Colors::clWindowFrame));
    frameRect(painter, edges(0, 0, w - 1, h - 1), face);
    // A sunken outer edge: shadow at top and left, highlight at bottom and right.
    const QColor shadow = Colors::toQColor(Colors::clBtnShadow);
    const QColor light = Colors::toQColor(Colors::clBtnHighlight);
    painter.fillRect(0, 0, w, 1, shadow);
    painter.fillRect(0, 0, 1, h, shadow);
    painter.fillRect(0, h - 1, w, 1, light);
    painter.fillRect(w - 1, 0, 1, h, light);
}

void TPickerComboBox::paintContent(QPaintEvent* event)
{
    QComboBox::paintEvent(event);
}

void TPickerComboBox::paintEvent(QPaintEvent* event)
{
    paintContent(event);
    QPainter painter(this);
    PaintFrame(painter);
}
