#include "EditorDriver.h"

#include "ShiftJis.h"

namespace editor_driver {

EditorHome::EditorHome(const std::string& editorExe, const std::string& name)
    : m_scratch(name) {
  m_ready = CopyFileA(WindowsPathOf(editorExe).c_str(), Editor().c_str(), FALSE) != 0;
}

bool EditorHome::Add(const std::string& exe, const std::string& name) {
  return CopyFileA(WindowsPathOf(exe).c_str(), m_scratch.File(name).c_str(), FALSE) != 0;
}

std::vector<std::string> EditorHome::FileNames() const { return FileNamesIn(Directory()); }

namespace {

struct ChildSearch {
  const char* className;
  std::vector<std::wstring> texts;
};

BOOL CALLBACK CollectChildText(HWND child, LPARAM context) {
  auto* search = reinterpret_cast<ChildSearch*>(context);
  if (ClassOf(child) == search->className) search->texts.push_back(WideWindowText(child));
  return TRUE;
}

}  // namespace

std::vector<HWND> WindowsTitled(const char* title) {
  std::vector<HWND> found;
  for (HWND window = FindWindowExA(nullptr, nullptr, nullptr, title); window != nullptr;
       window = FindWindowExA(nullptr, window, nullptr, title)) {
    found.push_back(window);
  }
  return found;
}

std::vector<HWND> DialogsOf(DWORD processId) {
  std::vector<HWND> found;
  for (HWND window = FindWindowExA(nullptr, nullptr, "#32770", nullptr); window != nullptr;
       window = FindWindowExA(nullptr, window, "#32770", nullptr)) {
    if (ProcessOf(window) == processId) found.push_back(window);
  }
  return found;
}

std::wstring WideWindowText(HWND window) {
  wchar_t text[1024] = {};
  SendMessageTimeoutW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_NORMAL,
                      10000, nullptr);
  return text;
}

std::string WindowText(HWND window) { return ToShiftJis(WideWindowText(window)); }

std::vector<std::wstring> ChildTexts(HWND window, const char* className) {
  ChildSearch search{className, {}};
  EnumChildWindows(window, CollectChildText, reinterpret_cast<LPARAM>(&search));
  return search.texts;
}

bool Editor::Open(const EditorHome& home, DWORD timeoutMs) {
  return Open(home.Editor(), home.Directory(), timeoutMs);
}

bool Editor::Open(const std::string& editorPath, const std::string& directory, DWORD timeoutMs) {
  m_dialog = nullptr;
  if (!m_process.Start(editorPath, "", directory)) return false;
  // The window can exist before its controls: wait for the last one, then
  // for the dialog to show, which it does after its initialisation.
  return WaitUntil(
      [this] {
        for (HWND dialog : DialogsOf(m_process.Id())) {
          if (GetDlgItem(dialog, 1007) != nullptr && IsWindowVisible(dialog)) {
            m_dialog = dialog;
            return true;
          }
        }
        return false;
      },
      timeoutMs);
}

std::string Editor::Text(int id) const { return WindowText(Control(id)); }

std::string Editor::Title() const { return WindowText(m_dialog); }

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

int Editor::Selection(int id) const {
  return static_cast<int>(SendMessageW(Control(id), CB_GETCURSEL, 0, 0));
}

bool Editor::Checked(int id) const {
  return SendMessageW(Control(id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Editor::Click(int id) const { SendMessageW(Control(id), BM_CLICK, 0, 0); }

void Editor::PostClick(int id) const { PostMessageW(Control(id), BM_CLICK, 0, 0); }

void Editor::Select(int id, int index) const {
  const HWND list = Control(id);
  SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  // CB_SETCURSEL notifies nobody; a user's choice does.
  SendMessageW(m_dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(list));
}

HWND Editor::WaitForModal(const std::wstring& title, DWORD timeoutMs) const {
  HWND found = nullptr;
  WaitUntil(
      [&] {
        for (HWND window : DialogsOf(m_process.Id())) {
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

bool Editor::WaitForExit(DWORD timeoutMs, DWORD* exitCode) {
  return m_process.WaitForExit(timeoutMs, exitCode);
}

}  // namespace editor_driver
