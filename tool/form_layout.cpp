#include "tool/form_layout.h"

#include <array>

#include "tool/end_markers.h"
#include "tool/ui_texts.h"
#include "util/geometry.h"

namespace {

// A label is as wide as its caption and as high as its font.
constexpr LabelDescription MakeLabel(std::string_view name, int x, int y, std::string_view caption,
                                     int fontHeight = 13) {
  return LabelDescription{name, FormRect{x, y, CaptionExtent(caption, fontHeight), fontHeight},
                          caption, fontHeight};
}

constexpr std::string_view kPrecisionItems[] = {
    "1", "0.1", "0.01", "0.001", "0.0001", "0.00001", "0.000001", "0.0000001", "0.00000001",
};
// In the order of RoundingMode (util/geometry.h): the index is the mode.
constexpr std::string_view kRoundingItems[] = {kRoundingCutOff, kRoundingUp, kRoundingHalfUp};
static_assert(static_cast<std::size_t>(RoundingMode::HalfUp) + 1 == std::size(kRoundingItems));
constexpr std::string_view kTrailingZeroItems[] = {kTrailingZerosRemoved, kTrailingZerosKept};
constexpr std::string_view kUnitItems[] = {"mm", kUnitMetres};

constexpr FormColour kWhite{255, 255, 255};
constexpr FormColour kPaleCyan{187, 236, 244};
constexpr FormColour kLightGrey{231, 231, 231};

// The client area; docked at its bottom, the preview strip and the status
// strip above it, each as wide as the client.
constexpr int kClientWidth = 492;
constexpr int kClientHeight = 436;
constexpr int kPreviewStripHeight = 65;
constexpr int kStatusStripHeight = 24;
constexpr int kScrollBoxTop = kClientHeight - kPreviewStripHeight;
constexpr int kStatusTop = kScrollBoxTop - kStatusStripHeight;

ControlDescription Base(std::string_view name, ControlId id, ControlKind kind, FormRect bounds) {
  ControlDescription c;
  c.Name = name;
  c.Id = id;
  c.Kind = kind;
  c.Bounds = bounds;
  return c;
}

ControlDescription DropDown(std::string_view name, ControlId id, FormRect bounds,
                            std::span<const std::string_view> items, int defaultIndex) {
  ControlDescription c = Base(name, id, ControlKind::DropDownList, bounds);
  c.Items = items;
  c.DefaultIndex = defaultIndex;
  c.ImeOff = true;
  return c;
}

ControlDescription EditBox(std::string_view name, ControlId id, FormRect bounds,
                           std::string_view defaultText, int maxLength, bool imeOff) {
  ControlDescription c = Base(name, id, ControlKind::Edit, bounds);
  c.DefaultText = defaultText;
  c.MaxLength = maxLength;
  c.ImeOff = imeOff;
  return c;
}

ControlDescription Radio(std::string_view name, ControlId id, FormRect bounds,
                         std::string_view caption, std::span<const std::string_view> items) {
  ControlDescription c = Base(name, id, ControlKind::RadioGroup, bounds);
  c.Caption = caption;
  c.Items = items;
  c.DefaultIndex = 0;
  c.Columns = 2;
  return c;
}

ControlDescription Check(std::string_view name, ControlId id, FormRect bounds,
                         std::string_view caption) {
  ControlDescription c = Base(name, id, ControlKind::CheckBox, bounds);
  c.Caption = caption;
  return c;
}

ControlDescription Button(std::string_view name, ControlId id, FormRect bounds,
                          std::string_view caption, ButtonRole role) {
  ControlDescription c = Base(name, id, ControlKind::PushButton, bounds);
  c.Caption = caption;
  c.Role = role;
  return c;
}

// Every control takes the next place in the tab order, in the order of the
// table; the status strip takes none.
template <std::size_t N>
std::array<ControlDescription, N> InTabOrder(std::array<ControlDescription, N> controls) {
  int next = 0;
  for (ControlDescription& c : controls) {
    if (c.Kind != ControlKind::StatusLabel) c.TabOrder = next++;
  }
  return controls;
}

const auto kControls = InTabOrder(std::to_array<ControlDescription>({
    DropDown("ComboBox1", ControlId::ComboBox1, {48, 4, 81, 21}, EndMarkerLabels(), 0),
    DropDown("ComboBox2", ControlId::ComboBox2, {48, 28, 81, 21}, EndMarkerLabels(), 0),
    EditBox("Edit7", ControlId::Edit7, {48, 64, 33, 21}, "3", 8, true),
    EditBox("Edit8", ControlId::Edit8, {48, 88, 33, 21}, kDefaultArrowAngleText, 8, true),
    EditBox("Edit1", ControlId::Edit1, {72, 112, 57, 21}, "1", 16, true),
    // Filled with the text types at start-up.
    DropDown("ComboBox3", ControlId::ComboBox3, {136, 28, 169, 21}, {}, -1),
    EditBox("Edit2", ControlId::Edit2, {200, 56, 105, 21}, "", 32, false),
    EditBox("Edit3", ControlId::Edit3, {200, 80, 105, 21}, "", 32, false),
    DropDown("ComboBox4", ControlId::ComboBox4, {200, 136, 105, 21}, kPrecisionItems, 3),
    DropDown("ComboBox5", ControlId::ComboBox5, {200, 160, 105, 21}, kRoundingItems,
             static_cast<int>(RoundingMode::HalfUp)),
    Radio("RadioGroup1", ControlId::RadioGroup1, {8, 184, 145, 41}, kTrailingZerosCaption,
          kTrailingZeroItems),
    Radio("RadioGroup2", ControlId::RadioGroup2, {160, 184, 145, 41}, kUnitCaption, kUnitItems),
    Check("CheckBox1", ControlId::CheckBox1, {8, 232, 145, 17}, kCheckThousandsCommas),
    Check("CheckBox2", ControlId::CheckBox2, {152, 232, 105, 17}, kCheckUnitText),
    Check("CheckBox3", ControlId::CheckBox3, {256, 232, 129, 17}, kCheckFullWidth),
    Check("CheckBox4", ControlId::CheckBox4, {384, 232, 105, 17}, kCheckDimensionFigure),
    EditBox("Edit4", ControlId::Edit4, {200, 252, 57, 21}, "0.5", 16, true),
    EditBox("Edit5", ControlId::Edit5, {200, 276, 57, 21}, "2", 16, true),
    EditBox("Edit6", ControlId::Edit6, {200, 300, 57, 21}, "2", 16, true),
    EditBox("Edit9", ControlId::Edit9, {200, 324, 57, 21}, "2", 16, true),
    Button("Button1", ControlId::Button1, {360, 264, 121, 33}, kButtonOk, ButtonRole::Default),
    Button("Button2", ControlId::Button2, {360, 312, 121, 33}, kButtonCancel, ButtonRole::Cancel),
    [] {
      ControlDescription c = Base("Memo1", ControlId::Memo1, ControlKind::Memo, {312, 0, 177, 225});
      c.TabStop = false;
      c.Background = kPaleCyan;
      c.Lines = kMemoLines;
      return c;
    }(),
    [] {
      ControlDescription c = Base("ScrollBox1", ControlId::ScrollBox1, ControlKind::ScrollBox,
                                  {0, kScrollBoxTop, kClientWidth, kPreviewStripHeight});
      c.TabStop = false;
      return c;
    }(),
    [] {
      ControlDescription c = Base("LabelA1", ControlId::LabelA1, ControlKind::StatusLabel,
                                  {0, kStatusTop, kClientWidth, kStatusStripHeight});
      c.TabStop = false;
      c.Caption = kStatusInitial;
      c.Background = kLightGrey;
      return c;
    }(),
}));

constexpr LabelDescription kLabels[] = {
    MakeLabel("Label1", 8, 116, kLabelEndMarkerScale),
    MakeLabel("Label2", 136, 8, kLabelTextType),
    MakeLabel("Label3", 8, 256, kLabelTextGap),
    MakeLabel("Label4", 264, 256, kLabelPaperMillimetres),
    MakeLabel("Label5", 8, 280, kLabelExtensionGap),
    MakeLabel("Label6", 8, 8, kLabelStartMarker),
    MakeLabel("Label7", 8, 32, kLabelEndMarker),
    MakeLabel("Label8", 264, 280, kLabelPaperMillimetres),
    MakeLabel("Label9", 8, 304, kLabelExtensionOvershoot),
    MakeLabel("Label10", 264, 304, kLabelPaperMillimetres),
    MakeLabel("Label11", 136, 60, kLabelPrefix),
    MakeLabel("Label12", 136, 84, kLabelSuffix),
    MakeLabel("Label13", 8, 140, kLabelPrecision),
    MakeLabel("Label14", 8, 328, kLabelReverseOvershoot),
    // Groups Edit7 and Edit8, the two values of the line arrow.
    MakeLabel("Label15", 8, 52, kLabelLineArrow, 11),
    MakeLabel("Label16", 8, 92, kLabelArrowAngle),
    MakeLabel("Label17", 8, 68, kLabelArrowLength),
    MakeLabel("Label18", 88, 68, kLabelPaperMillimetres),
    MakeLabel("Label19", 88, 92, kLabelDegrees),
    MakeLabel("Label20", 128, 116, kLabelEndMarkerScaleNote),
    MakeLabel("Label21", 8, 164, kLabelRounding),
    MakeLabel("Label22", 264, 328, kLabelPaperMillimetres),
};

const FormDescription kForm1{
    WindowDescription{"Form1", kWindowCaption, kApplicationTitle, kClientWidth, kClientHeight, 194,
                      107, kWhite, kFontFace, 13, 128},
    kControls,
    kLabels,
};

}  // namespace

const FormDescription& Form1Description() { return kForm1; }

const ControlDescription& DescribeControl(ControlId id) {
  for (const ControlDescription& c : kControls) {
    if (c.Id == id) return c;
  }
  // Every ControlId has an entry (the form test checks it); never reached.
  return kControls[0];
}
