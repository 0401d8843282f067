#include "richtext/PdfExporter.h"

#include "framework/AppError.h"
#include "framework/DurableFile.h"
#include "framework/LocalePaper.h"
#include "framework/StringIds.h"
#include "framework/StringTable.h"
#include "richtext/PageRenderer.h"

#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>

namespace {
// The screen's resolution, which the documents' paragraph margins are already laid out for.
constexpr int Resolution = 96;

} // namespace

void PdfExporter::write(QTextDocument& document, const QString& path, const QString& title)
{
    DurableFile::write(path, [&](QIODevice& file) {
        QPdfWriter writer(&file);
        writer.setResolution(Resolution);
        writer.setTitle(title);
        writer.setCreator(QStringLiteral("LumaroStyle Notepad"));
        writer.setPageLayout(QPageLayout(LocalePaper::pageSize(), QPageLayout::Portrait, QMarginsF(15, 15, 15, 15),
                                         QPageLayout::Millimeter));
        QPainter painter;
        if (!painter.begin(&writer))
            throw AppError(StringTable::format(StringId::CannotCreateFile, {path}));
        PageRenderer::renderDocument(document, painter, QSize(writer.width(), writer.height()), Resolution, Resolution,
                             [&] { writer.newPage(); });
        return painter.end();
    });
}
