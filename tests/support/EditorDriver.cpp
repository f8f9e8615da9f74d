#include "EditorDriver.h"

#include "SettingsRecords.h"
#include "TopWindows.h"

#include <algorithm>

std::string EditorExe() { return WindowsPathOf(CURSET_EXE); }

HomeProgram EditorCopy() { return {EditorExe(), "curset.exe"}; }

::testing::AssertionResult Editor::Open(const ProgramHome& home) {
  return Open(home.File("curset.exe"), home.Directory());
}

::testing::AssertionResult Editor::OpenOn(const ProgramHome& home, const ClockSettings& record) {
  const ::testing::AssertionResult written = home.WriteSettings(BytesOf(record));
  if (!written) return written;
  return Open(home);
}

::testing::AssertionResult Editor::Open(const std::string& editorPath,
                                        const std::string& directory) {
  m_dialog = nullptr;
  const ::testing::AssertionResult started = m_process.Start(editorPath, "", directory);
  if (!started) return started;
  return WaitForDialog();
}

::testing::AssertionResult Editor::OpenStarted() {
  m_dialog = nullptr;
  HWND shown = nullptr;
  if (!WaitUntil([&] {
        const std::vector<HWND> titled = WindowsTitled(kEditorTitle.c_str());
        shown = titled.empty() ? nullptr : titled.front();
        return shown != nullptr;
      })) {
    return ::testing::AssertionFailure() << "no editor dialog showed";
  }
  const ::testing::AssertionResult adopted = m_process.Adopt(ProcessOf(shown));
  if (!adopted) return adopted;
  return WaitForDialog();
}

::testing::AssertionResult Editor::WaitForDialog() {
  // The window can exist before its controls: wait for the last one, then
  // for the dialog to show, which it does after its initialisation.
  WaitUntil([this] {
    if (!Running()) return true;
    for (HWND dialog : WindowsOf(m_process.Id(), "#32770")) {
      if (GetDlgItem(dialog, kShowTime) != nullptr && IsWindowVisible(dialog)) {
        m_dialog = dialog;
        return true;
      }
    }
    return false;
  });
  if (m_dialog != nullptr) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "the editor showed no dialog; it is "
                                       << (Running() ? "still running" : "gone");
}

::testing::AssertionResult Editor::Launch(const ProgramHome& home) {
  m_dialog = nullptr;
  return m_process.Start(home.File("curset.exe"), "", home.Directory());
}

std::string Editor::Text(int id) const { return WindowText(Control(id)); }

std::vector<std::string> Editor::ListItems(int id) const {
  // Wine returns UTF-16 for the 8-bit message across processes: read wide.
  std::vector<std::string> items;
  const HWND list = Control(id);
  const LRESULT count = SendMessageW(list, CB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    wchar_t text[256] = {};
    if (SendMessageW(list, CB_GETLBTEXTLEN, i, 0) >= 255) return {"(item too long)"};
    SendMessageW(list, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
    items.push_back(ToShiftJis(text));
  }
  return items;
}

std::vector<int> Editor::Selections() const {
  std::vector<int> selections;
  for (int id : {kDateFormatList, kDateSeparatorList, kWeekdayStyleList, kTimeFormatList,
                 kTimeSeparatorList}) {
    selections.push_back(static_cast<int>(SendMessageW(Control(id), CB_GETCURSEL, 0, 0)));
  }
  return selections;
}

std::vector<bool> Editor::Ticks() const {
  const auto ticked = [this](int id) { return SendMessageW(Control(id), BM_GETCHECK, 0, 0) == BST_CHECKED; };
  return {ticked(kShowDate), ticked(kShowWeekday), ticked(kShowTime), ticked(kShowAmPm)};
}

void Editor::Click(int id) const { SendMessageW(Control(id), BM_CLICK, 0, 0); }

void Editor::PostClick(int id) const { PostMessageW(Control(id), BM_CLICK, 0, 0); }

bool ChooseListItem(HWND dialog, int listId, int index) {
  const HWND list = GetDlgItem(dialog, listId);
  if (SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(index), 0) == CB_ERR) return false;
  // CB_SETCURSEL notifies nobody; a user's choice does.
  SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(listId, CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(list));
  return true;
}

bool Editor::Press(HWND modal, int buttonId) const {
  PostMessageW(GetDlgItem(modal, buttonId), BM_CLICK, 0, 0);
  return WaitUntil([&] { return !IsWindow(modal) && IsWindowEnabled(m_dialog); });
}

::testing::AssertionResult Editor::OpenPicker(int button, HWND* picker) const {
  const std::wstring title = button == kFontButton ? L"フォントの指定" : L"色";
  PostClick(button);
  *picker = WaitForModal(title);
  if (*picker != nullptr) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "no picker titled " << title << " opened";
}

::testing::AssertionResult Editor::Pick(int button, const std::function<bool(HWND)>& choose,
                                        int closeButton) const {
  HWND picker = nullptr;
  const ::testing::AssertionResult opened = OpenPicker(button, &picker);
  if (!opened) return opened;
  if (choose && !choose(picker)) {
    return ::testing::AssertionFailure() << "the choice could not be made in the picker";
  }
  if (Press(picker, closeButton)) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "the picker did not close";
}

::testing::AssertionResult Editor::PreviewShown(const std::string& text) const {
  std::string shown;
  if (WaitUntil([&] {
        shown = Text(kPreview);
        return text.empty() ? !shown.empty() : shown == text;
      })) {
    return ::testing::AssertionSuccess();
  }
  return ::testing::AssertionFailure() << "the preview shows \"" << shown << "\", expected "
                                       << (text.empty() ? "a line" : "\"" + text + "\"");
}

HWND Editor::WaitForModal(const std::wstring& title, DWORD timeoutMs) const {
  HWND found = nullptr;
  WaitUntil(
      [&] {
        for (HWND window : WindowsOf(m_process.Id(), "#32770")) {
          if (window != m_dialog && IsWindowVisible(window) && WideWindowText(window) == title) {
            found = window;
            return true;
          }
        }
        return false;
      },
      timeoutMs);
  return found;
}

::testing::AssertionResult Editor::ModalToTheDialog(HWND window) const {
  if (GetWindow(window, GW_OWNER) != m_dialog) {
    return ::testing::AssertionFailure() << "the window does not belong to the dialog";
  }
  if (IsWindowEnabled(m_dialog)) {
    return ::testing::AssertionFailure() << "the dialog does not wait behind the window";
  }
  return ::testing::AssertionSuccess();
}

::testing::AssertionResult Editor::SaveFailsWithTheErrorBox(int button) const {
  PostClick(button);
  const HWND box = WaitForModal(L"エラー");
  if (box == nullptr) return ::testing::AssertionFailure() << "no error box";
  const ::testing::AssertionResult modal = ModalToTheDialog(box);
  if (!modal) return modal;
  const std::vector<std::wstring> texts = ChildTexts(box, "Static");
  if (std::find(texts.begin(), texts.end(), L"環境設定の保存に失敗しました。") == texts.end()) {
    return ::testing::AssertionFailure() << "the box does not say the save failed";
  }
  if (ChildTexts(box, "Button") != std::vector<std::wstring>{L"OK"}) {
    return ::testing::AssertionFailure() << "the box has other buttons than OK";
  }
  if (!Press(box, IDOK)) return ::testing::AssertionFailure() << "the box did not close";
  if (!Running() || !IsWindowVisible(m_dialog)) {
    return ::testing::AssertionFailure() << "the dialog did not stay open";
  }
  return ::testing::AssertionSuccess();
}

EditorTest::EditorTest()
    : home(::testing::UnitTest::GetInstance()->current_test_info()->name(), {EditorCopy()}) {}
