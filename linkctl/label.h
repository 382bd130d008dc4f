#pragma once
// lbl_hylinx: the windowless text label that fills the control. It is the
// only store of the caption, the two colours and the font; the control
// reads and writes them here and keeps no copy.

#include <windows.h>
#include <ocidl.h>
#include <olectl.h>
#include <wrl/client.h>

#include "win32/unique_handle.h"
#include "units.h"

namespace tessarel {

// OLE colour values: 0x00BBGGRR, or 0x800000nn for system colour nn.
inline constexpr OLE_COLOR kBlue = 0x00FF0000;
inline constexpr OLE_COLOR kSystemButtonText = 0x80000012;
inline constexpr OLE_COLOR kSystemButtonFace = 0x8000000F;
inline constexpr wchar_t kDesignedCaption[] = L"Tessarel";

// The font the label draws its font object's font with: that font itself,
// or in its scalable stand-in where it names the design face at a size whose
// bitmap is more than a pixel off (win32::CreateScalableStandIn). Made again
// only when the font object's font changes (face, size, ratio, style).
class DrawnFont {
 public:
  // `drawn` is borrowed: valid while `font` stays as it is and this lives.
  HRESULT Get(IFont& font, HFONT& drawn);

 private:
  LOGFONTW asked_{};  // the font object's font that standIn_ was made for
  bool known_ = false;
  win32::UniqueHfont standIn_;  // null where asked_ draws as it is
};

struct Label {
  win32::UniqueBstr caption;  // kDesignedCaption once CreateDesignedLabel succeeds
  OLE_COLOR foreColor = kBlue;
  OLE_COLOR backColor = kSystemButtonFace;
  Microsoft::WRL::ComPtr<IFont> font;  // null only until CreateDesignedLabel succeeds
  DrawnFont drawnFont;                 // what `font` draws with
  int leftTwips = 0;
  int topTwips = 0;
  int widthTwips = kLabelDesignWidthTwips;
  int heightTwips = kLabelDesignHeightTwips;
};

// The label in its designed state, font included (MS Sans Serif, 8.25
// point, normal weight, underlined, character set 0).
HRESULT CreateDesignedLabel(Label& label);

// Font used when the host offers no ambient font: the designed face and
// size, not underlined.
HRESULT CreateFallbackAmbientFont(Microsoft::WRL::ComPtr<IFont>& font);

// True when the two fonts would draw the same (face, size, weight, style,
// character set), which is what "equal to the default" means when saving.
HRESULT FontsDrawAlike(IFont* first, IFont* second, bool& alike);

// Rejects values that are neither an explicit colour nor a known system
// colour, before they reach the label.
HRESULT ValidateColor(OLE_COLOR color);

// The font the label draws its text with (borrowed: owned by the label or
// its font object).
HRESULT LabelDrawnFont(Label& label, HFONT& font);

// Draws the control: its own surface over bounds, then the label at its
// place, scaled from the control's size in twips to bounds, and with
// showFocus a focus rectangle around the label's text.
HRESULT PaintControl(Label& label, HDC dc, const RECT& bounds, SIZE controlTwips, bool showFocus);

}  // namespace tessarel
