#pragma once

#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>

namespace dedizo {

// The "确定(&O)" / "取消(&C)" pair at the right of a dialog's bottom row.
// OK is the default button; Cancel rejects. The caller connects OK.
inline QHBoxLayout* okCancelRow(QDialog* dialog, QPushButton*& ok, QPushButton*& cancel)
{
    ok = new QPushButton(QStringLiteral("确定(&O)"), dialog);
    ok->setObjectName(QStringLiteral("BtnOK"));
    ok->setDefault(true);
    cancel = new QPushButton(QStringLiteral("取消(&C)"), dialog);
    cancel->setObjectName(QStringLiteral("BtnCancel"));
    QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(ok);
    row->addWidget(cancel);
    return row;
}

} // namespace dedizo
