#include "platform/win32/gui/Annotations.h"

#include <initguid.h> // defines the ids below in this file, which alone uses them

#include <oleacc.h>

namespace dorvex::win32 {

Annotations::Annotations() {
    // The window thread's apartment: annotations live in it.
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices,
                     reinterpret_cast<void**>(&services_));
}

Annotations::~Annotations() {
    if (services_ != nullptr) {
        services_->Release();
    }
    CoUninitialize();
}

void Annotations::name(HWND control, const std::string& name) {
    if (services_ == nullptr) {
        return;
    }
    const std::wstring wide(name.begin(), name.end()); // the program's names are ASCII
    services_->SetHwndPropStr(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                              PROPID_ACC_NAME, wide.c_str());
}

void Annotations::dialogRole(HWND window) {
    if (services_ == nullptr) {
        return;
    }
    VARIANT role{};
    role.vt = VT_I4;
    role.lVal = ROLE_SYSTEM_DIALOG;
    services_->SetHwndProp(window, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, PROPID_ACC_ROLE,
                           role);
}

} // namespace dorvex::win32
