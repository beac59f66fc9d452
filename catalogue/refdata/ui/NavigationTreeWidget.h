#pragma once

#include "catalogue/refdata/ClassTree.h"

#include <QTreeWidget>

namespace dedizo {

// Makes the widget's items match the node model: one item per node, the
// node kept in the item (NavigationTreeWidget::nodeOf), captions, images
// and expansion as the nodes have them. Items already present are kept, so
// it can be called again after nodes were added.
void FillNavigationTree(QTreeWidget* tree, const NavigationTree& model);

// The catalogue navigation tree on the left of the books list, the copies
// list and the classification window. Classes load lazily: expanding a
// node reads the next level below its children.
class NavigationTreeWidget : public QTreeWidget
{
    Q_OBJECT
public:
    explicit NavigationTreeWidget(QWidget* parent = nullptr);

    NavigationTree& model() { return m_model; }

    // The class root and the BookType values (books and copies lists).
    void build();
    // The class root alone (classification window).
    void buildClassTree();

    static NavigationNode* nodeOf(const QTreeWidgetItem* item);
    QTreeWidgetItem* itemOf(const NavigationNode* node) const;
    NavigationNode* currentNode() const { return nodeOf(currentItem()); }
    // NodeCondition of the selected node; empty without one.
    QString currentCondition() const;

    // The item of a class just saved under the item of a root or class.
    QTreeWidgetItem* addClassChild(QTreeWidgetItem* parent, int classId, const QString& code,
                                   const QString& name);
    // The first item in tree order (the selected one first) for a class.
    QTreeWidgetItem* findClassItem(int classId) const;
    // Shows a class's changed code and name.
    void updateClassItem(QTreeWidgetItem* item, const QString& code, const QString& name);
    // Removes the item and its node.
    void removeItem(QTreeWidgetItem* item);

Q_SIGNALS:
    void nodeSelected(dedizo::NavigationNode* node);

private:
    void expandItem(QTreeWidgetItem* item);
    void sync();

    NavigationTree m_model;
    bool m_syncing = false;
};

} // namespace dedizo
