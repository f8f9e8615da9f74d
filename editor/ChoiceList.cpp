#include "ChoiceList.h"

#include "ChoiceTable.h"

void FillChoiceList(CComboBox& list, int row, int32_t storedIndex) {
  for (const char* text : ChoiceTable[row]) {
    if (text[0] != '\0') list.AddString(text);
  }
  // Any index outside the list is passed on as "no selection" rather than
  // left to how the platform treats a wild index.
  const bool hasItem = storedIndex >= 0 && storedIndex < list.GetCount();
  list.SetCurSel(hasItem ? storedIndex : -1);
}
