#include "SettingsApp.h"

#include "JapaneseText.h"
#include "SettingsDlg.h"
#include "SystemLibraries.h"

#include <iterator>

namespace {

constexpr UINT ID_HELP = 0xE146;  // the framework's help command, 57670

}  // namespace

const AppMessageMapEntry CSettingsApp::messageEntries[] = {
    CommandEntry<&CWinApp::OnHelp>(0, ID_HELP),
};

const AppMessageMap CSettingsApp::messageMap = {nullptr, messageEntries,
                                                std::size(messageEntries)};

CSettingsApp theApp;

CSettingsApp::CSettingsApp() = default;

CSettingsApp::~CSettingsApp() = default;

const AppMessageMap* CSettingsApp::GetMessageMap() const { return &messageMap; }

BOOL CSettingsApp::InitInstance() {
  RestrictDllSearchToSystemFolder();

  // No embedded-control support and no separate 3-D control look: neither
  // changes anything on a current Windows, so the framework has neither.

  // An editor that is already open is brought to the front instead.
  if (HWND open = FindWindowA(nullptr, JapaneseText::kEditorTitle)) {
    SetForegroundWindow(open);
    return FALSE;
  }

  CSettingsDlg dialog;
  m_pMainWnd = &dialog;
  dialog.DoModal();
  m_pMainWnd = nullptr;  // the dialog object ends here
  // FALSE: the program ends with the dialog, without a message loop of its own.
  return FALSE;
}
