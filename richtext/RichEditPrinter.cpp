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
    // The default attributes live beside the text; a copy for the printer carries them in the text.
    std::unique_ptr<QTextDocument> resolved;
    const QTextDocument* document = editor.document();
    if (DocumentDefaults::beyondDefaultFont(*document)) {
        resolved.reset(document->clone());
        DocumentDefaults::setCharFormat(*resolved, DocumentDefaults::charFormat(*document));
        DocumentDefaults::resolveAll(*resolved);
        document = resolved.get();
    }
    try {
        PageRenderer::render(*document, painter, QSize(printer.pageWidth(), printer.pageHeight()),
                             printer.dpiX(), printer.dpiY(), [&] { printer.NewPage(); });
        printer.EndDoc();
    } catch (...) {
        printer.Abort();
        throw;
    }
}
