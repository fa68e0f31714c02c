#include "tool/win32/preview_strip.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <span>
#include <vector>

#include "tool/supersampling.h"
#include "tool/win32/sjis_edge.h"

namespace {

constexpr wchar_t kStripClass[] = L"T408Preview";
constexpr COLORREF kPaper = RGB(255, 255, 255);
// Painted at this multiple of its size and averaged down: smooth lines and
// text from plain GDI, the same under Wine as on Windows.
constexpr int kSupersampling = 4;

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

// A strip pixel on the supersampled bitmap.
POINT Sample(ScenePoint p) {
  return POINT{static_cast<LONG>(std::lround(p.X * kSupersampling)),
               static_cast<LONG>(std::lround(p.Y * kSupersampling))};
}

int Samples(double pixels) {
  return std::max(1, static_cast<int>(std::lround(pixels * kSupersampling)));
}

// A pen and a brush selected into a device context for as long as it lives.
class Drawing {
 public:
  Drawing(HDC dc, COLORREF ink, SceneFill fill, double width) : dc_(dc) {
    LOGBRUSH solid{BS_SOLID, ink, 0};
    pen_ = ExtCreatePen(PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_ROUND | PS_JOIN_ROUND,
                        static_cast<DWORD>(Samples(width)), &solid, 0, nullptr);
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

void PaintLine(HDC dc, const SceneLine& line, double width) {
  Drawing d(dc, InkColour(line.Ink), SceneFill::None, width);
  const POINT from = Sample(line.From), to = Sample(line.To);
  MoveToEx(dc, from.x, from.y, nullptr);
  LineTo(dc, to.x, to.y);
}

void PaintMarker(HDC dc, const SceneMarker& marker, double width) {
  const COLORREF ink = InkColour(SceneInk::Dimension);
  for (const ScenePath& path : marker.Paths) {
    Drawing d(dc, ink, path.Fill, width);
    std::vector<POINT> points;
    for (ScenePoint p : path.Points) points.push_back(Sample(p));
    const int count = static_cast<int>(points.size());
    if (path.Closed) {
      Polygon(dc, points.data(), count);
    } else {
      Polyline(dc, points.data(), count);
    }
  }
  for (const SceneEllipse& e : marker.Ellipses) {
    Drawing d(dc, ink, e.Fill, width);
    const POINT c = Sample(e.Centre);
    const int r = Samples(e.Radius);
    Ellipse(dc, c.x - r, c.y - r, c.x + r, c.y + r);
  }
}

// A 32-bit bitmap of `width` by `height` pixels, rows from the top.
BITMAPINFO TopDownBitmap(int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

}  // namespace

std::wstring WideMessage(const SceneMessage& message) {
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
  SetWindowTextW(window_, WideMessage(scene_.Description).c_str());
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
  if (width <= 0 || height <= 0) return;
  const int k = kSupersampling;
  HDC dc = CreateCompatibleDC(target);
  const BITMAPINFO largeInfo = TopDownBitmap(width * k, height * k);
  void* bits = nullptr;
  HBITMAP large = CreateDIBSection(dc, &largeInfo, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (large == nullptr || bits == nullptr) {
    DeleteDC(dc);
    return;
  }
  HGDIOBJ oldBitmap = SelectObject(dc, large);
  PatBlt(dc, 0, 0, width * k, height * k, WHITENESS);
  if (scene_.Message) {
    PaintMessage(dc, *scene_.Message);
  } else {
    PaintScene(dc);
  }
  GdiFlush();
  const std::size_t samples = static_cast<std::size_t>(width) * height * k * k;
  std::vector<std::uint32_t> small(static_cast<std::size_t>(width) * height);
  AverageBlocks(std::span<const std::uint32_t>(static_cast<const std::uint32_t*>(bits), samples),
                width, height, k, small);
  const BITMAPINFO smallInfo = TopDownBitmap(width, height);
  SetDIBitsToDevice(target, 0, 0, width, height, 0, 0, 0, height, small.data(), &smallInfo,
                    DIB_RGB_COLORS);
  SelectObject(dc, oldBitmap);
  DeleteObject(large);
  DeleteDC(dc);
}

// `height` and the cell `width` (0: the face's own) in strip pixels.
HFONT PreviewStrip::CreateTextFont(double height, double width, double angle) const {
  const int tenths = static_cast<int>(std::lround(angle * 10)) % 3600;
  // A negative height asks for the character height, as the scene gives it.
  return CreateFontW(-Samples(height), width > 0 ? Samples(width) : 0, tenths, tenths, FW_NORMAL,
                     FALSE, FALSE, FALSE, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                     NONANTIALIASED_QUALITY, FIXED_PITCH | FF_MODERN, face_.c_str());
}

void PreviewStrip::PaintText(HDC dc, const SceneText& t) const {
  // Half-width cells: a fixed-pitch face's average character is half-width.
  HFONT font = CreateTextFont(t.Height, t.Width / 2, t.Angle);
  HGDIOBJ oldFont = SelectObject(dc, font);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, InkColour(t.Ink));
  SetTextAlign(dc, TA_BOTTOM | TA_LEFT | TA_NOUPDATECP);
  const double a = t.Angle * 3.14159265358979323846 / 180;
  for (const SceneGlyph& glyph : t.Glyphs) {
    const std::wstring character = WideFromSjis(glyph.Bytes);
    const POINT at = Sample(ScenePoint{t.Anchor.X + glyph.Offset * std::cos(a),
                                       t.Anchor.Y - glyph.Offset * std::sin(a)});
    TextOutW(dc, at.x, at.y, character.c_str(), static_cast<int>(character.size()));
  }
  SelectObject(dc, oldFont);
  DeleteObject(font);
}

void PreviewStrip::PaintScene(HDC dc) const {
  // Nothing reaches nearer the strip's edge than its inside, a line's width
  // included.
  const double half = scene_.LineWidth / 2;
  const SceneRect& in = scene_.Inside;
  const POINT topLeft = Sample(ScenePoint{in.Left - half, in.Top - half});
  const POINT bottomRight = Sample(ScenePoint{in.Right + half, in.Bottom + half});
  IntersectClipRect(dc, topLeft.x, topLeft.y, bottomRight.x, bottomRight.y);
  // The reference first, under the new dimension; the picked point on top.
  for (SceneInk ink : {SceneInk::Reference, SceneInk::Dimension, SceneInk::Figure}) {
    for (const SceneLine& line : scene_.Lines) {
      if (line.Ink == ink) PaintLine(dc, line, scene_.LineWidth);
    }
  }
  for (const SceneMarker& marker : scene_.Markers) PaintMarker(dc, marker, scene_.LineWidth);
  for (const SceneText& text : scene_.Texts) PaintText(dc, text);
  for (const SceneLine& line : scene_.Lines) {
    if (line.Ink == SceneInk::Picked) PaintLine(dc, line, scene_.LineWidth);
  }
}

void PreviewStrip::PaintMessage(HDC dc, const SceneMessage& message) const {
  HFONT font = CreateTextFont(scene_.FontHeight, 0, 0);
  HGDIOBJ oldFont = SelectObject(dc, font);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, InkColour(SceneInk::Dimension));
  const std::wstring text = WideMessage(message);
  RECT client;
  GetClientRect(window_, &client);
  const int k = kSupersampling;
  RECT room{client.left * k, client.top * k, client.right * k, client.bottom * k};
  InflateRect(&room, -Samples(4.0 * scene_.Dpi / 96), -Samples(3.0 * scene_.Dpi / 96));
  // Wrapped between any two characters where a long line needs it, and
  // centred both ways.
  const UINT format = DT_CENTER | DT_WORDBREAK | DT_EDITCONTROL | DT_NOPREFIX;
  RECT measured = room;
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &measured, format | DT_CALCRECT);
  RECT placed = room;
  placed.top += std::max(0L, ((room.bottom - room.top) - (measured.bottom - measured.top)) / 2);
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &placed, format);
  SelectObject(dc, oldFont);
  DeleteObject(font);
}
