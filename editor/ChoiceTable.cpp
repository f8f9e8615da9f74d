#include "ChoiceTable.h"

#include "JapaneseText.h"

using namespace JapaneseText;

const char* const ChoiceTable[kChoiceRows][kChoicesPerRow] = {
    {"yyyy/mm/dd ", "yy/mm/dd ", "mm/dd ", ""},
    {kSpaceChoice, kSlashChoice, kHyphenChoice, kKanjiChoice},
    {kFullWeekdayChoice, kShortWeekdayChoice, "", ""},
    {" HH:MM:SS", " HH:MM", "", ""},
    {kSpaceChoice, kColonChoice, kKanjiChoice, ""},
};
