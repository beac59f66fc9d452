#pragma once

#include "core/DBFilterBuilder.h"

#include <QDialog>

class QComboBox;
class QDateEdit;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QStackedWidget;

namespace dedizo {

// The query condition builder window: conditions are defined one by one and
// collected in a list; OK hands the list back.
class QLDBFilterForm : public QDialog
{
    Q_OBJECT
public:
    QLDBFilterForm(const QList<FilterField>& fields, const QList<FilterCondition>& conditions,
                   const QString& title, QWidget* parent = nullptr);

    const QList<FilterCondition>& conditions() const { return m_conditions; }
    const QList<FilterField>& fields() const { return m_fields; }

    QComboBox* CboField = nullptr;
    QRadioButton* RbAnd = nullptr;
    QRadioButton* RbOr = nullptr;
    QComboBox* CboCondition = nullptr;
    QStackedWidget* PanValue = nullptr;
    QLineEdit* EditValue = nullptr;
    QComboBox* CboBoolValue = nullptr;
    QDateEdit* EditDateValue = nullptr;
    QPushButton* BtnAdd = nullptr;
    QListWidget* LstConditions = nullptr;
    QPushButton* BtnDelete = nullptr;
    QPushButton* BtnClear = nullptr;
    QPushButton* BtnOK = nullptr;
    QPushButton* BtnShowAll = nullptr;
    QPushButton* BtnCancel = nullptr;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void fieldChanged();
    void addCondition();
    void loadCondition(int row);
    void deleteCondition();
    void clearConditions();
    void confirm();
    void showAll();
    void refreshList(int select);
    const FilterField* currentField() const;
    QString currentValue(const FilterField& field) const;

    QList<FilterField> m_fields;
    QList<FilterCondition> m_conditions;
};

// The shared query condition builder of the list windows ("查询"). It only
// produces SQL: the list window applies GetFilter as its user condition.
class QLDBFilterDialog
{
public:
    QLDBFilterDialog();

    // The one instance of the run, created on first use with the title "查询".
    static QLDBFilterDialog& shared();

    // The dataset's fields in field order (the DataSet property).
    void setDataSetFields(const QList<FilterField>& fields) { m_dataSetFields = fields; }
    const QList<FilterField>& dataSetFields() const { return m_dataSetFields; }
    // Names of the fields offered, separated by ";".
    void setFilterFields(const QString& names) { m_filterFields = names; }
    QString filterFields() const { return m_filterFields; }
    void setTitle(const QString& title) { m_title = title; }
    QString title() const { return m_title; }

    void clearConditions() { m_conditions.clear(); }
    const QList<FilterCondition>& conditions() const { return m_conditions; }
    void setConditions(const QList<FilterCondition>& c) { m_conditions = c; }

    // Shows the builder modally; true on OK (the conditions then replace the old ones).
    bool Execute(QWidget* parent = nullptr);
    // The condition text with the literals of the main connection.
    QString GetFilter() const;

private:
    QList<FilterField> m_dataSetFields;
    QString m_filterFields;
    QString m_title;
    QList<FilterCondition> m_conditions;
};

} // namespace dedizo
