#pragma once

#include <QString>

class TCustomRichEdit;

// Prints a rich-text control's whole document on the process's printer as one job with the
// given title: laid out for the printer's printable area, a new page only while text remains,
// one blank page for an empty document. A failure during the job aborts it, so the next print
// can start.
class RichEditPrinter {
public:
    static void print(const TCustomRichEdit& editor, const QString& title);
};
