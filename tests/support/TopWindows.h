// Windows as another program sees them: top-level windows by title, class
// and process, their texts read across processes, and a plain window of the
// test's own.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

std::vector<HWND> TopLevelWindows();
std::vector<HWND> ChildWindows(HWND parent);
// Top-level windows of any process whose title is exactly title (8-bit).
std::vector<HWND> WindowsTitled(const char* title);
// Top-level windows of a process, of the given class ("#32770": dialogs).
std::vector<HWND> WindowsOf(DWORD processId, const char* className);

std::string ClassOf(HWND window);
// A top-level window's title as the platform keeps it (8-bit, no message
// sent, so a busy owner cannot hold the caller up).
std::string TitleOf(HWND window);
DWORD ProcessOf(HWND window);
DWORD ThreadOf(HWND window);

// A window's text, read with the wide message so that it crosses processes
// intact; WindowText converts it to code page 932.
std::wstring WideWindowText(HWND window);
std::string WindowText(HWND window);
// Texts of the child windows of a window, of the given class.
std::vector<std::wstring> ChildTexts(HWND window, const char* className);

// Looks every 50 ms for spanMs whether window answers a message within
// timeoutMs: a program that is busy for longer at any moment of the span (a
// paint or a tick that takes too long) fails.
::testing::AssertionResult AnswersThroughout(HWND window, DWORD spanMs, DWORD timeoutMs = 1000);

// A window's rectangle on the screen, and as "(l,t)-(r,b)" for messages.
RECT ScreenRectOf(HWND window);
std::string Describe(const RECT& rect);

// A plain top-level window of the test process, shown at once; destroyed when
// it goes.
class TestWindow {
 public:
  TestWindow(const char* title, const RECT& rect, bool topmost = false, bool visible = true);
  ~TestWindow();
  TestWindow(const TestWindow&) = delete;
  TestWindow& operator=(const TestWindow&) = delete;

  HWND Get() const { return m_window; }

 private:
  HWND m_window;
};
