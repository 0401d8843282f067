#include "richtext/CffFontProgram.h"

#include "richtext/SfntWriter.h"

#include <QRawFont>

bool CffFontProgram::canEmbed(const QRawFont& raw)
{
    return !raw.fontTable("CFF ").isEmpty() && raw.fontTable("head").size() >= 54 &&
           SfntWriter::licenceAllowsEmbedding(raw.fontTable("OS/2"));
}

QByteArray CffFontProgram::build(const QRawFont& raw)
{
    SfntWriter font(0x4F54544F); // 'OTTO'
    for (const char* tag : {"CFF ", "OS/2", "cmap", "head", "hhea", "hmtx", "maxp", "name", "post"})
        font.add(tag, raw.fontTable(tag));
    return font.finish();
}
