#include "catalogue/refdata/ui/PublishersForm.h"

#include "catalogue/generators/InputCodeGenerators.h"
#include "catalogue/inputcode/InputCode.h"
#include "catalogue/refdata/DataDictionary.h"
#include "core/Dataset.h"
#include "core/Prompts.h"
#include "core/QueryTexts.h"
#include "core/SharedDatasets.h"
#include "core/ui/ActionTags.h"

#include <QAction>
#include <QComboBox>
#include <QHash>
#include <QLineEdit>
#include <QMenu>
#include <QToolBar>
#include <QToolButton>

namespace dedizo {

namespace {
QHash<int, std::function<void(QWidget*)>>& toolHandlers()
{
    static QHash<int, std::function<void(QWidget*)>> handlers;
    return handlers;
}
} // namespace

void PublishersForm::setToolHandler(Tool tool, std::function<void(QWidget*)> handler)
{
    toolHandlers().insert(int(tool), std::move(handler));
}

PublishersForm::PublishersForm(QWidget* parent) : FatherForm(&DM1().PublishersQuery, parent)
{
    setWindowTitle(QStringLiteral("出版单位设置"));
    resize(900, 560);

    PublishersAdd = new QAction(QStringLiteral("新增(&A)"), this);
    PublishersMod = new QAction(QStringLiteral("修改(&M)"), this);
    PublishersDel = new QAction(QStringLiteral("删除(&D)"), this);
    for (QAction* a : {PublishersAdd, PublishersMod, PublishersDel}) {
        setActionTag(a, TagOperate);
        addToolAction(a);
    }
    setEditAction(PublishersMod);
    connect(PublishersAdd, &QAction::triggered, this, &PublishersForm::addPublisher);
    connect(PublishersMod, &QAction::triggered, this, &PublishersForm::modifyPublisher);
    connect(PublishersDel, &QAction::triggered, this, &PublishersForm::deletePublisher);

    MnuManageTools = new QMenu(this);
    ImportFromExcel = MnuManageTools->addAction(QStringLiteral("从 Excel 导入出版单位..."));
    ImportFromAccess = MnuManageTools->addAction(QStringLiteral("从 Access 导入出版单位..."));
    ImportFromOther = MnuManageTools->addAction(QStringLiteral("从其它数据源导入出版单位..."));
    MnuManageTools->addSeparator();
    GenInputCode = MnuManageTools->addAction(QStringLiteral("生成出版单位名称输入码..."));
    const QList<QPair<QAction*, Tool>> imports{{ImportFromExcel, Tool::ImportExcel},
                                               {ImportFromAccess, Tool::ImportAccess},
                                               {ImportFromOther, Tool::ImportOther}};
    for (const auto& [action, tool] : imports) {
        setActionTag(action, TagOperate);
        const auto handler = toolHandlers().value(int(tool));
        action->setEnabled(bool(handler));
        if (handler)
            connect(action, &QAction::triggered, this, [this, handler] {
                handler(this);
                ActionRefreshWithLocate->trigger();
            });
    }
    // The generator asks for confirmation and reopens the list itself.
    connect(GenInputCode, &QAction::triggered, this,
            [] { BatchGenerator::Show<PublisherInputCodeGenerator>(); });
    // The drop-down button does nothing by itself; its menu offers the tools.
    ActionTools = new QAction(QStringLiteral("管理工具"), this);
    ActionTools->setMenu(MnuManageTools);
    addToolAction(ActionTools);
    if (auto* button = qobject_cast<QToolButton*>(TBarMain->widgetForAction(ActionTools)))
        button->setPopupMode(QToolButton::InstantPopup);

    GetDataSet()->setSql(PublishersSelect());
    ActionShowAll->trigger();
}

void PublishersForm::runEditor()
{
    Dataset* publishers = GetDataSet();
    RecordEditForm::open(
        QStringLiteral("TPublisherEditForm"), QStringLiteral("出版单位修改"),
        [publishers](QWidget* p) { return new PublisherEditForm(publishers, p); }, this);
    if (publishers->isEditing())
        publishers->cancel();
}

void PublishersForm::addPublisher()
{
    GetDataSet()->append();
    runEditor();
}

void PublishersForm::modifyPublisher()
{
    Dataset* publishers = GetDataSet();
    if (!publishers->isOpen() || publishers->isEmpty())
        return;
    publishers->edit();
    runEditor();
}

void PublishersForm::deletePublisher()
{
    Dataset* publishers = GetDataSet();
    if (!publishers->isOpen() || publishers->isEmpty())
        return;
    if (Confirm(QStringLiteral("确定要删除该出版单位信息吗？")))
        publishers->remove();
}

PublisherEditForm::PublisherEditForm(Dataset* publishers, QWidget* parent)
    : RecordEditForm(publishers, QStringLiteral("出版单位修改"), parent)
{
    EditName = addTextEdit(QStringLiteral("PublisherName"), 100);
    EditInputCode = addTextEdit(QStringLiteral("PublisherInputCode"), 100);
    addTextEdit(QStringLiteral("PublisherISBN"), 20);
    QComboBox* place = addComboBox(QStringLiteral("PublisherPlace"), 50);
    QStringList places;
    DictionaryValues(QStringLiteral("PublishPlace"), places);
    place->addItems(places);
    addAddNewCheck();
    connect(EditName, &QLineEdit::textChanged, this, [this](const QString& name) {
        if (isVisible() && !isLoading() && dataset()->isEditing())
            EditInputCode->setText(InputCode(name));
    });
}

} // namespace dedizo
