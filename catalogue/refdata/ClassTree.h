#pragma once

#include <QString>
#include <memory>
#include <optional>
#include <vector>

namespace dedizo {

// A node of the catalogue navigation tree, free of any widget:
//  - the root "全部类别" (class id 0, no payload),
//  - class nodes (class id = BookCateID, payload = BookCateCode),
//  - dictionary category nodes (no class id, no payload),
//  - dictionary value nodes (no class id, payload = a ready condition).
struct NavigationNode
{
    enum Image
    {
        RootImage = 0,
        ClassImage = 1,
        CategoryImage = 2,
        ValueImage = 3
    };

    QString caption;
    int image = RootImage;
    std::optional<int> classId;
    QString payload;
    bool expanded = false;
    bool childrenLoaded = false; // class children read from the database
    NavigationNode* parent = nullptr;
    std::vector<std::unique_ptr<NavigationNode>> children;

    bool hasClassId() const { return classId.has_value(); }
    bool isClass() const { return classId.has_value() && *classId != 0; }
    NavigationNode* addChild(std::unique_ptr<NavigationNode> child);
    int indexOf(const NavigationNode* child) const;
};

// The top-level nodes of one navigation tree.
class NavigationTree
{
public:
    std::vector<std::unique_ptr<NavigationNode>> roots;

    NavigationNode* addTopLevel(std::unique_ptr<NavigationNode> node);
    void clear() { roots.clear(); }
    // Removes a node with its subtree; false when it is not in this tree.
    bool remove(NavigationNode* node);
    // The first node in tree order (depth first) carrying the class id.
    NavigationNode* findClass(int classId) const;
};

// "全部类别" with class id 0; its children (the top-level classes) are
// loaded and it is expanded, which loads the next level as well.
NavigationNode* AddClassRoot(NavigationTree& tree);
// A node captioned with the category's title and one child per value
// offered for the column, each carrying "name = 'value'"; expanded.
NavigationNode* AddDictionaryNode(NavigationTree& tree, const QString& name);
// The class root, then the dictionary node for BookType.
void BuildNavigationTree(NavigationTree& tree);
// The list condition of a node: empty without payload, "CateCode LIKE 'code%'"
// for a class (the class with all its subclasses), the stored condition for
// a dictionary value.
QString NodeCondition(const NavigationNode& node);
// For a root or class node: loads the children of every child that has none
// yet, so each visible class shows whether it can be expanded.
void ExpandClassNode(NavigationNode& node);
// Reads the classes under the node's class id, once; one child per row,
// captioned "code name". Window events run between rows (user input excluded).
void LoadClassChildren(NavigationNode& node);

// "code name", the caption of a class node.
QString ClassNodeCaption(const QString& code, const QString& name);
// Adds the node of a class just saved under `parent`. When the parent's
// children were never read, reading them now picks the new class up.
NavigationNode* AddClassChild(NavigationNode& parent, int classId, const QString& code, const QString& name);
// True when another class names `classId` as its parent.
bool ClassHasSubclasses(int classId);

} // namespace dedizo
