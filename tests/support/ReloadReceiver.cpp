#include "ReloadReceiver.h"

#include "Processes.h"

#include <utility>

ReloadReceiver::ReloadReceiver(std::string settingsFile, bool hang)
    : m_settingsFile(std::move(settingsFile)), m_hang(hang) {
  m_thread = std::thread([this] { Run(); });
  WaitUntil([this] { return m_window.load() != nullptr; });
}

ReloadReceiver::~ReloadReceiver() {
  m_release = true;
  if (HWND window = m_window.load()) PostMessageA(window, WM_CLOSE, 0, 0);
  m_thread.join();
}

std::string ReloadReceiver::BytesSeen() const {
  std::lock_guard<std::mutex> lock(m_mutex);
  return m_bytesSeen;
}

void ReloadReceiver::Hang() {
  m_hang = true;
  PostMessageA(m_window.load(), WM_NULL, 0, 0);
}

LRESULT CALLBACK ReloadReceiver::Procedure(HWND window, UINT message, WPARAM wParam,
                                           LPARAM lParam) {
  auto* self = reinterpret_cast<ReloadReceiver*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (message == kReloadRequest && self != nullptr && wParam == 0 && lParam == 0) {
    std::string bytes = ReadBytes(self->m_settingsFile);
    {
      std::lock_guard<std::mutex> lock(self->m_mutex);
      self->m_bytesSeen = std::move(bytes);
    }
    ++self->m_requests;
    return 0;
  }
  if (message == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcA(window, message, wParam, lParam);
}

void ReloadReceiver::Run() {
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = Procedure;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = "ReloadReceiver";
  RegisterClassA(&windowClass);
  HWND window = CreateWindowExA(0, "ReloadReceiver", "curlin", WS_OVERLAPPEDWINDOW, 0, 0, 10, 10,
                                nullptr, nullptr, windowClass.hInstance, nullptr);
  SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  m_window = window;
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    while (m_hang && !m_release) Sleep(10);  // stops serving messages, as a hung program
    DispatchMessageA(&message);
  }
}
