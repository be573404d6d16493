#pragma once

#include <windows.h>

#include <functional>

namespace dorvex::status {

// How "dorvexzede --status" asks the running instance: a WM_COPYDATA with the request tag, whose
// wParam is the asking window, to the instance's message-only window; the answer comes back to
// that window at once as a WM_COPYDATA with the answer tag carrying the report's UTF-8 JSON.
// Message-only windows are found only on their own desktop, so only from the same session.
constexpr const wchar_t* serverClass = L"DorvexZedeStatus";
constexpr const wchar_t* clientClass = L"DorvexZedeStatusClient";
constexpr ULONG_PTR requestTag = 0x44'5A'53'51; // "DZSQ"
constexpr ULONG_PTR answerTag = 0x44'5A'53'41;  // "DZSA"

// What a window of the exchange does with a WM_COPYDATA: the sender's window and the data.
using CopyDataHandler = std::function<void(HWND sender, const COPYDATASTRUCT& data)>;

// A message-only window of the class (registered at the first use) whose WM_COPYDATA goes to the
// handler, which must outlive it; null when it cannot be made.
HWND makeWindow(HINSTANCE instance, const wchar_t* className, CopyDataHandler& handler);

} // namespace dorvex::status
