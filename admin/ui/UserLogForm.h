#pragma once

#include "core/ui/FatherForm.h"

namespace dedizo {

// TUserLogForm ("操作日志管理", key 53): the operation log, read only, over
// DM1().UserLogQuery. It opens with every entry in table order; the list
// window's "查询(&F)" narrows it. Nothing here changes the log.
class UserLogForm : public FatherForm
{
    Q_OBJECT
public:
    explicit UserLogForm(QWidget* parent = nullptr);
    ~UserLogForm() override;

    // Reopens the list with a user condition (empty: every entry).
    void applyCondition(const QString& condition) { ApplyWhere(condition); }
};

} // namespace dedizo
