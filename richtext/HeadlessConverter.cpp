#include "richtext/HeadlessConverter.h"

#include "framework/AppError.h"
#include "framework/DurableFile.h"
#include "framework/StringIds.h"
#include "framework/StringTable.h"
#include "richtext/DocumentDefaults.h"
#include "richtext/DocumentFile.h"
#include "richtext/DocumentFormat.h"
#include "richtext/PdfExporter.h"

#include <QTextCharFormat>
#include <QTextDocument>

namespace {
// One output format of --convert-to. needsGui: the target lays out or measures text, which
// needs fonts and so a (headless) QGuiApplication.
struct Target {
    const char* name;
    bool needsGui;
    void (*convert)(const QString& input, const QString& output);
};

void convertToText(const QString& input, const QString& output)
{
    QString text = DocumentFile::loadText(input);
    if (!text.isEmpty() && !text.endsWith(u'\n'))
        text.append(u'\n');
    DurableFile::write(output, text.toUtf8());
}

// The editor's default face and attributes for new text, which plain text is shown in.
QString editorFace()
{
    return QStringLiteral("MS Sans Serif");
}

QTextCharFormat editorDefaultFormat()
{
    QTextCharFormat format;
    format.setFontFamilies(QStringList{editorFace()});
    DocumentFormat::setSizeTwips(format, 8 * DocumentFormat::TwipsPerPoint);
    return format;
}

// Reads input as the editor opens it: text without attributes of its own (plain text, RTF that
// names no face) takes the editor's defaults, so a conversion writes and prints what Save and
// Print in the window would.
void loadAsTheEditorDoes(const QString& input, QTextDocument& document)
{
    const QTextCharFormat defaults = editorDefaultFormat();
    DocumentFile::load(input, document, defaults);
    DocumentDefaults::setCharFormat(document, defaults);
}

void convertToRtf(const QString& input, const QString& output)
{
    if (DocumentFile::copyRichText(input, output, editorFace()))
        return;
    QTextDocument document;
    loadAsTheEditorDoes(input, document);
    DocumentFile::save(document, output);
}

void convertToPdf(const QString& input, const QString& output)
{
    QTextDocument document;
    loadAsTheEditorDoes(input, document);
    PdfExporter::write(document, output, input);
}

constexpr Target Targets[] = {
    {"txt", false, convertToText},
    {"rtf", false, convertToRtf},
    {"pdf", true, convertToPdf},
};

const Target* findTarget(const QString& name)
{
    for (const Target& target : Targets) {
        if (name == QLatin1String(target.name))
            return &target;
    }
    return nullptr;
}
} // namespace

QStringList HeadlessConverter::formats()
{
    QStringList names;
    for (const Target& target : Targets)
        names.append(QLatin1String(target.name));
    return names;
}

bool HeadlessConverter::needsFonts(const QString& format)
{
    const Target* target = findTarget(format);
    return target && target->needsGui;
}

void HeadlessConverter::convert(const QString& format, const QString& input, const QString& output)
{
    const Target* target = findTarget(format);
    if (!target)
        throw AppError(QStringLiteral("cannot convert to '%1'").arg(format));
    target->convert(input, output);
}
