// Feeds arbitrary bytes to the picture loader (BMP and JPEG files of layouts): a damaged or
// hostile picture must be refused with AppError, never crash, and never decode into more pixels
// than the loader allows. The decoders behind the loader's own checks are Qt's and libjpeg's,
// which the fuzzer cannot see into: inputs whose first byte is odd are first made to pass those
// checks (a BMP's size field set to its length, a JPEG ended with its end marker), so that
// mutations of every length reach the decoders; and what the decoders made of an input (its
// pixel format, its size, why it was refused) is shown to the fuzzer as coverage of its own, so
// that inputs the decoders treat differently are kept.
#include "framework/AppError.h"
#include "framework/TPicture.h"

#include <QGuiApplication>
#include <QtEndian>

#include <cstdint>
#include <cstdlib>

namespace {
// Counters that libFuzzer reads as coverage of their own ("extra counters"): 16 for each of the
// pixel format, the width, the height and the reason for a refusal.
__attribute__((section("__libfuzzer_extra_counters"))) std::uint8_t g_results[4][16];

void see(int feature, unsigned bucket)
{
    ++g_results[feature][bucket % 16];
}

unsigned log2Bucket(int value)
{
    unsigned bucket = 0;
    while (value > 1 && bucket < 15) {
        value >>= 1;
        ++bucket;
    }
    return bucket;
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication application(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    QByteArray bytes(reinterpret_cast<const char*>(data) + 1, qsizetype(size - 1));
    if (data[0] & 1) {
        if (bytes.startsWith("BM") && bytes.size() >= 6)
            qToLittleEndian<quint32>(quint32(bytes.size()), bytes.data() + 2);
        else if (bytes.startsWith("\xFF\xD8\xFF") && !bytes.endsWith("\xFF\xD9"))
            bytes.append("\xFF\xD9");
    }
    try {
        const TPicture picture = TPicture::fromFileData(bytes);
        if (picture.isEmpty() || qint64(picture.width()) * picture.height() > 16384LL * 16384LL)
            std::abort();
        see(0, unsigned(picture.image().format()));
        see(1, log2Bucket(picture.width()));
        see(2, log2Bucket(picture.height()));
    } catch (const AppError& error) {
        see(3, unsigned(qHash(error.message())));
    }
    return 0;
}
