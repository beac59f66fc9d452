#pragma once

#include "catalogue/generators/BatchGenerator.h"

namespace dedizo {

// The four names an input code generator works on.
struct InputCodeFields
{
    QString idField;    // integer key
    QString valueField; // the name
    QString codeField;  // its input code
    QString tableName;
};

// Sets the input code column of a table to InputCode of the name column, row
// by row (only empty codes unless every record is regenerated).
class InputCodeGenerator : public BatchGenerator
{
public:
    void Generate() override;
    InputCodeFields fields() const { return InitFields(); }

protected:
    virtual InputCodeFields InitFields() const = 0;
};

class BookInputCodeGenerator final : public InputCodeGenerator
{
protected:
    QString GetCaption() const override;
    QString GetDescription() const override;
    Dataset* GetDataSet() const override;
    InputCodeFields InitFields() const override;
};

class ReaderInputCodeGenerator final : public InputCodeGenerator
{
protected:
    QString GetCaption() const override;
    QString GetDescription() const override;
    Dataset* GetDataSet() const override;
    InputCodeFields InitFields() const override;
};

class PublisherInputCodeGenerator final : public InputCodeGenerator
{
protected:
    QString GetCaption() const override;
    QString GetDescription() const override;
    Dataset* GetDataSet() const override;
    InputCodeFields InitFields() const override;
};

} // namespace dedizo
