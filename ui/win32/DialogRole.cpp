// The GUIDs of the accessibility annotations are defined here, so that
// oleacc.dll is reached only through COM (never loaded from the program's
// folder by an import).
#include <initguid.h>

#include "ui/win32/DialogRole.h"

namespace ui::win32 {

DialogRole::DialogRole(HWND window) : window_(window) {
  if (FAILED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices,
                              services_.ReceiveVoid()))) {
    services_.Reset();
    return;
  }
  VARIANT role;
  VariantInit(&role);
  role.vt = VT_I4;
  role.lVal = ROLE_SYSTEM_DIALOG;
  if (FAILED(services_->SetHwndProp(window_, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, PROPID_ACC_ROLE, role))) {
    services_.Reset();
  }
}

DialogRole::~DialogRole() {
  if (!services_) return;
  const MSAAPROPID role = PROPID_ACC_ROLE;
  services_->ClearHwndProps(window_, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, &role, 1);
}

}  // namespace ui::win32
