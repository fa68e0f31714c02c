// Building the dialog: its window, and every control and label of the form
// table, with their fonts and colours, at the window's resolution; laying it
// out again at another.
//
// Sections: fonts and brushes; building the controls; laying out at the
// window's resolution; the windows.

#include <windows.h>

#include "tool/win32/form1_window.h"
// imm.h needs windows.h first.
#include <imm.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "tool/form_scaling.h"
#include "tool/win32/dialog_keys.h"
#include "tool/win32/display_scaling.h"
#include "tool/win32/sjis_edge.h"

namespace {

constexpr wchar_t kFormClass[] = L"T408Form1";
constexpr int kFirstControlId = 100;
// No WS_CLIPCHILDREN: group boxes do not paint their inside and rely on the
// window's background behind them.
constexpr DWORD kFormStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
// No WS_EX_APPWINDOW: the task-bar button is the application window's.
constexpr DWORD kFormExStyle = WS_EX_CONTROLPARENT;

COLORREF ColourOf(const FormColour& c) { return RGB(c.Red, c.Green, c.Blue); }

RECT RectOf(const FormRect& r) { return RECT{r.X, r.Y, r.X + r.Width, r.Y + r.Height}; }

HICON LoadAppIcon(HINSTANCE instance, int size) {
  return static_cast<HICON>(
      LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
}

}  // namespace

Form1Window::~Form1Window() {
  if (smallIcon_ != nullptr) DestroyIcon(smallIcon_);
  if (bigIcon_ != nullptr) DestroyIcon(bigIcon_);
  for (auto& [height, font] : fonts_) DeleteObject(font);
  if (notesFont_ != nullptr) DeleteObject(notesFont_);
  for (auto& [colour, brush] : brushes_) DeleteObject(brush);
}

// ---- Fonts and brushes

HFONT Form1Window::Font(int height) {
  auto found = fonts_.find(height);
  if (found != fonts_.end()) return found->second;
  const WindowDescription& form = Form1Description().Window;
  // A negative height asks for the character height, as the form gives it.
  HFONT font =
      CreateFontW(-height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                  static_cast<DWORD>(form.FontCharset), OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                  DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN, WideFromSjis(form.FontFace).c_str());
  fonts_[height] = font;
  return font;
}

// The longest notes are twelve full-width characters, as wide as Memo1 is
// beside its scroll bar, give or take a pixel: the edit's own margins, or a
// substitute face a little wider than MS Gothic, would cut their last
// character. Then the notes get the same face a little narrower. A new font
// brings the margins back, so this follows every WM_SETFONT.
void Form1Window::KeepNotesWhole(HWND memo, const ControlDescription& notes) {
  SendMessageW(memo, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(0, 0));
  RECT shown{};
  SendMessageW(memo, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&shown));
  HDC dc = GetDC(memo);
  if (dc == nullptr) return;
  const int height = ScaledFontHeight(notes.FontHeight, dpi_);
  HGDIOBJ old = SelectObject(dc, Font(height));
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  LONG widest = 0;
  for (std::string_view line : notes.Lines) {
    const std::wstring text = WideFromSjis(line);
    SIZE extent{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    widest = std::max(widest, extent.cx);
  }
  SelectObject(dc, old);
  ReleaseDC(memo, dc);
  const LONG room = shown.right - shown.left;
  if (widest <= room || widest == 0) return;
  // One pixel to spare: the edit cuts a line that fills it exactly.
  const int width = static_cast<int>(metrics.tmAveCharWidth * (room - 1) / widest);
  const WindowDescription& form = Form1Description().Window;
  HFONT narrow =
      CreateFontW(-height, width, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                  static_cast<DWORD>(form.FontCharset), OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                  DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN, WideFromSjis(form.FontFace).c_str());
  SendMessageW(memo, WM_SETFONT, reinterpret_cast<WPARAM>(narrow), TRUE);
  SendMessageW(memo, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(0, 0));
  if (notesFont_ != nullptr) DeleteObject(notesFont_);
  notesFont_ = narrow;
}

HBRUSH Form1Window::Brush(COLORREF colour) {
  auto found = brushes_.find(colour);
  if (found != brushes_.end()) return found->second;
  HBRUSH brush = CreateSolidBrush(colour);
  brushes_[colour] = brush;
  return brush;
}

// ---- Building the controls

HWND Form1Window::CreateChild(const wchar_t* className, const std::wstring& text, DWORD style,
                              DWORD exStyle, const FormRect& bounds, int id, int fontHeight) {
  HWND child = CreateWindowExW(
      exStyle, className, text.c_str(), WS_CHILD | WS_VISIBLE | style, bounds.X, bounds.Y,
      bounds.Width, bounds.Height, window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
      reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window_, GWLP_HINSTANCE)), nullptr);
  SendMessageW(child, WM_SETFONT,
               reinterpret_cast<WPARAM>(Font(ScaledFontHeight(fontHeight, dpi_))), FALSE);
  return child;
}

void Form1Window::BuildControl(const ControlDescription& c) {
  const int id = kFirstControlId + static_cast<int>(c.Id);
  // Every control opens a group of its own, so the arrow keys move only
  // between the buttons of one radio group.
  const DWORD tab = (c.TabStop ? WS_TABSTOP : 0) | WS_GROUP;
  HWND control = nullptr;
  switch (c.Kind) {
    case ControlKind::DropDownList: {
      control = CreateChild(L"COMBOBOX", L"", CBS_DROPDOWNLIST | WS_VSCROLL | tab, 0,
                            ControlWindowBounds(c, dpi_), id, c.FontHeight);
      FillDropDownHeight(control, ScaleRect(c.Bounds, dpi_));
      toolkit_.SetControl(c.Id, control);
      for (std::string_view item : c.Items) toolkit_.AddItem(c.Id, item);
      if (c.DefaultIndex >= 0) toolkit_.SetItemIndex(c.Id, c.DefaultIndex);
      break;
    }
    case ControlKind::Edit:
      control = CreateChild(L"EDIT", WideFromSjis(c.DefaultText), ES_AUTOHSCROLL | tab,
                            WS_EX_CLIENTEDGE, ControlWindowBounds(c, dpi_), id, c.FontHeight);
      toolkit_.SetControl(c.Id, control);
      // Typing stops at the limit; texts set by the program are taken whole.
      if (c.MaxLength > 0) SendMessageW(control, EM_LIMITTEXT, static_cast<WPARAM>(c.MaxLength), 0);
      break;
    case ControlKind::CheckBox:
      control = CreateChild(L"BUTTON", WideFromSjis(c.Caption), BS_AUTOCHECKBOX | tab, 0,
                            ControlWindowBounds(c, dpi_), id, c.FontHeight);
      toolkit_.SetControl(c.Id, control);
      toolkit_.SetChecked(c.Id, c.DefaultChecked);
      break;
    case ControlKind::RadioGroup:
      control = BuildRadioGroup(c, id);
      if (c.DefaultIndex >= 0) toolkit_.SetItemIndex(c.Id, c.DefaultIndex);
      break;
    case ControlKind::PushButton: {
      const int buttonId = c.Role == ButtonRole::Default  ? IDOK
                           : c.Role == ButtonRole::Cancel ? IDCANCEL
                                                          : id;
      const DWORD kind = c.Role == ButtonRole::Default ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
      control = CreateChild(L"BUTTON", WideFromSjis(c.Caption), kind | tab, 0,
                            ControlWindowBounds(c, dpi_), buttonId, c.FontHeight);
      toolkit_.SetControl(c.Id, control);
      break;
    }
    case ControlKind::Memo: {
      std::string text;
      for (size_t i = 0; i < c.Lines.size(); ++i) {
        if (i > 0) text += "\r\n";
        text += c.Lines[i];
      }
      // Without ES_AUTOHSCROLL a multi-line edit wraps words; with it, it does
      // not. The notes run longer than the box is high: a scroll bar shows
      // there is more and takes the user to it.
      control = CreateChild(
          L"EDIT", WideFromSjis(text),
          ES_MULTILINE | ES_READONLY | ES_AUTOHSCROLL | ES_AUTOVSCROLL | WS_VSCROLL | tab,
          WS_EX_CLIENTEDGE, ControlWindowBounds(c, dpi_), id, c.FontHeight);
      toolkit_.SetControl(c.Id, control);
      LeaveDialogKeysToDialog(control);
      KeepNotesWhole(control, c);
      break;
    }
    case ControlKind::ScrollBox: {
      toolkit_.Strip().SetFontFace(WideFromSjis(Form1Description().Window.FontFace));
      control = toolkit_.Strip().Create(
          window_, reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window_, GWLP_HINSTANCE)),
          RectOf(ControlWindowBounds(c, dpi_)));
      // Known by its id like every other control.
      SetWindowLongPtrW(control, GWLP_ID, id);
      toolkit_.SetControl(c.Id, control);
      break;
    }
    case ControlKind::StatusLabel:
      control = CreateChild(L"STATIC", WideFromSjis(c.Caption),
                            SS_CENTER | SS_CENTERIMAGE | SS_NOPREFIX | WS_GROUP, 0,
                            ControlWindowBounds(c, dpi_), id, c.FontHeight);
      toolkit_.SetControl(c.Id, control);
      break;
  }
  if (control == nullptr) return;
  placedControls_.emplace_back(&c, control);
  if (c.ImeOff) ImmAssociateContextEx(control, nullptr, 0);
  if (c.Background) backgrounds_[control] = ColourOf(*c.Background);
}

// A radio group is a group box with its buttons beside it as siblings, so that
// the dialog keys (Tab, arrows) reach them.
HWND Form1Window::BuildRadioGroup(const ControlDescription& c, int id) {
  HWND box = CreateChild(L"BUTTON", WideFromSjis(c.Caption), BS_GROUPBOX | WS_GROUP, 0,
                         ControlWindowBounds(c, dpi_), id, c.FontHeight);
  const std::vector<FormRect> places = RadioItemPlaces(c, box);
  std::vector<HWND> items;
  for (size_t i = 0; i < places.size(); ++i) {
    // The first button opens the group and is its tab stop; the arrow keys
    // move between the buttons.
    const DWORD style = BS_AUTORADIOBUTTON | (i == 0 ? WS_GROUP | WS_TABSTOP : 0);
    HWND item =
        CreateChild(L"BUTTON", WideFromSjis(c.Items[i]), style, 0, places[i], 0, c.FontHeight);
    // Tab order follows the z-order: keep the buttons right after their box.
    SetWindowPos(item, items.empty() ? box : items.back(), 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    items.push_back(item);
  }
  placedRadioItems_.emplace_back(&c, items);
  toolkit_.SetRadioGroup(c.Id, box, std::move(items));
  return box;
}

void Form1Window::BuildLabel(const LabelDescription& label) {
  const std::wstring caption = WideFromSjis(label.Caption);
  HWND control = CreateChild(L"STATIC", caption, SS_LEFTNOWORDWRAP | SS_NOPREFIX | WS_GROUP, 0,
                             LabelBounds(label, caption), -1, label.FontHeight);
  placedLabels_.emplace_back(&label, control);
}

void Form1Window::Build(HWND window) {
  window_ = window;
  dpi_ = WindowDpi(window);
  toolkit_.SetWindow(window);
  toolkit_.SetDpi(dpi_);
  const FormDescription& form = Form1Description();
  // Created in tab order: the dialog keys follow the order of creation.
  for (const ControlDescription& control : form.Controls) BuildControl(control);
  for (const LabelDescription& label : form.Labels) BuildLabel(label);
}

LRESULT Form1Window::ColourStatic(HDC dc, HWND control) {
  const WindowDescription& form = Form1Description().Window;
  COLORREF colour = ColourOf(form.Background);
  auto own = backgrounds_.find(control);
  if (own != backgrounds_.end()) colour = own->second;
  SetBkColor(dc, colour);
  return reinterpret_cast<LRESULT>(Brush(colour));
}

// ---- Laying out at the window's resolution

SIZE Form1Window::FrameSizeAt(int dpi) const {
  const FormSize client = ScaledClientSize(dpi);
  return FrameSize(kFormStyle, kFormExStyle, SIZE{client.Width, client.Height}, dpi);
}

// Labels size themselves to their caption in the font actually used, which
// may be a substitute for MS Gothic and a little wider; they never wrap.
FormRect Form1Window::LabelBounds(const LabelDescription& label, const std::wstring& caption) {
  FormRect bounds = ScaledLabelBounds(label, dpi_);
  if (HDC dc = GetDC(window_)) {
    HGDIOBJ old = SelectObject(dc, Font(ScaledFontHeight(label.FontHeight, dpi_)));
    SIZE extent{};
    if (GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &extent)) {
      if (extent.cx > bounds.Width) bounds.Width = extent.cx;
      if (extent.cy > bounds.Height) bounds.Height = extent.cy;
    }
    SelectObject(dc, old);
    ReleaseDC(window_, dc);
  }
  return bounds;
}

// The buttons sit below the group's caption line as the screen's font draws it.
std::vector<FormRect> Form1Window::RadioItemPlaces(const ControlDescription& group, HWND box) {
  const int fontHeight = ScaledFontHeight(group.FontHeight, dpi_);
  int lineHeight = fontHeight;
  if (HDC dc = GetDC(box)) {
    HGDIOBJ old = SelectObject(dc, Font(fontHeight));
    TEXTMETRICW metrics;
    if (GetTextMetricsW(dc, &metrics)) lineHeight = metrics.tmHeight;
    SelectObject(dc, old);
    ReleaseDC(box, dc);
  }
  return RadioItemBounds(group, lineHeight, dpi_);
}

// Windows makes a drop-down list's field as high as its font needs. With MS
// Gothic that is the form's height at 96 DPI but a few pixels less when
// scaled; a substitute font can need more, and keeps it.
void Form1Window::FillDropDownHeight(HWND list, const FormRect& bounds) {
  auto height = [list] {
    RECT field;
    return GetWindowRect(list, &field) ? field.bottom - field.top : 0;
  };
  const int missing = bounds.Height - height();
  if (missing <= 0) return;
  const LRESULT itemHeight = SendMessageW(list, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0);
  if (itemHeight == CB_ERR) return;
  SendMessageW(list, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), itemHeight + missing);
  // Wine adds its padding to the height set but not to the height it
  // reports; one correction by what came out lands on the place.
  const int over = height() - bounds.Height;
  if (over > 0 && over < missing + itemHeight) {
    SendMessageW(list, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), itemHeight + missing - over);
  }
}

// The frame Windows draws is the one AdjustWindowRectExForDpi foretells; where
// it is not (Wine keeps its frame at the screen's resolution), the window
// grows or shrinks by the difference so that the client area is exact.
void Form1Window::FitClientArea() {
  const FormSize wanted = ScaledClientSize(dpi_);
  RECT client, outer;
  if (!GetClientRect(window_, &client) || !GetWindowRect(window_, &outer)) return;
  const int dx = wanted.Width - (client.right - client.left);
  const int dy = wanted.Height - (client.bottom - client.top);
  if (dx == 0 && dy == 0) return;
  SetWindowPos(window_, nullptr, 0, 0, outer.right - outer.left + dx, outer.bottom - outer.top + dy,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form1Window::FollowDpi(int dpi, const RECT& suggested) {
  dpi_ = dpi;
  const SIZE frame = FrameSizeAt(dpi);
  SetWindowPos(window_, nullptr, suggested.left, suggested.top, frame.cx, frame.cy,
               SWP_NOZORDER | SWP_NOACTIVATE);
  FitClientArea();
  LayOut();
  SetIcons();
  // The strip has its new size: its drawing is made again for it.
  toolkit_.SetDpi(dpi_);
  form_.ValuesChanged();
}

// Moves and sizes every child and gives it its font at dpi_. The controls
// stay the same windows: the focus, the caret, the selections and every
// typed text stay as they were.
void Form1Window::LayOut() {
  auto place = [](HWND child, const FormRect& r) {
    SetWindowPos(child, nullptr, r.X, r.Y, r.Width, r.Height,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
  };
  auto refont = [this](HWND child, int height) {
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(Font(ScaledFontHeight(height, dpi_))),
                 FALSE);
  };
  for (const auto& [control, child] : placedControls_) {
    refont(child, control->FontHeight);
    place(child, ControlWindowBounds(*control, dpi_));
    if (control->Kind == ControlKind::Memo) KeepNotesWhole(child, *control);
    if (control->Kind == ControlKind::DropDownList) {
      FillDropDownHeight(child, ScaleRect(control->Bounds, dpi_));
    }
  }
  for (const auto& [group, items] : placedRadioItems_) {
    const std::vector<FormRect> places = RadioItemPlaces(*group, toolkit_.Control(group->Id));
    for (size_t i = 0; i < items.size() && i < places.size(); ++i) {
      refont(items[i], group->FontHeight);
      place(items[i], places[i]);
    }
  }
  for (const auto& [label, child] : placedLabels_) {
    refont(child, label->FontHeight);
    place(child, LabelBounds(*label, WideFromSjis(label->Caption)));
  }
  // The fonts of the old resolution are no longer used by any child.
  auto used = [this](int height) {
    for (const auto& [control, child] : placedControls_) {
      if (ScaledFontHeight(control->FontHeight, dpi_) == height) return true;
    }
    for (const auto& [label, child] : placedLabels_) {
      if (ScaledFontHeight(label->FontHeight, dpi_) == height) return true;
    }
    return false;
  };
  for (auto it = fonts_.begin(); it != fonts_.end();) {
    if (used(it->first)) {
      ++it;
    } else {
      DeleteObject(it->second);
      it = fonts_.erase(it);
    }
  }
  RedrawWindow(window_, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_ALLCHILDREN);
}

// The caption bar's icon and the one Alt+Tab shows, at the sizes the
// resolution asks for (16 and 32 pixels at 96 DPI, 24 and 48 at 144).
void Form1Window::SetIcons() {
  const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window_, GWLP_HINSTANCE));
  HICON small = LoadProgramIcon(instance, true, dpi_);
  HICON big = LoadProgramIcon(instance, false, dpi_);
  SendMessageW(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
  SendMessageW(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
  if (smallIcon_ != nullptr) DestroyIcon(smallIcon_);
  if (bigIcon_ != nullptr) DestroyIcon(bigIcon_);
  smallIcon_ = small;
  bigIcon_ = big;
}

// ---- The windows

HWND Form1Window::Create(HINSTANCE instance, HWND application) {
  const WindowDescription& form = Form1Description().Window;
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = Procedure;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  wc.hIcon = LoadAppIcon(instance, 32);
  wc.hIconSm = LoadAppIcon(instance, 16);
  wc.hbrBackground = CreateSolidBrush(ColourOf(form.Background));
  wc.lpszClassName = kFormClass;
  RegisterClassExW(&wc);

  // The form's fixed client size at 96 DPI; once created, the window takes the
  // size its monitor's scaling gives it.
  RECT frame{0, 0, form.ClientWidth, form.ClientHeight};
  AdjustWindowRectEx(&frame, kFormStyle, FALSE, kFormExStyle);
  const ScreenPoint design =
      ScreenFromSaved(ScreenPoint{form.DesignLeft, form.DesignTop}, PrimaryMonitorDpi());
  HWND window = CreateWindowExW(kFormExStyle, kFormClass, WideFromSjis(form.Caption).c_str(),
                                kFormStyle, design.X, design.Y, frame.right - frame.left,
                                frame.bottom - frame.top, application, nullptr, instance, this);
  if (window == nullptr) return nullptr;
  const SIZE scaled = FrameSizeAt(dpi_);
  if (scaled.cx != frame.right - frame.left || scaled.cy != frame.bottom - frame.top) {
    SetWindowPos(window, nullptr, 0, 0, scaled.cx, scaled.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  FitClientArea();
  SetIcons();
  return window;
}
