#include "tool/win32/preview_strip.h"

#include <cmath>
#include <vector>

#include "tool/win32/sjis_edge.h"

namespace {

constexpr wchar_t kStripClass[] = L"T408Preview";
constexpr COLORREF kPaper = RGB(255, 255, 255);

COLORREF InkColour(SceneInk ink) {
  switch (ink) {
    case SceneInk::Dimension:
      return RGB(0, 0, 0);
    case SceneInk::Figure:
      return RGB(0, 0, 170);
    case SceneInk::Reference:
      return RGB(150, 150, 150);
    case SceneInk::Picked:
      return RGB(220, 0, 0);
  }
  return RGB(0, 0, 0);
}

POINT Pixel(ScenePoint p) {
  return POINT{static_cast<LONG>(std::lround(p.X)), static_cast<LONG>(std::lround(p.Y))};
}

// A pen and a brush selected into a device context for as long as it lives.
class Drawing {
 public:
  Drawing(HDC dc, COLORREF ink, SceneFill fill) : dc_(dc) {
    pen_ = CreatePen(PS_SOLID, 1, ink);
    brush_ = fill == SceneFill::None ? static_cast<HBRUSH>(GetStockObject(NULL_BRUSH))
                                     : CreateSolidBrush(fill == SceneFill::Ink ? ink : kPaper);
    ownsBrush_ = fill != SceneFill::None;
    oldPen_ = SelectObject(dc, pen_);
    oldBrush_ = SelectObject(dc, brush_);
  }
  ~Drawing() {
    SelectObject(dc_, oldPen_);
    SelectObject(dc_, oldBrush_);
    DeleteObject(pen_);
    if (ownsBrush_) DeleteObject(brush_);
  }
  Drawing(const Drawing&) = delete;
  Drawing& operator=(const Drawing&) = delete;

 private:
  HDC dc_;
  HPEN pen_;
  HBRUSH brush_;
  bool ownsBrush_;
  HGDIOBJ oldPen_, oldBrush_;
};

void PaintLine(HDC dc, const SceneLine& line) {
  Drawing d(dc, InkColour(line.Ink), SceneFill::None);
  const POINT from = Pixel(line.From), to = Pixel(line.To);
  MoveToEx(dc, from.x, from.y, nullptr);
  LineTo(dc, to.x, to.y);
  // LineTo leaves out the last pixel.
  SetPixel(dc, to.x, to.y, InkColour(line.Ink));
}

void PaintMarker(HDC dc, const SceneMarker& marker) {
  const COLORREF ink = InkColour(SceneInk::Dimension);
  for (const ScenePath& path : marker.Paths) {
    Drawing d(dc, ink, path.Fill);
    std::vector<POINT> points;
    for (ScenePoint p : path.Points) points.push_back(Pixel(p));
    const int count = static_cast<int>(points.size());
    if (path.Closed) {
      Polygon(dc, points.data(), count);
    } else {
      Polyline(dc, points.data(), count);
    }
  }
  for (const SceneEllipse& e : marker.Ellipses) {
    Drawing d(dc, ink, e.Fill);
    const POINT c = Pixel(e.Centre);
    const int r = std::max(1, static_cast<int>(std::lround(e.Radius)));
    Ellipse(dc, c.x - r, c.y - r, c.x + r + 1, c.y + r + 1);
  }
}

std::wstring WideText(const SceneMessage& message) {
  std::wstring text = WideFromSjis(message.Before);
  if (message.Character) {
    const char32_t c = *message.Character;
    if (c >= 0x10000) {
      text += static_cast<wchar_t>(0xD800 + ((c - 0x10000) >> 10));
      text += static_cast<wchar_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
    } else {
      text += static_cast<wchar_t>(c);
    }
  }
  return text + WideFromSjis(message.After);
}

}  // namespace

PreviewStrip::~PreviewStrip() {
  if (window_ != nullptr) SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
}

HWND PreviewStrip::Create(HWND parent, HINSTANCE instance, const RECT& bounds) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = Procedure;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  wc.lpszClassName = kStripClass;
  RegisterClassExW(&wc);
  window_ = CreateWindowExW(0, kStripClass, L"", WS_CHILD | WS_VISIBLE, bounds.left, bounds.top,
                            bounds.right - bounds.left, bounds.bottom - bounds.top, parent, nullptr,
                            instance, nullptr);
  if (window_ != nullptr)
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  return window_;
}

void PreviewStrip::Show(const PreviewScene& scene) {
  scene_ = scene;
  if (window_ == nullptr) return;
  SetWindowTextW(window_, WideText(scene_.Description).c_str());
  // Painted now: the next keystroke is handled only after it.
  InvalidateRect(window_, nullptr, FALSE);
  UpdateWindow(window_);
}

LRESULT CALLBACK PreviewStrip::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<PreviewStrip*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  switch (message) {
    case WM_ERASEBKGND:
      // Every pixel is painted from the off-screen copy: erasing first would flicker.
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(window, &ps);
      if (self != nullptr) self->Paint(dc);
      EndPaint(window, &ps);
      return 0;
    }
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

void PreviewStrip::Paint(HDC target) {
  RECT client;
  GetClientRect(window_, &client);
  const int width = client.right, height = client.bottom;
  HDC dc = CreateCompatibleDC(target);
  HBITMAP bitmap = CreateCompatibleBitmap(target, width, height);
  HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
  HBRUSH paper = CreateSolidBrush(kPaper);
  FillRect(dc, &client, paper);
  DeleteObject(paper);
  if (scene_.Message) {
    PaintMessage(dc, *scene_.Message);
  } else {
    PaintScene(dc);
  }
  BitBlt(target, 0, 0, width, height, dc, 0, 0, SRCCOPY);
  SelectObject(dc, oldBitmap);
  DeleteObject(bitmap);
  DeleteDC(dc);
}

HFONT PreviewStrip::CreateTextFont(double height, double angle) const {
  const int tenths = static_cast<int>(std::lround(angle * 10)) % 3600;
  // A negative height asks for the character height, as the scene gives it.
  return CreateFontW(-static_cast<int>(std::lround(height)), 0, tenths, tenths, FW_NORMAL, FALSE,
                     FALSE, FALSE, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                     DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN, face_.c_str());
}

void PreviewStrip::PaintScene(HDC dc) const {
  // The reference first, under the new dimension; the picked point on top.
  for (SceneInk ink : {SceneInk::Reference, SceneInk::Dimension, SceneInk::Figure}) {
    for (const SceneLine& line : scene_.Lines) {
      if (line.Ink == ink) PaintLine(dc, line);
    }
  }
  for (const SceneMarker& marker : scene_.Markers) PaintMarker(dc, marker);
  if (scene_.Text) {
    const SceneText& t = *scene_.Text;
    HFONT font = CreateTextFont(t.Height, t.Angle);
    HGDIOBJ oldFont = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, InkColour(t.Ink));
    SetTextAlign(dc, TA_BASELINE | TA_LEFT | TA_NOUPDATECP);
    const std::wstring text = WideFromSjis(t.Text);
    const POINT at = Pixel(t.Anchor);
    TextOutW(dc, at.x, at.y, text.c_str(), static_cast<int>(text.size()));
    SelectObject(dc, oldFont);
    DeleteObject(font);
  }
  for (const SceneLine& line : scene_.Lines) {
    if (line.Ink == SceneInk::Picked) PaintLine(dc, line);
  }
}

void PreviewStrip::PaintMessage(HDC dc, const SceneMessage& message) const {
  HFONT font = CreateTextFont(scene_.FontHeight, 0);
  HGDIOBJ oldFont = SelectObject(dc, font);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, InkColour(SceneInk::Dimension));
  const std::wstring text = WideText(message);
  RECT client;
  GetClientRect(window_, &client);
  InflateRect(&client, -4, -2);
  // Wrapped between any two characters where a long line needs it, and
  // centred both ways.
  const UINT format = DT_CENTER | DT_WORDBREAK | DT_EDITCONTROL | DT_NOPREFIX;
  RECT measured = client;
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &measured, format | DT_CALCRECT);
  RECT placed = client;
  placed.top += std::max(0L, ((client.bottom - client.top) - (measured.bottom - measured.top)) / 2);
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &placed, format);
  SelectObject(dc, oldFont);
  DeleteObject(font);
}
