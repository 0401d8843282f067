#include "richtext/PageRenderer.h"

#include "richtext/DocumentFormat.h"
#include "richtext/ListNumbering.h"
#include "richtext/PainterCanvas.h"
#include "richtext/ParagraphDecorations.h"
#include "richtext/ParagraphLayout.h"
#include "richtext/ParagraphLines.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

#include <cmath>
#include <deque>
#include <memory>

namespace {
constexpr int TwipsPerInch = DocumentFormat::TwipsPerInch;

// Holds the device the document is laid out for, so that its paragraphs take their fonts'
// measures from it; the renderer lays the paragraphs out itself, one at a time.
class DeviceLayout : public QAbstractTextDocumentLayout {
public:
    using QAbstractTextDocumentLayout::QAbstractTextDocumentLayout;
    void draw(QPainter*, const PaintContext&) override {}
    int hitTest(const QPointF&, Qt::HitTestAccuracy) const override { return -1; }
    int pageCount() const override { return 1; }
    QSizeF documentSize() const override { return {}; }
    QRectF frameBoundingRect(QTextFrame*) const override { return {}; }
    QRectF blockBoundingRect(const QTextBlock&) const override { return {}; }

protected:
    void documentChanged(int, int, int) override {}
};

// A paragraph laid out and not yet drawn on all its pages.
struct PendingBlock {
    QTextBlock block;
    std::unique_ptr<QTextLayout> layout;
    qreal bottom;
};
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
    PainterCanvas canvas(painter);
    return renderDocument(document, canvas, printablePixels, dpiX, dpiY, newPage);
}

int PageRenderer::renderDocument(QTextDocument& document, PageCanvas& canvas, const QSize& printablePixels, int dpiX,
                                 int dpiY, const std::function<void()>& newPage)
{
    const QRect twips = renderingRectTwips(printablePixels, dpiX, dpiY);
    const ListNumbering numbering; // the lists stay as they are while the pages are made
    const double pageWidth = double(twips.width()) * dpiX / TwipsPerInch;
    const double pageHeight = ParagraphLines::fixed(double(twips.height()) * dpiY / TwipsPerInch);

    document.setUndoRedoEnabled(false);
    document.setDocumentMargin(0);
    auto* deviceLayout = new DeviceLayout(&document);
    deviceLayout->setPaintDevice(canvas.device());
    document.setDocumentLayout(deviceLayout);
    document.setPageSize(QSizeF(pageWidth, pageHeight));

    ParagraphLines::Area area;
    area.width = pageWidth;
    area.device = canvas.device();
    area.pageHeight = pageHeight;
    const QColor text = QAbstractTextDocumentLayout::PaintContext().palette.color(QPalette::Text);

    std::deque<PendingBlock> pending;
    int page = 0; // the next page to draw
    auto drawPage = [&] {
        if (page > 0)
            newPage();
        const QRectF sheet(0, page * pageHeight, pageWidth, pageHeight);
        canvas.beginSheet(sheet);
        for (const PendingBlock& laidOut : pending) {
            if (laidOut.layout->position().y() >= sheet.bottom())
                break;
            canvas.drawLayout(laidOut.block, *laidOut.layout, sheet, text);
            ParagraphDecorations::paintBlock(canvas, laidOut.block, *laidOut.layout, dpiX, Qt::black);
        }
        canvas.endSheet();
        ++page;
        // A paragraph is forgotten once its last page is out.
        while (!pending.empty() && pending.front().bottom <= page * pageHeight)
            pending.pop_front();
    };

    qreal y = 0;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        // Margins and stops for the device: at the screen's resolution they are the document's.
        const QTextBlockFormat format =
            dpiX == DocumentFormat::ScreenDpi ? block.blockFormat() : ParagraphLayout::laidOut(block, dpiX);
        auto layout = std::make_unique<QTextLayout>(block);
        // The text is shaped once, for laying out and for drawing.
        layout->setCacheEnabled(true);
        area.top = y;
        const qreal height = ParagraphLines::layOut(block, format, *layout, area);
        layout->setPosition(QPointF(0, y));
        y += height;
        pending.push_back({block, std::move(layout), y});
        // Later paragraphs start at y or below: the pages above it are complete.
        while (y >= (page + 1) * pageHeight)
            drawPage();
    }
    const int pages = qMax(1, int(std::ceil(y / pageHeight)));
    while (page < pages)
        drawPage();
    return pages;
}
