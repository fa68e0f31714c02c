#pragma once
// The dialog's form: the window, every control and every label, with their
// positions, texts, defaults and limits. It is the one description the Win32
// window builds itself from and the in-memory form takes its defaults from.
// Texts are Shift-JIS bytes (tool/ui_texts.h).

#include <optional>
#include <span>
#include <string_view>

#include "tool/control_id.h"
#include "util/sjis.h"

// Client pixels at 96 pixels per inch; tool/form_scaling.h gives them at
// the screen's resolution.
struct FormRect {
  int X = 0;
  int Y = 0;
  int Width = 0;
  int Height = 0;
};

// A caption's width in MS Gothic at a character height of `fontHeight`
// pixels: a full-width character is as wide as the font is high, a half-width
// one a little over half of it (7 px at 13 px, 6 px at 11 px). The labels are
// this wide; the window widens a label whose font draws it wider.
constexpr int CaptionExtent(std::string_view caption, int fontHeight) {
  const int half = (fontHeight + 1) / 2;
  int width = 0;
  for (std::size_t i = 0; i < caption.size(); i += CharByteCount(caption, i)) {
    width += CharByteCount(caption, i) == 2 ? fontHeight : half;
  }
  return width;
}

struct FormColour {
  unsigned char Red = 0, Green = 0, Blue = 0;
};

enum class ControlKind {
  DropDownList,  // fixed list, pick only
  Edit,          // single line
  CheckBox,
  RadioGroup,  // framed group with a caption, items in Columns columns
  PushButton,
  Memo,         // read-only multi-line text, no word wrap
  ScrollBox,    // the preview strip: what OK would add, drawn; takes no input
  StatusLabel,  // LabelA1: centred caption, repainted at once when set
};

enum class ButtonRole { None, Default, Cancel };

struct ControlDescription {
  std::string_view Name;
  ControlId Id = ControlId::Button1;
  ControlKind Kind = ControlKind::Edit;
  FormRect Bounds;
  int TabOrder = -1;  // -1: LabelA1, which takes no part in tabbing
  bool TabStop = true;
  std::string_view Caption;                 // check boxes, radio groups, buttons, LabelA1
  std::span<const std::string_view> Items;  // lists and radio groups
  std::string_view DefaultText;             // edits
  int DefaultIndex = -1;                    // lists and radio groups; -1 none selected
  bool DefaultChecked = false;              // check boxes
  int MaxLength = 0;                        // edits: characters typing may enter; 0: none
  bool ImeOff = false;                      // only direct single-byte typing
  int Columns = 1;                          // radio groups
  ButtonRole Role = ButtonRole::None;
  int FontHeight = 13;
  std::optional<FormColour> Background;     // none: the window's background
  std::span<const std::string_view> Lines;  // Memo1's text, line by line
};

struct LabelDescription {
  std::string_view Name;
  FormRect Bounds;  // width and height: the caption's extent in the form's font
  std::string_view Caption;
  int FontHeight = 13;
};

struct WindowDescription {
  std::string_view Name;              // "Form1"
  std::string_view Caption;           // 水平寸法線＋
  std::string_view ApplicationTitle;  // t408_水平寸法線＋, the task-bar text
  int ClientWidth = 0;                // at 96 DPI, like every size here
  int ClientHeight = 0;
  int DesignLeft = 0;
  int DesignTop = 0;
  FormColour Background;
  std::string_view FontFace;  // ＭＳ ゴシック
  int FontHeight = 13;        // character height in pixels
  int FontCharset = 128;      // SHIFTJIS_CHARSET
};

struct FormDescription {
  WindowDescription Window;
  // In tab order (0..23), then LabelA1.
  std::span<const ControlDescription> Controls;
  std::span<const LabelDescription> Labels;
};

// The dialog as it is built: the one table of tool/form_layout.cpp.
const FormDescription& Form1Description();

// The control's entry; every ControlId has exactly one.
const ControlDescription& DescribeControl(ControlId id);
