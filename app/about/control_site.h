#pragma once
// The site a hosted control lives in: its client site, its in-place site
// (with a frame that has no menus or tool space), and the ambient
// properties it asks for through IDispatch (font, colours, user mode).

#include <ocidl.h>
#include <olectl.h>
#include <wrl/client.h>

namespace zenthra::about {

struct AmbientProperties {
  Microsoft::WRL::ComPtr<IFontDisp> font;
  OLE_COLOR foreColor;
  OLE_COLOR backColor;
};

// `parent` is borrowed: the dialog that holds the control outlives its
// site's use (the control is closed before the dialog window goes).
// `position` is the control's rectangle in the parent's client pixels.
HRESULT CreateControlSite(HWND parent, const RECT& position, const AmbientProperties& ambient,
                          Microsoft::WRL::ComPtr<IOleClientSite>& site);

}  // namespace zenthra::about
