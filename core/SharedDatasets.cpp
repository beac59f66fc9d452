#include "core/SharedDatasets.h"

#include "core/DataModule.h"
#include "core/DbUtils.h"
#include "core/Prompts.h"
#include "core/UserInfo.h"

namespace dedizo {

namespace {

// RegDate and Operator of a new record.
void stampNew(Dataset& ds)
{
    ds.setValue(QStringLiteral("RegDate"), ServerNow().date());
    ds.setValue(QStringLiteral("Operator"), currentUser().UserCode);
}

void checkCardStore(Dataset& ds)
{
    if (!DataModule::instance().cardStoreEnabled())
        return;
    CheckNotEmpty(ds, QStringLiteral("CardID"));
    const QString card = ds.value(QStringLiteral("CardID")).toString();
    if (!ValueExists(card, QStringLiteral("CardID"), QStringLiteral("CardStore"), QString(), true)) {
        ShowInfo(QStringLiteral("无效的证卡编码。"));
        ds.requestFocus(QStringLiteral("CardID"));
        throw AbortSilently();
    }
}

} // namespace

SharedDatasets::SharedDatasets()
{
    UserQuery.setSql(QStringLiteral("Select * from Users_tab"));
    ParQuery.setSql(QStringLiteral("SELECT * FROM Par_tab"));
    ItemsQuery.setSql(QStringLiteral("SELECT * FROM Items_tab"));
    UserLogQuery.setSql(QStringLiteral("SELECT * FROM UserLog_tab"));
    UserLogQuery.setReadOnly(true);
    ReadersQuery.setSql(QStringLiteral("SELECT * FROM Readers_view"));
    BooksQuery.setSql(QStringLiteral("SELECT * FROM Books_view"));
    ReaderCateQuery.setSql(QStringLiteral("SELECT * FROM ReaderCate_tab"));
    PublishersQuery.setSql(QStringLiteral("SELECT * FROM Publishers_tab"));
    BookCateQuery.setSql(QStringLiteral("SELECT * FROM BookCate_tab"));
    BookLoanStatQuery.setSql(
        QStringLiteral("SELECT COUNT(*)AS LoanCount,BookName,BookType\nFROM LoanList_view\n"
                       "GROUP BY BookID,BookName,BookType"));
    BookLoanStatQuery.setReadOnly(true);
    ReaderLoanStatQuery.setSql(QStringLiteral(
        "SELECT COUNT(*)AS LoanCount,ReaderCode,CardID,ReaderName,Sex,ReaderCateName,DeptName\n"
        "FROM LoanList_view\nGROUP BY ReaderID,ReaderCode,CardID,ReaderName,Sex,ReaderCateName,DeptName"));
    ReaderLoanStatQuery.setReadOnly(true);
    BylawQuery.setSql(QStringLiteral("SELECT * FROM Bylaw_tab"));
    CopiesQuery.setSql(QStringLiteral("SELECT * FROM Copies_tab"));
    CopiesQuery.setBatchMode(true);
    BookFindQuery.setSql(QStringLiteral("SELECT * FROM Books_view"));
    PicturesQuery.setSql(QStringLiteral("SELECT * FROM Pictures_tab"));
    BookCopyListQuery.setReadOnly(true);
    LoanListQuery.setReadOnly(true);
    attachRules();
}

void SharedDatasets::attachRules()
{
    // --- insert defaults ---
    UserQuery.addAfterInsertRule([](Dataset& ds) { ds.setValue(QStringLiteral("IsLock"), false); });
    ReadersQuery.addAfterInsertRule([](Dataset& ds) {
        ds.setValue(QStringLiteral("Sex"), true);
        stampNew(ds);
        if (HasBookRoom())
            ds.setValue(QStringLiteral("HomePhone"), currentUser().BookRoom);
    });
    BooksQuery.addAfterInsertRule([](Dataset& ds) {
        ds.setValue(QStringLiteral("LoanCount"), 0);
        stampNew(ds);
    });
    BylawQuery.addAfterInsertRule(stampNew);
    CopiesQuery.addAfterInsertRule([this](Dataset& ds) {
        const bool titleIsNew = BooksQuery.state() == Dataset::State::Insert;
        const QVariant bookId =
            BooksQuery.isOpen() && !titleIsNew ? BooksQuery.value(QStringLiteral("BookID")) : 0;
        ds.setValue(QStringLiteral("BookID"), bookId.isNull() ? QVariant(0) : bookId);
        ds.setValue(QStringLiteral("BookState"), QStringLiteral("可借"));
        stampNew(ds);
        if (HasBookRoom())
            ds.setValue(QStringLiteral("BookRoom"), currentUser().BookRoom);
    });

    // --- save checks, in order; the first failure stops the save ---
    UserQuery.addBeforePostRule([](Dataset& ds) {
        CheckNotEmpty(ds, QStringLiteral("UserCode"));
        CheckUnique(ds, QStringLiteral("UserCode"), QStringLiteral("Users_tab"));
        CheckNotEmpty(ds, QStringLiteral("UserName"));
    });
    ItemsQuery.addBeforePostRule([](Dataset& ds) { CheckNotEmpty(ds, QStringLiteral("ItemName")); });
    ReaderCateQuery.addBeforePostRule([](Dataset& ds) {
        CheckNotEmpty(ds, QStringLiteral("ReaderCateName"));
        CheckUnique(ds, QStringLiteral("ReaderCateName"), QStringLiteral("ReaderCate_tab"));
    });
    ReadersQuery.addBeforePostRule([](Dataset& ds) {
        CheckNotEmpty(ds, QStringLiteral("ReaderName"));
        CheckUnique(ds, QStringLiteral("ReaderCode"), QStringLiteral("Readers_tab"));
        checkCardStore(ds);
        CheckUnique(ds, QStringLiteral("CardID"), QStringLiteral("Readers_tab"));
        CheckNotEmpty(ds, QStringLiteral("ReaderCateID"), QStringLiteral("读者类别"));
        CheckNotEmpty(ds, QStringLiteral("Sex"));
    });
    PublishersQuery.addBeforePostRule([](Dataset& ds) {
        CheckNotEmpty(ds, QStringLiteral("PublisherName"));
        CheckUnique(ds, QStringLiteral("PublisherName"), QStringLiteral("Publishers_tab"));
    });
    BookCateQuery.addBeforePostRule([](Dataset& ds) {
        CheckNotEmpty(ds, QStringLiteral("BookCateCode"));
        CheckUnique(ds, QStringLiteral("BookCateCode"), QStringLiteral("BookCate_tab"));
        CheckNotEmpty(ds, QStringLiteral("BookCateName"));
    });
    BooksQuery.addBeforePostRule([](Dataset& ds) {
        CheckNotEmpty(ds, QStringLiteral("BookName"));
        CheckNotEmpty(ds, QStringLiteral("Author"));
        CheckNotEmpty(ds, QStringLiteral("BookType"));
    });
    BylawQuery.addBeforePostRule([](Dataset& ds) {
        CheckNotEmpty(ds, QStringLiteral("BylawTitle"));
        CheckUnique(ds, QStringLiteral("BylawTitle"), QStringLiteral("Bylaw_tab"));
        CheckNotEmpty(ds, QStringLiteral("BylawContent"));
    });
}

} // namespace dedizo
