#pragma once

#include "catalogue/generators/BatchGenerator.h"

namespace dedizo {

// Call numbers "class code/running number": the titles of a class that have
// copies are numbered 1, 2, 3, ... in BookID order, and every copy of a title
// gets its title's number. Always renumbers every title with copies.
class BookCodeGenerator final : public BatchGenerator
{
public:
    void Generate() override;

protected:
    QString GetCaption() const override;
    QString GetDescription() const override;
    Dataset* GetDataSet() const override;
};

} // namespace dedizo
