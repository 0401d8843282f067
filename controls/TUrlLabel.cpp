#include "controls/TUrlLabel.h"

#include "framework/CursorTable.h"
#include "framework/Desktop.h"
#include "framework/MessageDispatch.h"
#include "framework/ResourceModule.h"
#include "framework/StringIds.h"
#include "framework/StringTable.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QMenu>
#include <QPixmap>

namespace {
// Trimming drops blanks and control characters (codes up to 32) at both ends.
QString trimmedControls(const QString& text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text.at(begin).unicode() <= 32)
        ++begin;
    while (end > begin && text.at(end - 1).unicode() <= 32)
        --end;
    return text.mid(begin, end - begin);
}
} // namespace

TUrlLabel::TUrlLabel(QWidget* parent) : TLabel(parent)
{
    loadHandCursor();
    setProperty("Cursor", HandCursor);
    setCursor(CursorTable::cursor(HandCursor));

    font()->setColor(Colors::clBlue);
    font()->setStyle(TFont::fsUnderline);

    m_popupMenu = new QMenu(this);
    m_copyItem = m_popupMenu->addAction(StringTable::load(StringId::MenuCopy));
    connect(m_copyItem, &QAction::triggered, this, [this] { MessageDispatch::run([this] { CopyClick(); }); });
}

void TUrlLabel::loadHandCursor()
{
    bool found = false;
    const QByteArray data = ResourceModule::read(QStringLiteral("art/cursors/hand.png"), &found);
    QPixmap pixmap;
    if (found && pixmap.loadFromData(data, "PNG"))
        CursorTable::set(HandCursor, QCursor(pixmap, 5, 0));
    else
        CursorTable::remove(HandCursor);
}

QString TUrlLabel::target() const
{
    return trimmedControls(m_url).isEmpty() ? caption() : m_url;
}

void TUrlLabel::CopyClick()
{
    QGuiApplication::clipboard()->setText(caption());
}

void TUrlLabel::Click()
{
    TLabel::Click();
    const QString where = target();
    if (!trimmedControls(where).isEmpty())
        Desktop::open(where);
}

void TUrlLabel::MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y)
{
    if (button == Qt::LeftButton) {
        m_savedColor = font()->color();
        font()->setColor(m_activeColor);
    }
    TLabel::MouseDown(button, shift, x, y);
}

void TUrlLabel::MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y)
{
    if (button == Qt::LeftButton && m_savedColor) {
        font()->setColor(*m_savedColor);
        m_savedColor.reset();
    }
    TLabel::MouseUp(button, shift, x, y);
}

void TUrlLabel::contextMenuEvent(QContextMenuEvent* event)
{
    // The caption is looked up at each use, so it follows the interface language.
    m_copyItem->setText(StringTable::load(StringId::MenuCopy));
    m_popupMenu->popup(event->globalPos());
}
