#pragma once

#include <QHash>
#include <QtGlobal>

class QTextBlock;
class QTextList;

// The numbers numbered lists' items show. A long numbered list is held as several lists, each
// going on from the one before (DocumentFormat::NumbersPerList), so an item's number adds the
// items of the lists before its own. A pass over many items (laying out or painting a range)
// holds a ListNumbering meanwhile: the sums it finds are kept until it ends, instead of being
// found again for every item. The document's lists must not change while one is held.
class ListNumbering {
public:
    // Becomes the one this thread's numbers use, until it ends.
    ListNumbering();
    ~ListNumbering();
    Q_DISABLE_COPY_MOVE(ListNumbering)

    // The number block shows (from 1); block is in a list.
    static int number(const QTextBlock& block);
    // The numbered list that list goes on from: that of the nearest numbered paragraph before it.
    static const QTextList* continued(const QTextList& list);

private:
    static int itemsBefore(const QTextList& list);

    QHash<const QTextList*, int> m_itemsBefore;
    ListNumbering* m_outer;
};
