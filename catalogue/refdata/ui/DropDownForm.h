#pragma once

#include <QWidget>

class QTableView;

namespace dedizo {

class Dataset;
class DatasetModel;

// TDropDownForm: a borderless grid over a lookup query, shown under an edit
// to choose one row. Enter or double click on a row chooses it and closes;
// Escape closes without a choice, and so does any click elsewhere (the
// picker closes as soon as it stops being the active window).
class DropDownForm : public QWidget
{
    Q_OBJECT
public:
    explicit DropDownForm(Dataset* query, QWidget* parent = nullptr);

    QTableView* grid() const { return m_grid; }
    bool chosen() const { return m_chosen; }
    // Places the picker under (or above) `control`, shows it and takes the focus.
    void popup(QWidget* control);
    // The picker's size at 96 dpi.
    static QSize baseSize() { return {398, 223}; }

Q_SIGNALS:
    void hidden();

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void choose();

    Dataset* m_query;
    DatasetModel* m_model;
    QTableView* m_grid;
    bool m_chosen = false;
    bool m_wasActive = false;
};

// Reopens `query` with its own SQL text. With pickSingle and exactly one row
// the row is taken at once and nothing is shown. Otherwise the picker is shown
// under `control` and the call waits, letting window events run, until it is
// hidden: true when a row was chosen (the query's current row), else false.
bool ShowDropDown(QWidget* control, Dataset& query, bool pickSingle = false);

} // namespace dedizo
