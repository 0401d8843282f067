#include "richtext/RichEditPrinter.h"

#include "framework/TPrinter.h"
#include "richtext/PageRenderer.h"
#include "richtext/TCustomRichEdit.h"

#include <QPainter>

void RichEditPrinter::print(const TCustomRichEdit& editor, const QString& title)
{
    TPrinter& printer = TPrinter::instance();
    printer.setTitle(title);
    QPainter& painter = printer.BeginDoc();
    try {
        PageRenderer::render(*editor.document(), painter, QSize(printer.pageWidth(), printer.pageHeight()),
                             printer.dpiX(), printer.dpiY(), [&] { printer.NewPage(); });
        printer.EndDoc();
    } catch (...) {
        printer.Abort();
        throw;
    }
}
