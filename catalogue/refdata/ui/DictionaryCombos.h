#pragma once

class QComboBox;
class QWidget;

namespace dedizo {

// Sets the items of a bound drop-down (setBoundField) to the values offered
// for its column (DictionaryValues), keeping the text it shows.
void FillDictionaryCombo(QComboBox* combo);
// FillDictionaryCombo for every bound drop-down placed directly on `page`
// whose column is a dictionary category.
void FillDictionaryCombos(QWidget* page);
// The book rooms to choose from: the user's own room alone for a user tied
// to one, else "<全部>" followed by every room; item 0 selected.
void FillBookRoomCombo(QComboBox* combo);

} // namespace dedizo
