#pragma once
// The application's own window, owner of the dialog. It carries the
// application title and is the program's one task-bar button (and its entry
// in Alt+Tab); the dialog, an owned window, gets none. It has no size, so
// nothing of it is ever seen: minimising it hides the dialog, restoring it
// shows the dialog again, and activating it passes the activation on. Under
// Wine it stands on the screen, so that a Linux desktop's task bar lists it.

#include <windows.h>

#include <string>

class ApplicationWindow {
 public:
  ApplicationWindow() = default;
  ~ApplicationWindow();
  ApplicationWindow(const ApplicationWindow&) = delete;
  ApplicationWindow& operator=(const ApplicationWindow&) = delete;

  // Creates the window and shows it, so that the task-bar button is there from
  // the start, message boxes included. Null on failure.
  HWND Create(HINSTANCE instance, const std::wstring& title);
  // The dialog it stands for on the task bar.
  void SetDialog(HWND dialog) { dialog_ = dialog; }

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
  // The window that should be active in its place: a message box over the
  // dialog, else the dialog while it is on screen; null when there is none.
  HWND ActivationTarget() const;

  HWND window_ = nullptr;
  HWND dialog_ = nullptr;
  // The task bar's icons at the resolution of the window's monitor.
  HICON smallIcon_ = nullptr;
  HICON bigIcon_ = nullptr;
  bool dialogHidden_ = false;
};
