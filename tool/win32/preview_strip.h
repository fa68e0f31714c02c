#pragma once
// The strip at the bottom of the dialog (ScrollBox1): it paints the scene the
// core computed (tool/preview_scene.h), the dimension OK would add or the
// refusal OK would give, with GDI into an off-screen bitmap four times its
// size, averaged down (tool/supersampling.h): smooth, and a redraw never
// flickers. Its window text is the band's line, for screen readers. It is
// not a tab stop and takes no input.

#include <windows.h>

#include <string>

#include "tool/preview_scene.h"

// A line of the scene as the window shows it, the character a refusal names included.
std::wstring WideMessage(const SceneMessage& message);

class PreviewStrip {
 public:
  ~PreviewStrip();
  // Creates the strip's window at `bounds` in the parent's client.
  HWND Create(HWND parent, HINSTANCE instance, const RECT& bounds);
  HWND Window() const { return window_; }
  // Shows `scene` from now on, painted before this returns.
  void Show(const PreviewScene& scene);
  // The face the strip writes its texts in, as the dialog's (Shift-JIS).
  void SetFontFace(std::wstring face) { face_ = std::move(face); }

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void Paint(HDC target);
  void PaintScene(HDC dc) const;
  void PaintMessage(HDC dc, const SceneMessage& message) const;
  void PaintText(HDC dc, const SceneText& text) const;
  HFONT CreateTextFont(double height, double width, double angle) const;

  HWND window_ = nullptr;
  PreviewScene scene_;
  std::wstring face_;
};
