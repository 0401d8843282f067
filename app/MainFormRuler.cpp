// The ruler: its tick text and the three markers of the selected paragraph's indents, which
// the user drags. Points and pixels convert at a fixed 4/3 pixels per point, truncating toward
// zero (C++ integer division).

#include "app/TMainForm.h"

#include "framework/TBevel.h"
#include "framework/TLabel.h"
#include "framework/TPanel.h"
#include "richtext/TCustomRichEdit.h"
#include "richtext/TParaAttributes.h"

namespace {
int pointsToPixels(int points)
{
    return 4 * points / 3;
}

int pixelsToPoints(int pixels)
{
    return 3 * pixels / 4;
}

void moveLeftEdge(QWidget* control, int left)
{
    control->move(left, control->y());
}
} // namespace

void TMainForm::InitRulerTicks()
{
    // A bar at every default tab stop.
    Ruler->setCaption(QStringLiteral("\t|").repeated(100));
}

void TMainForm::RulerResize(QObject*)
{
    if (RulerLine)
        RulerLine->resize(Ruler->clientArea().width() - 2 * RulerLine->x(), RulerLine->height());
}

void TMainForm::PlaceRulerMarkers()
{
    const TParaAttributes* paragraph = Editor->paragraphAttributes();
    const int first = paragraph->firstIndent();
    const int left = paragraph->leftIndent();
    const int right = paragraph->rightIndent();
    moveLeftEdge(FirstInd, pointsToPixels(first) + 2);
    moveLeftEdge(LeftInd, pointsToPixels(left + first) + 2);
    moveLeftEdge(RightInd, Ruler->clientArea().width() - 6 - pointsToPixels(right + 6));
}

void TMainForm::RulerItemMouseDown(QObject* Sender, Qt::MouseButton, Qt::KeyboardModifiers, int X, int)
{
    auto* marker = qobject_cast<QWidget*>(Sender);
    m_dragOffset = marker->width() / 2;
    moveLeftEdge(marker, marker->x() + X - m_dragOffset); // centred on the pointer
    m_dragging = true;
}

void TMainForm::RulerItemMouseMove(QObject* Sender, Qt::KeyboardModifiers, int X, int)
{
    if (!m_dragging)
        return;
    auto* marker = qobject_cast<QWidget*>(Sender);
    moveLeftEdge(marker, marker->x() + X - m_dragOffset);
}

void TMainForm::FirstIndMouseUp(QObject* Sender, Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y)
{
    m_dragging = false;
    Editor->paragraphAttributes()->setFirstIndent(pixelsToPoints(FirstInd->x() + m_dragOffset - 6));
    // The following lines stay where the left marker stands.
    LeftIndMouseUp(Sender, Button, Shift, X, Y);
}

void TMainForm::LeftIndMouseUp(QObject*, Qt::MouseButton, Qt::KeyboardModifiers, int, int)
{
    m_dragging = false;
    TParaAttributes* paragraph = Editor->paragraphAttributes();
    const int first = paragraph->firstIndent();
    paragraph->setLeftIndent(pixelsToPoints(LeftInd->x() + m_dragOffset - 6) - first);
    SelectionChange(this);
}

void TMainForm::RightIndMouseUp(QObject*, Qt::MouseButton, Qt::KeyboardModifiers, int, int)
{
    m_dragging = false;
    const int width = Ruler->clientArea().width();
    Editor->paragraphAttributes()->setRightIndent(pixelsToPoints(width - RightInd->x() + m_dragOffset - 2) - 12);
    SelectionChange(this);
}
