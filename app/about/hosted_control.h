#pragma once
// One link label control hosted in the dialog: created by the class factory
// of its ProgID, given its site, restored from its stored property entries, sized from its
// stored extent and activated in place. Closing it (or destroying this
// object) deactivates it, closes it and lets it go.

#include <ocidl.h>
#include <wrl/client.h>

#include <memory>

#include "about/about_layout.h"
#include "about/control_site.h"
#include "about/stored_link_labels.h"

namespace zenthra::about {

// The class factory behind the link label ProgID. The dialog asks for it
// once and creates its three controls from it: one ProgID lookup and one
// activation of the library instead of three.
HRESULT GetLinkLabelFactory(Microsoft::WRL::ComPtr<IClassFactory>& factory);

class HostedControl {
 public:
  // `factory` makes the control object; it is only used during the call.
  // `parent` (borrowed) must outlive the control: close it in WM_DESTROY.
  // `place` gives the top-left corner; the size comes from the extent.
  static HRESULT Create(IClassFactory& factory, HWND parent, const StoredLinkLabel& stored, const TwipsRect& place,
                        UINT dpi, const AmbientProperties& ambient, std::unique_ptr<HostedControl>& control);

  HostedControl(const HostedControl&) = delete;
  HostedControl& operator=(const HostedControl&) = delete;
  ~HostedControl();

  // Test seam, not used by the program: the control object. Borrowed;
  // valid while this object lives.
  IOleObject* ObjectForTests() const { return object_.Get(); }
  // The control's own window while it is active in place, else nullptr.
  HWND Window() const;

  // Hands a key message of the control's window to the control
  // (IOleInPlaceActiveObject::TranslateAccelerator); true when the control
  // used it, and it must then go no further.
  bool TranslateAccelerator(MSG& message) const;

  // Follows a change of the dialog's DPI: the control moves to its place
  // for `dpi` and its font is drawn at that DPI.
  HRESULT SetDpi(UINT dpi);

 private:
  HostedControl() = default;
  void Close();

  Microsoft::WRL::ComPtr<IOleObject> object_;
  Microsoft::WRL::ComPtr<IOleClientSite> site_;
  TwipsRect twips_{};  // the place from the layout, the size from the extent
};

}  // namespace zenthra::about
