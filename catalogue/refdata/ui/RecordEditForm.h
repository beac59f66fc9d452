#pragma once

#include <QDialog>
#include <QHash>
#include <functional>

class QCheckBox;
class QComboBox;
class QFormLayout;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace dedizo {

class Dataset;

// The column a field widget shows and writes (the dynamic property "dataField").
void setBoundField(QWidget* widget, const QString& field);
QString boundField(const QWidget* widget);

// An editor over the current row of a dataset that its caller has put into
// insert or edit state: labelled fields bound to columns, "保存(&S)" and
// "取消(&C)". Enter moves to the next field (a multi-line box takes it as a
// new line); Enter with Shift, Ctrl or Alt saves. A record rule that refuses
// the save keeps the editor open with the focus on the field it names; a
// database error is shown and the editor stays open. With the check box
// "保存后新增(&A)" ticked a save appends the next row instead of closing.
class RecordEditForm : public QDialog
{
    Q_OBJECT
public:
    RecordEditForm(Dataset* dataset, const QString& caption, QWidget* parent = nullptr);

    Dataset* dataset() const { return m_dataset; }

    QLineEdit* addTextEdit(const QString& field, int maxLength = 0);
    // Whole numbers within [minimum, maximum]; empty stores no value.
    QLineEdit* addNumberEdit(const QString& field, int minimum, int maximum);
    QComboBox* addComboBox(const QString& field, int maxLength = 0);
    QPlainTextEdit* addMemoEdit(const QString& field);
    QCheckBox* addAddNewCheck();

    QWidget* fieldWidget(const QString& field) const { return m_widgets.value(field.toLower()); }
    // Reads the widgets' values from the dataset's current row.
    void loadFields();
    // Writes the widgets' values to the dataset's current row.
    void writeFields();
    // True while loadFields fills the widgets (their change signals are not the user's).
    bool isLoading() const { return m_loading; }

    QPushButton* BtnSave = nullptr;
    QPushButton* BtnCancel = nullptr;
    QCheckBox* ChkAddNew = nullptr;

    // Opens an editor through the function-window routine (no function key
    // of its own, so no rights row applies; opening and closing are logged).
    static int open(const QString& className, const QString& caption,
                    const std::function<QDialog*(QWidget*)>& create, QWidget* parent);

public Q_SLOTS:
    void save();

protected:
    // Posts the row; editors with more to do on saving override it.
    virtual void postRecord();
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    QWidget* addField(const QString& field, QWidget* widget);
    void focusField(const QString& field);

    Dataset* m_dataset;
    QFormLayout* m_form;
    QList<QWidget*> m_order;
    QHash<QString, QWidget*> m_widgets; // by lower-case field name
    bool m_loading = false;
};

} // namespace dedizo
