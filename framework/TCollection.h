#pragma once

#include <QObject>

// A stored list of items (a status bar's panels, ...): a layout empties it and rebuilds it,
// setting each new item's properties by name.
class TCollection : public QObject {
    Q_OBJECT
public:
    explicit TCollection(QObject* parent = nullptr);
    ~TCollection() override;

    virtual void clear() = 0;
    // Appends a new item and returns it for its properties to be set.
    virtual QObject* add() = 0;
    virtual int count() const = 0;
    virtual QObject* item(int index) const = 0;
};
