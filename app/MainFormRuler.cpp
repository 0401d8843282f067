// The ruler: its tick text and the three markers of the selected paragraph's indents, which
// the user drags. Points and pixels convert at a fixed 4/3 pixels per point, truncating toward
// zero (C++ integer division).

#include "app/TMainForm.h"

#include "app/TabStopMarks.h"
#include "framework/TBevel.h"
#include "framework/TLabel.h"
#include "framework/TPanel.h"
#include "richtext/DocumentFormat.h"
#include "richtext/TCustomRichEdit.h"
#include "richtext/TParaAttributes.h"

#include <QFontMetricsF>
#include <QScopedValueRollback>

namespace {
// The ruler's pixel that stands for an indent of 0: the centre of a marker placed there, which
// is also where the editor's text begins.
constexpr int ZeroIndentPixel = 7;
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

// Placement keeps a marker on the ruler whatever the indent, so that it can always be grabbed.
void placeOnRuler(QWidget* marker, int left, int rulerWidth)
{
    moveLeftEdge(marker, qBound(0, left, qMax(0, rulerWidth - marker->width())));
}
} // namespace

void TMainForm::InitRulerTicks()
{
    // A bar at every default tab stop.
    Ruler->setCaption(QStringLiteral("\t|").repeated(100));
    ShowDefaultTabStops();
}

void TMainForm::ShowDefaultTabStops()
{
    // The bars stand where the editor's default stops are: every default tab width (at the
    // ruler's 4/3 pixels per point) from the pixel of indent 0, a bar's stroke centred there.
    const QRectF bar = QFontMetricsF(Ruler->drawingFont()).boundingRect(QLatin1Char('|'));
    const qreal distance = DocumentFormat::defaultTabTwips(*Editor->document()) / 15.0;
    Ruler->setCaptionTabs(ZeroIndentPixel - bar.center().x(), distance);
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
    const int width = Ruler->clientArea().width();
    placeOnRuler(FirstInd, pointsToPixels(first) + 2, width);
    placeOnRuler(LeftInd, pointsToPixels(left + first) + 2, width);
    placeOnRuler(RightInd, width - 6 - pointsToPixels(right + 6), width);
    ShowDefaultTabStops();
    if (!m_tabStopMarks)
        m_tabStopMarks = new TabStopMarks(Ruler, ZeroIndentPixel);
    m_tabStopMarks->setStops(DocumentFormat::tabStops(Editor->paragraphFormat()));
}

void TMainForm::FollowParagraphChange()
{
    // While a marker is dropped the others stay where they stand until its handler has set
    // every indent; it places them itself.
    if (!m_droppingMarker)
        PlaceRulerMarkers();
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
    const QScopedValueRollback<bool> dropping(m_droppingMarker, true);
    m_dragging = false;
    Editor->paragraphAttributes()->setFirstIndent(pixelsToPoints(FirstInd->x() + m_dragOffset - 6));
    // The following lines stay where the left marker stands.
    LeftIndMouseUp(Sender, Button, Shift, X, Y);
}

void TMainForm::LeftIndMouseUp(QObject*, Qt::MouseButton, Qt::KeyboardModifiers, int, int)
{
    const QScopedValueRollback<bool> dropping(m_droppingMarker, true);
    m_dragging = false;
    TParaAttributes* paragraph = Editor->paragraphAttributes();
    const int first = paragraph->firstIndent();
    paragraph->setLeftIndent(pixelsToPoints(LeftInd->x() + m_dragOffset - 6) - first);
    SelectionChange(this);
}

void TMainForm::RightIndMouseUp(QObject*, Qt::MouseButton, Qt::KeyboardModifiers, int, int)
{
    const QScopedValueRollback<bool> dropping(m_droppingMarker, true);
    m_dragging = false;
    const int width = Ruler->clientArea().width();
    Editor->paragraphAttributes()->setRightIndent(pixelsToPoints(width - RightInd->x() + m_dragOffset - 2) - 12);
    SelectionChange(this);
}
