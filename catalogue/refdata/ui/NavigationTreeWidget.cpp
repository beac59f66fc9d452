#include "catalogue/refdata/ui/NavigationTreeWidget.h"

#include <QApplication>
#include <QStyle>
#include <QTreeWidgetItemIterator>

namespace dedizo {

namespace {

constexpr int NodeRole = Qt::UserRole + 1;

QIcon imageIcon(int image)
{
    QStyle* style = QApplication::style();
    switch (image) {
    case NavigationNode::RootImage:
        return style->standardIcon(QStyle::SP_DirHomeIcon);
    case NavigationNode::ClassImage:
        return style->standardIcon(QStyle::SP_DirIcon);
    case NavigationNode::CategoryImage:
        return style->standardIcon(QStyle::SP_FileDialogListView);
    default:
        return style->standardIcon(QStyle::SP_FileIcon);
    }
}

void fillItem(QTreeWidgetItem* item, NavigationNode* node)
{
    item->setText(0, node->caption);
    item->setIcon(0, imageIcon(node->image));
    item->setData(0, NodeRole, QVariant::fromValue(quintptr(node)));
}

void syncChildren(QTreeWidgetItem* item, NavigationNode* node)
{
    for (int i = item->childCount(); i < int(node->children.size()); ++i) {
        auto* child = new QTreeWidgetItem(item);
        fillItem(child, node->children[i].get());
    }
    for (int i = 0; i < item->childCount(); ++i)
        syncChildren(item->child(i), node->children[i].get());
    if (node->expanded && !item->isExpanded())
        item->setExpanded(true);
}

} // namespace

void FillNavigationTree(QTreeWidget* tree, const NavigationTree& model)
{
    for (int i = tree->topLevelItemCount(); i < int(model.roots.size()); ++i) {
        auto* item = new QTreeWidgetItem(tree);
        fillItem(item, model.roots[i].get());
    }
    for (int i = 0; i < tree->topLevelItemCount(); ++i)
        syncChildren(tree->topLevelItem(i), model.roots[i].get());
}

NavigationTreeWidget::NavigationTreeWidget(QWidget* parent) : QTreeWidget(parent)
{
    setHeaderHidden(true);
    setColumnCount(1);
    setMinimumWidth(200);
    connect(this, &QTreeWidget::itemExpanded, this, &NavigationTreeWidget::expandItem);
    connect(this, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* current) { Q_EMIT nodeSelected(nodeOf(current)); });
}

void NavigationTreeWidget::build()
{
    setUpdatesEnabled(false);
    clear();
    m_model.clear();
    BuildNavigationTree(m_model);
    sync();
    setUpdatesEnabled(true);
}

void NavigationTreeWidget::buildClassTree()
{
    setUpdatesEnabled(false);
    clear();
    m_model.clear();
    AddClassRoot(m_model);
    sync();
    setUpdatesEnabled(true);
}

void NavigationTreeWidget::sync()
{
    m_syncing = true;
    FillNavigationTree(this, m_model);
    m_syncing = false;
}

NavigationNode* NavigationTreeWidget::nodeOf(const QTreeWidgetItem* item)
{
    return item ? reinterpret_cast<NavigationNode*>(item->data(0, NodeRole).value<quintptr>()) : nullptr;
}

QTreeWidgetItem* NavigationTreeWidget::itemOf(const NavigationNode* node) const
{
    for (QTreeWidgetItemIterator it(const_cast<NavigationTreeWidget*>(this)); *it; ++it)
        if (nodeOf(*it) == node)
            return *it;
    return nullptr;
}

QString NavigationTreeWidget::currentCondition() const
{
    const NavigationNode* node = currentNode();
    return node ? NodeCondition(*node) : QString();
}

void NavigationTreeWidget::expandItem(QTreeWidgetItem* item)
{
    NavigationNode* node = nodeOf(item);
    if (!node || m_syncing)
        return;
    ExpandClassNode(*node);
    sync();
}

QTreeWidgetItem* NavigationTreeWidget::addClassChild(QTreeWidgetItem* parent, int classId,
                                                     const QString& code, const QString& name)
{
    NavigationNode* parentNode = nodeOf(parent);
    if (!parentNode)
        return nullptr;
    NavigationNode* node = AddClassChild(*parentNode, classId, code, name);
    sync();
    return itemOf(node);
}

QTreeWidgetItem* NavigationTreeWidget::findClassItem(int classId) const
{
    const NavigationNode* selected = currentNode();
    if (selected && selected->classId && *selected->classId == classId)
        return currentItem();
    return itemOf(m_model.findClass(classId));
}

void NavigationTreeWidget::updateClassItem(QTreeWidgetItem* item, const QString& code, const QString& name)
{
    NavigationNode* node = nodeOf(item);
    if (!node)
        return;
    node->payload = code;
    node->caption = ClassNodeCaption(code, name);
    item->setText(0, node->caption);
}

void NavigationTreeWidget::removeItem(QTreeWidgetItem* item)
{
    NavigationNode* node = nodeOf(item);
    if (!node)
        return;
    delete item; // the widget's item first: it points at the node
    m_model.remove(node);
}

} // namespace dedizo
