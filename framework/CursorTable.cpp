#include "framework/CursorTable.h"

#include <QHash>

namespace {
QHash<int, QCursor>& ownCursors()
{
    static QHash<int, QCursor> cursors;
    return cursors;
}

Qt::CursorShape standardShape(int index)
{
    switch (index) {
    case -2: return Qt::CrossCursor;     // crCross
    case -3: return Qt::IBeamCursor;     // crIBeam (historic numbering keeps -4 too)
    case -4: return Qt::IBeamCursor;
    case -5: return Qt::SizeAllCursor;
    case -6: return Qt::SizeBDiagCursor;
    case -7: return Qt::SizeVerCursor;
    case -8: return Qt::SizeFDiagCursor;
    case -9: return Qt::SizeHorCursor;
    case -10: return Qt::UpArrowCursor;
    case -11: return Qt::WaitCursor;     // crHourGlass
    case -12: return Qt::DragMoveCursor;
    case -13: return Qt::ForbiddenCursor; // crNoDrop
    case -14: return Qt::SplitHCursor;
    case -15: return Qt::SplitVCursor;
    case -18: return Qt::ForbiddenCursor; // crNo
    case -19: return Qt::BusyCursor;     // crAppStart
    case -20: return Qt::WhatsThisCursor;
    case -21: return Qt::PointingHandCursor;
    default: return Qt::ArrowCursor;
    }
}
} // namespace

QCursor CursorTable::cursor(int index)
{
    const auto it = ownCursors().constFind(index);
    if (it != ownCursors().constEnd())
        return *it;
    return QCursor(standardShape(index));
}

bool CursorTable::contains(int index)
{
    return index <= 0 || ownCursors().contains(index);
}

void CursorTable::set(int index, const QCursor& cursor)
{
    ownCursors().insert(index, cursor);
}

void CursorTable::remove(int index)
{
    ownCursors().remove(index);
}
