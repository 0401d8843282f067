#pragma once

#include <QObject>

class QPrinter;

// The print dialog component: shown for a printer, whose settings it changes when confirmed.
// The program shows it without a print-to-file box, a page range or a selection range.
class TPrintDialog : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    bool Execute(QPrinter& printer);
};
