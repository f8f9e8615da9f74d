// The editor program: lets one editor run at a time and runs the settings
// dialog as its main window.
#pragma once

#include "WinApp.h"

class CSettingsApp : public CWinApp {
 public:
  CSettingsApp();
  ~CSettingsApp() override;

  const AppMessageMap* GetMessageMap() const override;
  BOOL InitInstance() override;

  static const AppMessageMap messageMap;

 private:
  static const AppMessageMapEntry messageEntries[];
};
