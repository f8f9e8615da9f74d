// Fills one of the editor's drop-down lists from its row of ChoiceTable.
#pragma once

#include "Controls.h"

#include <cstdint>

// Adds the row's non-empty texts in entry order, so an item's index is its
// entry index, then selects the item at storedIndex. An index with no item
// (negative or past the last) leaves the list with no selection.
void FillChoiceList(CComboBox& list, int row, int32_t storedIndex);
