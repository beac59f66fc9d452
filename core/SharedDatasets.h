#pragma once

#include "core/Dataset.h"

namespace dedizo {

// The shared datasets of the data module, each with its initial SQL and its
// record rules (insert defaults, save checks), so every window that inserts
// or saves through them gets the same behaviour.
class SharedDatasets
{
public:
    SharedDatasets();

    Dataset UserQuery;
    Dataset PubQuery;
    Dataset FunQuery;
    Dataset ParQuery;
    Dataset ItemsQuery;
    Dataset UserLogQuery;
    Dataset AccQuery;
    Dataset ReadersQuery;
    Dataset BooksQuery;
    Dataset ReaderCateQuery;
    Dataset PublishersQuery;
    Dataset BookCateQuery;
    Dataset LoanListQuery;
    Dataset BookLoanStatQuery;
    Dataset ReaderLoanStatQuery;
    Dataset BylawQuery;
    Dataset CopiesQuery;
    Dataset TempQuery;
    Dataset BookFindQuery;
    Dataset PicturesQuery;
    Dataset BookCopyListQuery;

private:
    void attachRules();
};

// The shared datasets of the data module (created with it).
SharedDatasets& DM1();

} // namespace dedizo
