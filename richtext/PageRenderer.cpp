#include "richtext/PageRenderer.h"

#include "richtext/DocumentFormat.h"
#include "richtext/ParagraphDecorations.h"
#include "richtext/ParagraphLayout.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextLayout>
#include <QTextDocument>

namespace {
constexpr int TwipsPerInch = DocumentFormat::TwipsPerInch;
} // namespace

QRect PageRenderer::renderingRectTwips(const QSize& printablePixels, int dpiX, int dpiY)
{
    if (dpiX <= 0 || dpiY <= 0)
        return QRect();
    const qint64 right = qint64(printablePixels.width()) * TwipsPerInch / dpiX;
    const qint64 bottom = qint64(printablePixels.height()) * TwipsPerInch / dpiY;
    return QRect(QPoint(0, 0), QPoint(int(right) - 1, int(bottom) - 1));
}

int PageRenderer::renderDocument(QTextDocument& document, QPainter& painter, const QSize& printablePixels, int dpiX,
                                 int dpiY, const std::function<void()>& newPage)
{
    const QRect twips = renderingRectTwips(printablePixels, dpiX, dpiY);
    const double pageWidth = double(twips.width()) * dpiX / TwipsPerInch;
    const double pageHeight = double(twips.height()) * dpiY / TwipsPerInch;

    document.setUndoRedoEnabled(false);
    // The margins change before the document is laid out for the device: changing paragraphs of
    // a laid-out document lays it out again up to each change. At the screen's resolution they
    // are already right.
    if (dpiX != DocumentFormat::ScreenDpi)
        ParagraphLayout::layOutAll(document, dpiX);
    document.setDocumentMargin(0);
    // Keep each paragraph's shaped text from laying out to drawing instead of shaping it twice.
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        block.layout()->setCacheEnabled(true);
    document.documentLayout()->setPaintDevice(painter.device());
    document.setPageSize(QSizeF(pageWidth, pageHeight));

    const int pages = qMax(1, document.pageCount());
    QAbstractTextDocumentLayout::PaintContext context;
    for (int page = 0; page < pages; ++page) {
        if (page > 0)
            newPage();
        const QRectF area(0, page * pageHeight, pageWidth, pageHeight);
        painter.save();
        painter.translate(0, -area.top());
        painter.setClipRect(area);
        context.clip = area;
        document.documentLayout()->draw(&painter, context);
        ParagraphDecorations::paint(painter, document, area, dpiX, Qt::black);
        painter.restore();
    }
    return pages;
}
