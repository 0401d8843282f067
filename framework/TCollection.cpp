#include "framework/TCollection.h"

TCollection::TCollection(QObject* parent) : QObject(parent) {}

TCollection::~TCollection() = default;
