// Feeds arbitrary bytes to the language module reader, once as they are and once with the
// length and checksum fields made to match, so that the entries, the string table and the
// layouts behind them are reached too: every input is read or refused, nothing crashes.
#include "framework/AppError.h"
#include "framework/LanguageModule.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    for (const QByteArray& input : {bytes, LanguageModule::resealed(bytes)}) {
        try {
            const LanguageModule module = LanguageModule::fromData(input);
            module.entry(LanguageModule::StringsEntry);
            module.entry(LanguageModule::layoutEntry(QStringLiteral("TMainForm")));
        } catch (const AppError&) {
        }
    }
    return 0;
}
