#include "catalogue/refdata/ClassTree.h"

#include "catalogue/refdata/DataDictionary.h"
#include "core/Connection.h"
#include "core/DataModule.h"
#include "core/DbUtils.h"

#include <QCoreApplication>
#include <QSqlQuery>
#include <QSqlRecord>

namespace dedizo {

NavigationNode* NavigationNode::addChild(std::unique_ptr<NavigationNode> child)
{
    child->parent = this;
    children.push_back(std::move(child));
    return children.back().get();
}

int NavigationNode::indexOf(const NavigationNode* child) const
{
    for (size_t i = 0; i < children.size(); ++i)
        if (children[i].get() == child)
            return int(i);
    return -1;
}

NavigationNode* NavigationTree::addTopLevel(std::unique_ptr<NavigationNode> node)
{
    node->parent = nullptr;
    roots.push_back(std::move(node));
    return roots.back().get();
}

bool NavigationTree::remove(NavigationNode* node)
{
    auto& list = node->parent ? node->parent->children : roots;
    for (auto it = list.begin(); it != list.end(); ++it) {
        if (it->get() == node) {
            list.erase(it);
            return true;
        }
    }
    return false;
}

namespace {
NavigationNode* findIn(const std::vector<std::unique_ptr<NavigationNode>>& nodes, int classId)
{
    for (const auto& n : nodes) {
        if (n->classId && *n->classId == classId)
            return n.get();
        if (NavigationNode* found = findIn(n->children, classId))
            return found;
    }
    return nullptr;
}
} // namespace

NavigationNode* NavigationTree::findClass(int classId) const
{
    return findIn(roots, classId);
}

QString ClassNodeCaption(const QString& code, const QString& name)
{
    return code + QLatin1Char(' ') + name;
}

void LoadClassChildren(NavigationNode& node)
{
    if (!node.classId || node.childrenLoaded)
        return;
    node.childrenLoaded = true;
    // In the order of entry, so trees look the same on every database.
    QSqlQuery q = mainConnection().select(
        QStringLiteral("SELECT * FROM BookCate_tab WHERE BookCateParentID = %1 ORDER BY BookCateID")
            .arg(*node.classId));
    const QSqlRecord r = q.record();
    // PostgreSQL answers with the names in lower case.
    auto column = [&r](const char* name) {
        for (int i = 0; i < r.count(); ++i)
            if (r.fieldName(i).compare(QLatin1String(name), Qt::CaseInsensitive) == 0)
                return i;
        return -1;
    };
    const int id = column("BookCateID");
    const int code = column("BookCateCode");
    const int name = column("BookCateName");
    while (q.next()) {
        auto child = std::make_unique<NavigationNode>();
        child->classId = q.value(id).toInt();
        child->payload = q.value(code).toString();
        child->caption = ClassNodeCaption(child->payload, q.value(name).toString());
        child->image = NavigationNode::ClassImage;
        node.addChild(std::move(child));
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
}

void ExpandClassNode(NavigationNode& node)
{
    if (!node.classId)
        return;
    LoadClassChildren(node);
    node.expanded = true;
    for (const auto& child : node.children)
        LoadClassChildren(*child);
}

NavigationNode* AddClassRoot(NavigationTree& tree)
{
    auto root = std::make_unique<NavigationNode>();
    root->caption = QStringLiteral("全部类别");
    root->classId = 0;
    root->image = NavigationNode::RootImage;
    NavigationNode* node = tree.addTopLevel(std::move(root));
    ExpandClassNode(*node);
    return node;
}

NavigationNode* AddDictionaryNode(NavigationTree& tree, const QString& name)
{
    auto category = std::make_unique<NavigationNode>();
    category->caption = DictionaryCategoryTitle(name);
    category->image = NavigationNode::CategoryImage;
    QStringList values;
    DictionaryValues(name, values);
    for (const QString& value : values) {
        auto child = std::make_unique<NavigationNode>();
        child->caption = value;
        child->image = NavigationNode::ValueImage;
        child->payload = name + QStringLiteral(" = ") + QuoteSQL(value);
        category->addChild(std::move(child));
    }
    category->expanded = true;
    return tree.addTopLevel(std::move(category));
}

void BuildNavigationTree(NavigationTree& tree)
{
    AddClassRoot(tree);
    AddDictionaryNode(tree, QStringLiteral("BookType"));
}

QString NodeCondition(const NavigationNode& node)
{
    if (node.payload.isEmpty())
        return QString();
    if (node.isClass())
        return QStringLiteral("CateCode LIKE ") + QuoteSQL(node.payload + QLatin1Char('%'));
    return node.payload;
}

NavigationNode* AddClassChild(NavigationNode& parent, int classId, const QString& code, const QString& name)
{
    if (!parent.childrenLoaded) {
        LoadClassChildren(parent);
        for (const auto& child : parent.children)
            if (child->classId && *child->classId == classId)
                return child.get();
        return nullptr;
    }
    auto child = std::make_unique<NavigationNode>();
    child->classId = classId;
    child->payload = code;
    child->caption = ClassNodeCaption(code, name);
    child->image = NavigationNode::ClassImage;
    child->childrenLoaded = true; // a class just made has no subclasses
    return parent.addChild(std::move(child));
}

bool ClassHasSubclasses(int classId)
{
    return ValueExists(QString::number(classId), QStringLiteral("BookCateParentID"),
                       QStringLiteral("BookCate_tab"), QString(), false);
}

} // namespace dedizo
