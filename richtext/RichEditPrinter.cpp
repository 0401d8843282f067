#include "richtext/RichEditPrinter.h"

#include "framework/TPrinter.h"
#include "richtext/DocumentDefaults.h"
#include "richtext/PageRenderer.h"
#include "richtext/TCustomRichEdit.h"

#include <QPainter>
#include <QTextDocument>
#include <memory>

void RichEditPrinter::print(const TCustomRichEdit& editor, const QString& title)
{
    TPrinter& printer = TPrinter::instance();
    printer.setTitle(title);
    QPainter& painter = printer.BeginDoc();
    try {
        // The printer lays out a copy of its own; the default attributes, which live beside the
        // text, are carried into the copy's text.
        const QTextDocument& original = *editor.document();
        std::unique_ptr<QTextDocument> copy(original.clone());
        if (DocumentDefaults::beyondDefaultFont(original)) {
            DocumentDefaults::setCharFormat(*copy, DocumentDefaults::charFormat(original));
            DocumentDefaults::resolveAll(*copy);
        }
        PageRenderer::renderDocument(*copy, painter, QSize(printer.pageWidth(), printer.pageHeight()),
                                     printer.dpiX(), printer.dpiY(), [&] { printer.NewPage(); });
        printer.EndDoc();
    } catch (...) {
        printer.Abort();
        throw;
    }
}
