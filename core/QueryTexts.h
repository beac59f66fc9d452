#pragma once

#include <QString>

namespace dedizo {

class SqlDialect;

// The statements with which titles, copies, readers, loans and publishers are
// listed, each with the book-room restriction of the logged-in user as its
// fixed condition (see SQLBuilder). The room is read from currentUser() on
// every call, so a new login changes the next text, not the open ones.
// Texts that differ per database kind take the main connection's dialect
// unless one is given.

// The state of a room pick list: index 0 is "<全部>", -1 nothing chosen.
struct RoomChoice
{
    int selectedIndex = -1;
    QString text;
};

// prefix + ("HomePhone" for readers, else "BookRoom") + " = " + the user's
// room quoted + suffix; empty for a user without a book room.
QString BookRoomCondition(const QString& prefix = {}, const QString& suffix = {}, bool forReaders = false);

// The same condition for a room chosen in a pick list: empty for "<全部>" or
// no choice. A user with a book room is always held to that room.
QString BookRoomComboCondition(const RoomChoice& choice, const QString& prefix = {},
                               const QString& suffix = {}, bool forReaders = false);

// Titles, unrestricted (duplicate checks).
QString BooksSelect(const QString& condition = {});
// Titles with at least one copy in the user's room, ordered by BookID.
QString BooksSelectInRoom(const QString& condition = {});
// Copies joined with their titles, ordered by CopyID.
QString CopiesSelect(const QString& condition = {});
QString CopiesSelect(const QString& condition, const SqlDialect& dialect);
// Readers of the user's room, ordered by ReaderID.
QString ReadersSelect(const QString& condition = {});
// Loans with their title, copy and reader, wrapped in an outer select so
// that conditions and orders can name the computed column ExceedDays.
// Restricted to copies of the user's room unless allRooms.
QString LoanListSelect(const QString& condition = {}, bool allRooms = false);
QString LoanListSelect(const QString& condition, bool allRooms, const SqlDialect& dialect);
QString PublishersSelect(const QString& condition = {});

} // namespace dedizo
