#include "framework/TForm.h"

#include "framework/SkinPalette.h"
#include "framework/LayoutReader.h"
#include "framework/MessageDispatch.h"
#include "framework/TAction.h"
#include "framework/TActionList.h"
#include "framework/TFont.h"

#include <QApplication>
#include <QKeyEvent>

#include <QCloseEvent>
#include <QEventLoop>
#include <QGuiApplication>
#include <QIcon>
#include <QPainter>
#include <QPixmap>
#include <QScreen>

namespace {
QList<TForm*> g_forms;
} // namespace

TForm::TForm(QWidget* owner) : QWidget(owner, Qt::Window), m_font(new TFont(this))
{
    g_forms.append(this);
    connect(m_font, &TFont::changed, this, &TForm::applyFont);
    // The window and its widgets keep the skin's colours on any desktop theme.
    setPalette(SkinPalette::palette());
    setAutoFillBackground(true);
    setColor(m_color);
    applyFont();
    if (QCoreApplication::instance())
        QCoreApplication::instance()->installEventFilter(this);
}

bool TForm::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
        return false;
    auto* widget = static_cast<QWidget*>(watched);
    if (widget->window() != this)
        return false;
    TAction* action = TActionList::actionForShortCut(this, *static_cast<QKeyEvent*>(event));
    if (!action)
        return false;
    // An enabled action consumes the key even when its handler fails; a disabled one leaves the
    // key to the focused control.
    bool consumed = false;
    MessageDispatch::run([&] {
        action->Update();
        consumed = action->isEnabled();
        if (consumed)
            Q_EMIT action->OnExecute(action);
    });
    return consumed;
}

TForm::~TForm()
{
    g_forms.removeOne(this);
    if (m_modalLoop)
        m_modalLoop->exit(mrCancel);
}

QList<TForm*> TForm::forms()
{
    return g_forms;
}

void TForm::buildFromLayout()
{
    LayoutReader::build(*this);
    m_built = true;
    applyWindowFlags();
    MessageDispatch::run([&] { Q_EMIT OnCreate(this); });
}

void TForm::setClientWidth(int width)
{
    resize(width, height());
    applyWindowFlags();
}

void TForm::setClientHeight(int height)
{
    resize(width(), height);
    applyWindowFlags();
}

void TForm::setColor(Colors::TColor color)
{
    m_color = color;
    QPalette p = palette();
    p.setColor(QPalette::Window, Colors::toQColor(color));
    setPalette(p);
}

void TForm::setBorderStyle(TBorderStyle style)
{
    m_borderStyle = style;
    applyWindowFlags();
}

void TForm::setBorderIcons(TBorderIcons icons)
{
    m_borderIcons = icons;
    applyWindowFlags();
}

void TForm::setPosition(TPosition position)
{
    m_position = position;
}

void TForm::setIconData(const QByteArray& iconFile)
{
    m_iconData = iconFile;
    QPixmap pixmap;
    if (pixmap.loadFromData(iconFile))
        setWindowIcon(QIcon(pixmap));
}

void TForm::applyFont()
{
    QFont font = m_font->toQFont();
    setFont(font);
    QPalette p = palette();
    p.setColor(QPalette::WindowText, Colors::toQColor(m_font->color()));
    setPalette(p);
}

void TForm::applyWindowFlags()
{
    if (!m_built)
        return;
    const bool fixed = m_borderStyle != bsSizeable && m_borderStyle != bsSizeToolWin;
    if (fixed) {
        setFixedSize(size());
    } else {
        setMinimumSize(0, 0);
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    }
    Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (m_borderStyle == bsDialog)
        flags |= Qt::Dialog;
    if (m_borderIcons.testFlag(biSystemMenu))
        flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (m_borderIcons.testFlag(biMinimize) && m_borderStyle != bsDialog)
        flags |= Qt::WindowMinimizeButtonHint;
    if (m_borderIcons.testFlag(biMaximize) && !fixed)
        flags |= Qt::WindowMaximizeButtonHint;
    const bool wasVisible = isVisible();
    setWindowFlags(flags);
    if (wasVisible)
        show();
}

int TForm::ShowModal()
{
    m_modalResult = mrNone;
    setWindowModality(Qt::ApplicationModal);
    show();
    QEventLoop loop;
    m_modalLoop = &loop;
    loop.exec(QEventLoop::DialogExec);
    m_modalLoop = nullptr;
    hide();
    return m_modalResult;
}

void TForm::setModalResult(int result)
{
    m_modalResult = result;
    if (result != mrNone && m_modalLoop)
        close();
}

void TForm::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (event->spontaneous())
        return;
    if (m_position == poScreenCenter || m_position == poDesktopCenter) {
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            QRect frame = frameGeometry();
            frame.moveCenter(screen->availableGeometry().center());
            move(frame.topLeft());
        }
    }
    if (!m_activeControl.isEmpty()) {
        if (auto* control = findChild<QWidget*>(m_activeControl))
            control->setFocus();
    }
    MessageDispatch::run([&] { Q_EMIT OnShow(this); });
}

void TForm::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    MessageDispatch::run([&] { Q_EMIT OnResize(this); });
}

void TForm::paintEvent(QPaintEvent* event)
{
    QWidget::paintEvent(event);
    MessageDispatch::run([&] { Q_EMIT OnPaint(this); });
}

void TForm::closeEvent(QCloseEvent* event)
{
    bool canClose = true;
    bool failed = true;
    MessageDispatch::run([&] {
        Q_EMIT OnCloseQuery(this, canClose);
        failed = false;
    });
    if (failed || !canClose) {
        event->ignore();
        return;
    }
    event->accept();
    if (m_modalLoop) {
        if (m_modalResult == mrNone)
            m_modalResult = mrCancel;
        m_modalLoop->exit(m_modalResult);
    }
}

void TForm::keyPressEvent(QKeyEvent* event)
{
    if (m_modalLoop && event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}
