#include "catalogue/refdata/ui/DictionaryCombos.h"

#include "catalogue/refdata/DataDictionary.h"
#include "catalogue/refdata/ui/RecordEditForm.h"
#include "core/UserInfo.h"

#include <QComboBox>

namespace dedizo {

void FillDictionaryCombo(QComboBox* combo)
{
    QStringList values;
    DictionaryValues(boundField(combo), values);
    const QString text = combo->currentText();
    combo->clear();
    combo->addItems(values);
    if (combo->isEditable())
        combo->setEditText(text);
    else
        combo->setCurrentIndex(values.indexOf(text));
}

void FillDictionaryCombos(QWidget* page)
{
    for (QComboBox* combo : page->findChildren<QComboBox*>(Qt::FindDirectChildrenOnly))
        if (DictionaryCategoryIndex(boundField(combo)) >= 0)
            FillDictionaryCombo(combo);
}

void FillBookRoomCombo(QComboBox* combo)
{
    combo->clear();
    if (HasBookRoom()) {
        combo->addItem(currentUser().BookRoom);
    } else {
        QStringList rooms;
        DictionaryValues(QStringLiteral("BookRoom"), rooms);
        rooms.prepend(QStringLiteral("<全部>"));
        combo->addItems(rooms);
    }
    combo->setCurrentIndex(0);
}

} // namespace dedizo
