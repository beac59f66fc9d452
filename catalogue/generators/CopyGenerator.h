#pragma once

#include "catalogue/generators/BatchGenerator.h"

namespace dedizo {

// Adds copies to the books from a count typed or imported into the book's
// input code column; existing copies are never removed.
class CopyGenerator final : public BatchGenerator
{
public:
    void Generate() override;

    // The count held in an input code column: a plain decimal number, 0 for
    // anything else (empty, signed, non-numeric, too large). A code that is
    // the title's own input code (a title named "1984") is no count either.
    static int copyCount(const QString& inputCode, const QString& bookName);

protected:
    QString GetCaption() const override;
    QString GetDescription() const override;
    Dataset* GetDataSet() const override;
};

} // namespace dedizo
