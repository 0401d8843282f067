// Feeds arbitrary text to the layout reader: parsed, then read onto a window of the framework's
// classes (properties set by name, pictures decoded, handlers bound). A damaged layout must be
// refused with AppError, never crash, hang or leak.
#include "framework/AppError.h"
#include "framework/LayoutParser.h"
#include "framework/LayoutReader.h"
#include "framework/TForm.h"

#include <QApplication>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication application(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    try {
        const LayoutObject layout = LayoutParser::parse(text, QStringLiteral("fuzz.layout"));
        TForm window;
        LayoutReader::read(window, layout, LayoutReader::Mode::Create, QStringLiteral("fuzz.layout"));
        // A second reading onto the same window, as a language switch does.
        LayoutReader::read(window, layout, LayoutReader::Mode::Reread, QStringLiteral("fuzz.layout"));
    } catch (const AppError&) {
    }
    return 0;
}
