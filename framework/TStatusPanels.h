#pragma once

#include "framework/TCollection.h"
#include "framework/TStatusPanel.h"

#include <QList>

// The panels of a status bar, a stored list.
class TStatusPanels : public TCollection {
    Q_OBJECT
public:
    using TCollection::TCollection;

    void clear() override;
    TStatusPanel* add() override;
    int count() const override { return int(m_panels.size()); }
    TStatusPanel* item(int index) const override { return m_panels.value(index); }

Q_SIGNALS:
    void changed();

private:
    QList<TStatusPanel*> m_panels;
};
