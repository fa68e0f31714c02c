#pragma once
// The dialog's window. It builds itself and its controls from the form table
// (tool/form_layout.h; form1_window_build.cpp) and only translates: every
// window message becomes one call of TForm1's handlers, which do all the work
// through WindowsToolkit (form1_window_messages.cpp).
//
// It is owned by the application window (application_window.h), which holds
// the task-bar button.
//
// It lays itself out at its monitor's resolution (tool/form_scaling.h), and
// again when it moves to a monitor of another scaling.

#include <windows.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "tool/form1.h"
#include "tool/form_layout.h"
#include "tool/win32/windows_toolkit.h"

class Form1Window {
 public:
  // `mode`: one dimension, or the whole row (t408.exe /a).
  explicit Form1Window(DimensionMode mode) : form_(toolkit_, mode) {}
  ~Form1Window();
  Form1Window(const Form1Window&) = delete;
  Form1Window& operator=(const Form1Window&) = delete;

  // Creates the window, hidden, at its design place with the form's client
  // size, owned by `application`; its controls are built as it is created.
  // Null on failure.
  HWND Create(HINSTANCE instance, HWND application);
  // Runs the start-up (FormShow) while the window is still hidden, then shows
  // it, already moved and filled, unless start-up refused or a close request
  // came first: then it closes unseen.
  void StartUp();
  // Called after every message: keeps the default frame where a dialog box
  // would draw it after the keyboard moved.
  void FollowFocus();

  // The resolution the dialog is laid out at. Where a control stands at it:
  // ScaledControlBounds(id, Dpi()); its font: DialogFontHeight(Dpi()).
  int Dpi() const { return dpi_; }

 private:
  // ---- The window procedure (form1_window_messages.cpp)
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  // ---- Fonts and brushes (form1_window_build.cpp from here on)
  // The form's face at `height` pixels, the height already scaled.
  HFONT Font(int height);
  HBRUSH Brush(COLORREF colour);
  // Memo1's notes whole on their lines, in a narrower font if need be.
  void KeepNotesWhole(HWND memo, const ControlDescription& notes);

  // ---- Building the controls
  void Build(HWND window);
  HWND CreateChild(const wchar_t* className, const std::wstring& text, DWORD style, DWORD exStyle,
                   const FormRect& bounds, int id, int fontHeight);
  void BuildControl(const ControlDescription& control);
  HWND BuildRadioGroup(const ControlDescription& group, int id);
  void BuildLabel(const LabelDescription& label);

  // ---- Laying out at the window's resolution
  // The outer size of the window at `dpi`.
  SIZE FrameSizeAt(int dpi) const;
  void FitClientArea();
  // The label's place at dpi_: as its caption needs in the font actually used.
  FormRect LabelBounds(const LabelDescription& label, const std::wstring& caption);
  std::vector<FormRect> RadioItemPlaces(const ControlDescription& group, HWND box);
  // A drop-down list's field as high as its place, where the font alone
  // would make it lower.
  static void FillDropDownHeight(HWND list, const FormRect& bounds);
  // Takes the resolution of the monitor the window moved to: the suggested
  // place, every control and font at the new scaling, the icons.
  void FollowDpi(int dpi, const RECT& suggested);
  void LayOut();
  void SetIcons();
  // The background a static control or a button paints its text on.
  LRESULT ColourStatic(HDC dc, HWND control);

  WindowsToolkit toolkit_;
  TForm1 form_;
  HWND window_ = nullptr;
  HWND savedFocus_ = nullptr;
  HWND followedFocus_ = nullptr;
  bool startedUp_ = false;
  bool closeAfterStartUp_ = false;
  int dpi_ = 96;
  // Every child with the entry of the form it stands for, in creation order.
  std::vector<std::pair<const ControlDescription*, HWND>> placedControls_;
  std::vector<std::pair<const LabelDescription*, HWND>> placedLabels_;
  std::vector<std::pair<const ControlDescription*, std::vector<HWND>>> placedRadioItems_;
  HICON smallIcon_ = nullptr;
  HICON bigIcon_ = nullptr;
  std::map<int, HFONT> fonts_;
  HFONT notesFont_ = nullptr;  // Memo1's, when the form's font is too wide for it
  std::map<COLORREF, HBRUSH> brushes_;
  // Controls painted in a colour of their own (Memo1, LabelA1).
  std::map<HWND, COLORREF> backgrounds_;
};
