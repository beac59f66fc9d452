#pragma once

#include "catalogue/refdata/ui/RecordEditForm.h"
#include "core/ui/FatherForm.h"

#include <functional>

class QLineEdit;
class QMenu;
class QToolButton;

namespace dedizo {

// "出版单位设置" (function key 12): the publishers list in server mode.
class PublishersForm : public FatherForm
{
    Q_OBJECT
public:
    explicit PublishersForm(QWidget* parent = nullptr);

    QAction* PublishersAdd = nullptr;
    QAction* PublishersMod = nullptr;
    QAction* PublishersDel = nullptr;
    // "管理工具" and its entries.
    QAction* ActionTools = nullptr;
    QMenu* MnuManageTools = nullptr;
    QAction* ImportFromExcel = nullptr;
    QAction* ImportFromAccess = nullptr;
    QAction* ImportFromOther = nullptr;
    QAction* GenInputCode = nullptr;

    // The imports behind the tools' entries, installed by the import module;
    // an entry without one stays disabled.
    enum class Tool
    {
        ImportExcel,
        ImportAccess,
        ImportOther
    };
    static void setToolHandler(Tool tool, std::function<void(QWidget*)> handler);

private:
    void addPublisher();
    void modifyPublisher();
    void deletePublisher();
    void runEditor();
};

// "出版单位修改": the input code follows the name as it is typed.
class PublisherEditForm : public RecordEditForm
{
    Q_OBJECT
public:
    explicit PublisherEditForm(Dataset* publishers, QWidget* parent = nullptr);

    QLineEdit* EditName = nullptr;
    QLineEdit* EditInputCode = nullptr;
};

} // namespace dedizo
