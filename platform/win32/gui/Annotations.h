#pragma once

#include <windows.h>

#include <string>

struct IAccPropServices;

namespace dorvex::win32 {

// What screen readers are told instead of what Windows' own accessible objects say (dynamic
// annotation, which UI Automation honours too). Wine does not implement it: there a box is read
// by the label just above it in the z-order alone, and the window as a client area.
class Annotations {
public:
    Annotations();
    ~Annotations();
    Annotations(const Annotations&) = delete;
    Annotations& operator=(const Annotations&) = delete;

    void name(HWND control, const std::string& name);
    void dialogRole(HWND window);

private:
    IAccPropServices* services_ = nullptr;
};

} // namespace dorvex::win32
