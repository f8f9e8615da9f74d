// A stand-in for the clock's main window: a top-level window titled "curlin"
// on a thread of its own that records each reload request (1026, both
// parameters 0) together with the settings file's bytes at that moment.
#pragma once

#include <windows.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>

// The reload request as the programs send it; stated here on its own so the
// tests check the number, not merely agree with the code.
constexpr UINT kReloadRequest = WM_USER + 2;

class ReloadReceiver {
 public:
  explicit ReloadReceiver(std::string settingsFile, bool hang = false);
  ~ReloadReceiver();
  ReloadReceiver(const ReloadReceiver&) = delete;
  ReloadReceiver& operator=(const ReloadReceiver&) = delete;

  HWND Window() const { return m_window.load(); }
  int Requests() const { return m_requests.load(); }
  // The file's bytes when the last request arrived.
  std::string BytesSeen() const;
  // Stops serving messages, as a program that has hung.
  void Hang();

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void Run();

  std::string m_settingsFile;
  std::atomic<bool> m_hang;
  std::atomic<bool> m_release{false};
  std::atomic<HWND> m_window{nullptr};
  std::atomic<int> m_requests{0};
  mutable std::mutex m_mutex;
  std::string m_bytesSeen;
  std::thread m_thread;
};
