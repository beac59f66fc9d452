#pragma once

#include <QString>
#include <stdexcept>

namespace dedizo {

// A statement or connection failed. Reaches the application-wide error handler
// unless a caller handles it; the message is the database's own.
class DatabaseError : public std::runtime_error
{
public:
    explicit DatabaseError(const QString& message, const QString& sql = QString())
        : std::runtime_error(message.toStdString()), m_message(message), m_sql(sql)
    {
    }
    const QString& message() const { return m_message; }
    const QString& sql() const { return m_sql; }

private:
    QString m_message;
    QString m_sql;
};

} // namespace dedizo
