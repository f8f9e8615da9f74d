#include "WinApp.h"

namespace {

CWinApp* theApplication = nullptr;

}  // namespace

CWinApp::CWinApp(const char* appName) : m_pszAppName(appName) { theApplication = this; }

CWinApp::~CWinApp() {
  if (theApplication == this) theApplication = nullptr;
}

const MessageMap CWinApp::messageMap = {&CCmdTarget::messageMap, nullptr, 0};

const MessageMap* CWinApp::GetMessageMap() const { return &messageMap; }

BOOL CWinApp::InitInstance() { return TRUE; }

int CWinApp::Run() {
  MSG message = {};
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return static_cast<int>(message.wParam);
}

void CWinApp::OnHelp() {}

CWinApp* AfxGetApp() { return theApplication; }

// Lives with the application class so that linking the application object
// brings in the entry point that runs it.
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  CWinApp* app = AfxGetApp();
  if (app == nullptr) return 1;
  try {
    if (!app->InitInstance()) return 0;
    return app->Run();
  } catch (...) {
    return 1;
  }
}
