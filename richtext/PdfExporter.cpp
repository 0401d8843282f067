#include "richtext/PdfExporter.h"

#include "framework/AppError.h"
#include "framework/DurableFile.h"
#include "framework/LocalePaper.h"
#include "framework/StringIds.h"
#include "framework/StringTable.h"
#include "richtext/PageRenderer.h"
#include "richtext/PdfCanvas.h"
#include "richtext/PdfFile.h"
#include "richtext/PdfFonts.h"

#include <QBuffer>
#include <QDateTime>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QTextDocument>

#include <future>

namespace {
// The screen's resolution, which the documents' paragraph margins are already laid out for.
constexpr int Resolution = 96;
// A face with CFF outlines is embedded whole (50-150 KB); below this many characters (about a
// hundred pages) that would make the file many times larger than its text needs, and such a
// document goes through Qt's engine, which cuts the face down.
constexpr int WholeFacesFrom = 200000;

QPageLayout pageLayout()
{
    return QPageLayout(LocalePaper::pageSize(), QPageLayout::Portrait, QMarginsF(15, 15, 15, 15),
                       QPageLayout::Millimeter);
}

void setUp(QPdfWriter& writer, const QString& title)
{
    writer.setResolution(Resolution);
    writer.setTitle(title);
    writer.setCreator(QStringLiteral("LumaroStyle Notepad"));
    writer.setPageLayout(pageLayout());
}

// Our own page output: text as runs of glyphs in embedded fonts, a page written as soon as it is
// drawn. Throws PdfFonts::Unsupported for a face it cannot embed.
bool writeGlyphRuns(QTextDocument& document, QIODevice& out, const QString& title)
{
    // Text is laid out for a PDF writer of Qt's, which is never drawn on: its fonts and measures
    // are those of Qt's own PDF output.
    QBuffer unused;
    QPdfWriter measures(&unused);
    setUp(measures, title);

    const QPageLayout layout = pageLayout();
    const QRectF paper = layout.fullRectPoints();
    const QRect printable = layout.paintRectPixels(Resolution);
    const double scale = 72.0 / Resolution;
    const QTransform toPage(scale, 0, 0, -scale, printable.left() * scale, paper.height() - printable.top() * scale);

    PdfFile file(out);
    const int catalog = file.reserve();
    const int pages = file.reserve();
    const int info = file.reserve();
    PdfFonts fonts(document.characterCount() >= WholeFacesFrom);
    PdfCanvas canvas(file, fonts, &measures, toPage);
    QByteArray mediaBox = "[0 0 ";
    PdfFile::appendNumber(mediaBox, paper.width());
    mediaBox += ' ';
    PdfFile::appendNumber(mediaBox, paper.height());
    mediaBox += ']';

    QByteArray kids;
    int count = 0;
    // A page's content is compressed on another thread while the next page is laid out; it is
    // written once that page is done.
    std::future<QByteArray> compressing;
    QByteArray compressedPage;
    auto writeCompressed = [&] {
        if (!compressing.valid())
            return;
        const int content = file.reserve();
        file.writeDeflated(content, QByteArray(), compressing.get());
        const int page = file.reserve();
        file.writeObject(page, "<< /Type /Page /Parent " + QByteArray::number(pages) + " 0 R /MediaBox " + mediaBox +
                                   " /Contents " + QByteArray::number(content) + " 0 R /Resources << /Font << " +
                                   compressedPage + ">> /ProcSet [/PDF /Text] >> >>");
        kids += QByteArray::number(page) + " 0 R ";
        ++count;
    };
    auto endPage = [&] {
        writeCompressed();
        compressedPage.clear();
        for (const int font : canvas.takeFonts())
            compressedPage += "/F" + QByteArray::number(font) + ' ' + QByteArray::number(font) + " 0 R ";
        compressing = std::async(std::launch::async, PdfFile::deflate, canvas.takeContent());
    };
    PageRenderer::renderDocument(document, canvas, printable.size(), Resolution, Resolution, endPage);
    endPage();
    writeCompressed();

    fonts.write(file);
    file.writeObject(pages, "<< /Type /Pages /Kids [" + kids + "] /Count " + QByteArray::number(count) + " >>");
    file.writeObject(catalog, "<< /Type /Catalog /Pages " + QByteArray::number(pages) + " 0 R" +
                                  (fonts.needsOpenType() ? " /Version /1.6" : "") + " >>");
    const QByteArray now = QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMddHHmmss")).toLatin1();
    file.writeObject(info, "<< /Title " + PdfFile::textString(title) + " /Creator " +
                               PdfFile::textString(QStringLiteral("LumaroStyle Notepad")) + " /Producer " +
                               PdfFile::textString(QStringLiteral("LumaroStyle Notepad")) + " /CreationDate (D:" + now +
                               "Z) >>");
    return file.finish(catalog, info);
}

// Qt's PDF engine, for documents with faces our own output cannot embed.
bool writeWithQt(QTextDocument& document, QIODevice& out, const QString& path, const QString& title)
{
    QPdfWriter writer(&out);
    setUp(writer, title);
    QPainter painter;
    if (!painter.begin(&writer))
        throw AppError(StringTable::format(StringId::CannotCreateFile, {path}));
    PageRenderer::renderDocument(document, painter, QSize(writer.width(), writer.height()), Resolution, Resolution,
                                 [&] { writer.newPage(); });
    return painter.end();
}
} // namespace

void PdfExporter::write(QTextDocument& document, const QString& path, const QString& title)
{
    try {
        DurableFile::write(path, [&](QIODevice& file) { return writeGlyphRuns(document, file, title); });
    } catch (const PdfFonts::Unsupported&) {
        writeWithQtEngine(document, path, title);
    }
}

void PdfExporter::writeWithQtEngine(QTextDocument& document, const QString& path, const QString& title)
{
    DurableFile::write(path, [&](QIODevice& file) { return writeWithQt(document, file, path, title); });
}
