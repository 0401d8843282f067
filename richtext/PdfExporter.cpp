#include "richtext/PdfExporter.h"

#include "framework/AppError.h"
#include "framework/LocalePaper.h"
#include "framework/StringIds.h"
#include "framework/StringTable.h"
#include "richtext/PageRenderer.h"

#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

namespace {
// The screen's resolution, which the documents' paragraph margins are already laid out for.
constexpr int Resolution = 96;

} // namespace

void PdfExporter::write(QTextDocument& document, const QString& path, const QString& title)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw AppError(StringTable::format(StringId::CannotCreateFile, {path}));
    {
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
        painter.end();
    }
    if (!file.commit())
        throw AppError(StringTable::load(StringId::FailedToSaveStream));
}
