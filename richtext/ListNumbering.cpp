#include "richtext/ListNumbering.h"

#include "richtext/DocumentFormat.h"

#include <QTextBlock>
#include <QTextList>

namespace {
thread_local ListNumbering* t_current = nullptr;
} // namespace

ListNumbering::ListNumbering() : m_outer(t_current)
{
    t_current = this;
}

ListNumbering::~ListNumbering()
{
    t_current = m_outer;
}

int ListNumbering::number(const QTextBlock& block)
{
    const QTextList& list = *block.textList();
    return list.itemNumber(block) + 1 + itemsBefore(list);
}

const QTextList* ListNumbering::continued(const QTextList& list)
{
    if (!list.format().boolProperty(DocumentFormat::ContinuesNumbering) || list.count() == 0)
        return nullptr;
    for (QTextBlock block = list.item(0).previous(); block.isValid(); block = block.previous()) {
        const QTextList* before = block.textList();
        if (before && DocumentFormat::listKind(before->format().style()) == DocumentFormat::ListKind::Numbered)
            return before;
    }
    return nullptr;
}

int ListNumbering::itemsBefore(const QTextList& list)
{
    if (!t_current) {
        int items = 0;
        for (const QTextList* before = continued(list); before; before = continued(*before))
            items += before->count();
        return items;
    }
    const auto found = t_current->m_itemsBefore.constFind(&list);
    if (found != t_current->m_itemsBefore.cend())
        return *found;
    const QTextList* before = continued(list);
    const int items = before ? before->count() + itemsBefore(*before) : 0;
    t_current->m_itemsBefore.insert(&list, items);
    return items;
}
