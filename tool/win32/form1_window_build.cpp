// Building the dialog: its window, and every control and label of the form
// table, with their fonts and colours.
//
// Sections: fonts and brushes; building the controls; the windows.

#include "tool/win32/form1_window.h"

#include <windows.h>
#include <imm.h>

#include <string>
#include <utility>
#include <vector>

#include "tool/win32/dialog_keys.h"
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
  for (auto& [height, font] : fonts_) DeleteObject(font);
  for (auto& [colour, brush] : brushes_) DeleteObject(brush);
}

// ---- Fonts and brushes

HFONT Form1Window::Font(int height) {
  auto found = fonts_.find(height);
  if (found != fonts_.end()) return found->second;
  const WindowDescription& form = Form1Description().Window;
  // A negative height asks for the character height, as the form gives it.
  HFONT font = CreateFontW(-height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                           static_cast<DWORD>(form.FontCharset), OUT_DEFAULT_PRECIS,
                           CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN,
                           WideFromSjis(form.FontFace).c_str());
  fonts_[height] = font;
  return font;
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
      bounds.Width, bounds.Height, window_,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
      reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window_, GWLP_HINSTANCE)), nullptr);
  SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(Font(fontHeight)), FALSE);
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
      // The height of a combo box includes its dropped-down list.
      FormRect bounds = c.Bounds;
      bounds.Height += 240;
      control = CreateChild(L"COMBOBOX", L"", CBS_DROPDOWNLIST | WS_VSCROLL | tab, 0, bounds, id,
                            c.FontHeight);
      toolkit_.SetControl(c.Id, control);
      for (std::string_view item : c.Items) toolkit_.AddItem(c.Id, item);
      if (c.DefaultIndex >= 0) toolkit_.SetItemIndex(c.Id, c.DefaultIndex);
      break;
    }
    case ControlKind::Edit:
      control = CreateChild(L"EDIT", WideFromSjis(c.DefaultText), ES_AUTOHSCROLL | tab,
                            WS_EX_CLIENTEDGE, c.Bounds, id, c.FontHeight);
      toolkit_.SetControl(c.Id, control);
      // Typing stops at the limit; texts set by the program are taken whole.
      if (c.MaxLength > 0) SendMessageW(control, EM_LIMITTEXT, static_cast<WPARAM>(c.MaxLength), 0);
      break;
    case ControlKind::CheckBox:
      control = CreateChild(L"BUTTON", WideFromSjis(c.Caption), BS_AUTOCHECKBOX | tab, 0,
                            c.Bounds, id, c.FontHeight);
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
      control = CreateChild(L"BUTTON", WideFromSjis(c.Caption), kind | tab, 0, c.Bounds,
                            buttonId, c.FontHeight);
      toolkit_.SetControl(c.Id, control);
      break;
    }
    case ControlKind::Memo: {
      std::string text;
      for (size_t i = 0; i < c.Lines.size(); ++i) {
        if (i > 0) text += "\r\n";
        text += c.Lines[i];
      }
      // Without ES_AUTOHSCROLL a multi-line edit wraps words; with it, it does not.
      control = CreateChild(L"EDIT", WideFromSjis(text),
                            ES_MULTILINE | ES_READONLY | ES_AUTOHSCROLL | ES_AUTOVSCROLL | tab,
                            WS_EX_CLIENTEDGE, c.Bounds, id, c.FontHeight);
      toolkit_.SetControl(c.Id, control);
      LeaveDialogKeysToDialog(control);
      break;
    }
    case ControlKind::ScrollBox: {
      const FormDescription& form = Form1Description();
      toolkit_.Strip().Create(
          window_, reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window_, GWLP_HINSTANCE)),
          RectOf(c.Bounds), RectOf(form.Panel1.Bounds), RectOf(form.WebBrowser1.Bounds));
      control = toolkit_.Strip().Frame();
      toolkit_.SetControl(c.Id, control);
      break;
    }
    case ControlKind::StatusLabel:
      control = CreateChild(L"STATIC", WideFromSjis(c.Caption),
                            SS_CENTER | SS_CENTERIMAGE | SS_NOPREFIX | WS_GROUP, 0, c.Bounds, id,
                            c.FontHeight);
      toolkit_.SetControl(c.Id, control);
      break;
  }
  if (control == nullptr) return;
  if (c.ImeOff) ImmAssociateContextEx(control, nullptr, 0);
  if (c.Background) backgrounds_[control] = ColourOf(*c.Background);
}

// A radio group is a group box with its buttons beside it as siblings, so that
// the dialog keys (Tab, arrows) reach them. The buttons share the box's width
// in columns below its caption, filling each column from the top before the next.
HWND Form1Window::BuildRadioGroup(const ControlDescription& c, int id) {
  HWND box = CreateChild(L"BUTTON", WideFromSjis(c.Caption), BS_GROUPBOX | WS_GROUP, 0, c.Bounds,
                         id, c.FontHeight);
  int textHeight = 13;
  if (HDC dc = GetDC(box)) {
    HGDIOBJ old = SelectObject(dc, Font(c.FontHeight));
    TEXTMETRICW metrics;
    if (GetTextMetricsW(dc, &metrics)) textHeight = metrics.tmHeight;
    SelectObject(dc, old);
    ReleaseDC(box, dc);
  }
  const int count = static_cast<int>(c.Items.size());
  const int columns = c.Columns > 0 ? c.Columns : 1;
  const int perColumn = count > 0 ? (count + columns - 1) / columns : 1;
  const int columnWidth = (c.Bounds.Width - 10) / columns;
  const int room = c.Bounds.Height - textHeight - 5;
  const int itemHeight = room / perColumn;
  const int topMargin = textHeight + 1 + (room % perColumn) / 2;
  std::vector<HWND> items;
  for (int i = 0; i < count; ++i) {
    const FormRect bounds{c.Bounds.X + 8 + (i / perColumn) * columnWidth,
                          c.Bounds.Y + topMargin + (i % perColumn) * itemHeight, columnWidth,
                          itemHeight};
    // The first button opens the group and is its tab stop; the arrow keys
    // move between the buttons.
    const DWORD style = BS_AUTORADIOBUTTON | (i == 0 ? WS_GROUP | WS_TABSTOP : 0);
    HWND item = CreateChild(L"BUTTON", WideFromSjis(c.Items[static_cast<size_t>(i)]), style, 0,
                            bounds, 0, c.FontHeight);
    // Tab order follows the z-order: keep the buttons right after their box.
    SetWindowPos(item, items.empty() ? box : items.back(), 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    items.push_back(item);
  }
  toolkit_.SetRadioGroup(c.Id, box, std::move(items));
  return box;
}

// Labels size themselves to their caption in the font actually used, which
// may be a substitute for MS Gothic and a little wider; they never wrap.
void Form1Window::BuildLabel(const LabelDescription& label) {
  const std::wstring caption = WideFromSjis(label.Caption);
  FormRect bounds = label.Bounds;
  if (HDC dc = GetDC(window_)) {
    HGDIOBJ old = SelectObject(dc, Font(label.FontHeight));
    SIZE extent{};
    if (GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &extent)) {
      if (extent.cx > bounds.Width) bounds.Width = extent.cx;
      if (extent.cy > bounds.Height) bounds.Height = extent.cy;
    }
    SelectObject(dc, old);
    ReleaseDC(window_, dc);
  }
  CreateChild(L"STATIC", caption, SS_LEFTNOWORDWRAP | SS_NOPREFIX | WS_GROUP, 0, bounds, -1,
              label.FontHeight);
}

void Form1Window::Build(HWND window) {
  window_ = window;
  toolkit_.SetWindow(window);
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

  // A fixed 492 x 436 client in pixels, whatever the screen's resolution.
  RECT frame{0, 0, form.ClientWidth, form.ClientHeight};
  AdjustWindowRectEx(&frame, kFormStyle, FALSE, kFormExStyle);
  return CreateWindowExW(kFormExStyle, kFormClass, WideFromSjis(form.Caption).c_str(), kFormStyle,
                         form.DesignLeft, form.DesignTop, frame.right - frame.left,
                         frame.bottom - frame.top, application, nullptr, instance, this);
}
