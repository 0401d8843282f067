// Feeds arbitrary bytes to the picture loader (BMP and JPEG files of layouts): a damaged or
// hostile picture must be refused with AppError, never crash, and never decode into more pixels
// than the loader allows.
#include "framework/AppError.h"
#include "framework/TPicture.h"

#include <QGuiApplication>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication application(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    try {
        const TPicture picture = TPicture::fromFileData(bytes);
        if (picture.isEmpty() || qint64(picture.width()) * picture.height() > 16384LL * 16384LL)
            std::abort();
    } catch (const AppError&) {
    }
    return 0;
}
