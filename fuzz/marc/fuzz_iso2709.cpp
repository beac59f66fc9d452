// ISO 2709 data: the reader in each encoding, then the parser on what it produced.
#include "acquisition/marc/Iso2709Reader.h"
#include "acquisition/marc/MarcFile.h"
#include "acquisition/marc/MarcRecord.h"

#include <cstdint>

using namespace dedizo;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    for (MarcEncoding encoding : {MarcEncoding::Auto, MarcEncoding::Utf8, MarcEncoding::Gbk}) {
        Iso2709Reader reader(bytes, encoding);
        Marc record;
        int count = 0;
        while (reader.readNext(record)) {
            ++count;
            record.Format = detectMarcFormat(record);
            if (record.Format == mfUnknown)
                record.Format = mfCNMarc;
            (void)resourceToJson(MarcRecord(record, true).toResource());
        }
        for (const MarcReadIssue& issue : reader.issues()) {
            if (issue.offset < 0 || issue.offset >= bytes.size() || issue.reason.isEmpty())
                abort();
        }
        if (count + reader.issues().size() > bytes.size())
            abort();
    }
    return 0;
}
