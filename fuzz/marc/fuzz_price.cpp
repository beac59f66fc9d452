// Price texts: any UTF-8 or raw UTF-16 input, both modes.
#include "acquisition/marc/MarcRecord.h"

#include <cstdint>
#include <cstdlib>

using namespace dedizo;

static void check(const QString& text)
{
    const PriceDetail lenient = MarcRecord::parsePriceDetail(text, true);
    if (lenient.price.units() < 0)
        abort(); // an amount is read without its sign
    try {
        const PriceDetail strict = MarcRecord::parsePriceDetail(text, false);
        // Where strict mode accepts the text both modes agree.
        if (strict.price != lenient.price || strict.currency != lenient.currency ||
            strict.notes != lenient.notes)
            abort();
    } catch (const MarcError&) {
    }
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    check(QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size)));
    // The same bytes as UTF-16 code units reach lone surrogates and every BMP character.
    check(QString(reinterpret_cast<const QChar*>(data), qsizetype(size / 2)));
    return 0;
}
