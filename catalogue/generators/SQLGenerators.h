#pragma once

#include "catalogue/generators/BatchGenerator.h"

namespace dedizo {

// A generator whose work is one UPDATE statement: all rows change or none.
class SQLGenerator : public BatchGenerator
{
public:
    void Generate() override;
    // The statement for the current option, in the main connection's dialect.
    virtual QString GetSQL() const = 0;

protected:
    Dataset* GetDataSet() const override;
};

// Class names of the books from the classification, by class code.
class BookCateNameGenerator final : public SQLGenerator
{
public:
    QString GetSQL() const override;

protected:
    QString GetCaption() const override;
    QString GetDescription() const override;
};

// Places of publication of the books from the publishers, by publisher name.
class BookPublishPlaceGenerator final : public SQLGenerator
{
public:
    QString GetSQL() const override;

protected:
    QString GetCaption() const override;
    QString GetDescription() const override;
};

} // namespace dedizo
