#include "WinApp.h"

namespace {

CWinApp* theApplication = nullptr;

}  // namespace

CWinApp::CWinApp() { theApplication = this; }

CWinApp::~CWinApp() {
  if (theApplication == this) theApplication = nullptr;
}

BOOL CWinApp::InitInstance() { return TRUE; }

void CWinApp::OnHelp() {}

CWinApp* AfxGetApp() { return theApplication; }

// Lives with the application class so that linking the application object
// brings in the entry point that runs it.
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  CWinApp* app = AfxGetApp();
  if (app == nullptr) return 1;
  try {
    app->InitInstance();
    return 0;
  } catch (...) {
    return 1;
  }
}
