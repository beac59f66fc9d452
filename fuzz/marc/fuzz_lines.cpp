// Line-form records: the parser in both modes and every output built from it.
#include "acquisition/marc/MarcFile.h"
#include "acquisition/marc/MarcRecord.h"

#include <cstdint>

using namespace dedizo;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    Marc marc;
    marc.Format = mfCNMarc;
    for (const QString& line : QString::fromUtf8(bytes).split(QLatin1Char('\n')))
        marc << line;
    for (bool lenient : {true, false}) {
        try {
            const MarcRecord record(marc, lenient);
            (void)record.toString();
            (void)jsonText(record.getBasic());
            (void)jsonText(resourceToJson(record.toResource()), 2);
        } catch (const MarcError& e) {
            if (lenient)
                abort(); // a CNMARC record never fails in lenient mode
        }
    }
    // The file reader in line form (bytes without MARC terminators).
    if (!looksLikeIso2709(bytes)) {
        for (const Marc& m : readMarcData(bytes).records) {
            try {
                (void)MarcRecord(m, true).toResource();
            } catch (const MarcError&) {
            }
        }
    }
    return 0;
}
