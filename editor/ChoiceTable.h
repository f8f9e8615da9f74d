// The fixed texts of the editor's five drop-down lists. An item's position in
// its list is its entry index in the row, which is what the record stores.
#pragma once

constexpr int kChoiceRows = 5;
constexpr int kChoicesPerRow = 4;

enum ChoiceRow {
  kDateFormatRow = 0,     // list 1003
  kDateSeparatorRow = 1,  // list 1017
  kWeekdayStyleRow = 2,   // list 1015
  kTimeFormatRow = 3,     // list 1009
  kTimeSeparatorRow = 4,  // list 1018
};

// Shift-JIS texts of at most 15 bytes; an empty entry is no item, and empty
// entries only trail.
extern const char* const ChoiceTable[kChoiceRows][kChoicesPerRow];
