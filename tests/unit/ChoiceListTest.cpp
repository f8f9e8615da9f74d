// Filling the editor's drop-down lists from ChoiceTable, in a real combo box.
#include "ChoiceList.h"
#include "ChoiceTable.h"
#include "JapaneseText.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

namespace {

using namespace JapaneseText;

// A drop-down list like the dialog's, on a message-only parent.
class DropDownList {
 public:
  DropDownList()
      : m_parent(CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr,
                                 nullptr)),
        m_window(CreateWindowExA(0, "COMBOBOX", "", WS_CHILD | WS_VSCROLL | CBS_DROPDOWNLIST, 0, 0,
                                 100, 200, m_parent, nullptr, nullptr, nullptr)) {
    m_list.Attach(m_window);
  }
  ~DropDownList() { DestroyWindow(m_parent); }
  DropDownList(const DropDownList&) = delete;
  DropDownList& operator=(const DropDownList&) = delete;

  CComboBox& List() { return m_list; }
  std::vector<std::string> Items() const {
    std::vector<std::string> items;
    const int count = m_list.GetCount();
    for (int i = 0; i < count; ++i) {
      char text[64] = {};
      SendMessageA(m_window, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
      items.push_back(text);
    }
    return items;
  }

 private:
  HWND m_parent;
  HWND m_window;
  CComboBox m_list;
};

using Items = std::vector<std::string>;

TEST(FillChoiceList, AddsTheRowsTextsInEntryOrderAndSelectsTheStoredIndex) {
  const struct {
    int row;
    int32_t index;
    Items items;
  } kRows[] = {
      {kDateFormatRow, 2, {"yyyy/mm/dd ", "yy/mm/dd ", "mm/dd "}},
      {kDateSeparatorRow, 3, {kSpaceChoice, kSlashChoice, kHyphenChoice, kKanjiChoice}},
      {kWeekdayStyleRow, 0, {kFullWeekdayChoice, kShortWeekdayChoice}},
      {kTimeFormatRow, 1, {" HH:MM:SS", " HH:MM"}},
      {kTimeSeparatorRow, 1, {kSpaceChoice, kColonChoice, kKanjiChoice}},
  };
  for (const auto& expected : kRows) {
    DropDownList list;
    FillChoiceList(list.List(), expected.row, expected.index);
    EXPECT_EQ(list.Items(), expected.items) << "row " << expected.row;
    EXPECT_EQ(list.List().GetCurSel(), expected.index) << "row " << expected.row;
  }
}

TEST(FillChoiceList, AnIndexWithoutItemLeavesNoSelection) {
  for (int32_t index : {-1, -2, 2, 3, 5, INT32_MAX, INT32_MIN}) {
    DropDownList list;
    FillChoiceList(list.List(), kWeekdayStyleRow, index);
    EXPECT_EQ(list.Items().size(), 2u);
    EXPECT_EQ(list.List().GetCurSel(), -1) << "stored " << index;
  }
}

}  // namespace
