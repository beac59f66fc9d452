#pragma once

#include <QDate>
#include <QString>

namespace dedizo {

class Connection;

// A few titles, copies, readers and loans for a look at the windows (the
// screenshot mode) and for tests. Every statement is plain SQL text on the
// given connection; throws DatabaseError.
namespace SampleData {

int addBook(Connection& c, const QString& name, const QString& author, const QString& publisher,
            const QString& isbn);
int addCopy(Connection& c, int bookId, const QString& barcode, const QString& room);
int addReader(Connection& c, const QString& name, const QString& code, const QString& room = QString());
// A loan of the copy (set to "借出", the title's LoanCount raised), not returned.
int addLoan(Connection& c, int copyId, int readerId, const QDate& loanDate, const QDate& dueDate);

// Three titles with six copies, three readers and two open loans, one of
// them overdue on `today`. Does nothing when the database holds titles already.
bool insertSampleLibrary(Connection& c, const QDate& today);

} // namespace SampleData

} // namespace dedizo
