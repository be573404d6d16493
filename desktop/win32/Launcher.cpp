// Starts Dorvex Zede in the user's own folder, %LOCALAPPDATA%\Dorvex Zede, which it makes on first
// use: the program keeps its settings and log relative to the folder it is started in, and an
// installation's own folder is not the user's to write.
#include <windows.h>

#include <string>

namespace {

constexpr const wchar_t* caption = L"Dorvex Zede Launcher";

int fail(const std::wstring& text) {
    MessageBoxW(nullptr, text.c_str(), caption, MB_OK | MB_ICONERROR);
    return 1;
}

std::wstring ownFolder() {
    std::wstring path(MAX_PATH, L'\0');
    DWORD length = 0;
    while ((length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()))) ==
           path.size()) {
        path.resize(path.size() * 2);
    }
    path.resize(length);
    return path.substr(0, path.find_last_of(L'\\'));
}

bool makeFolder(const std::wstring& path) {
    return CreateDirectoryW(path.c_str(), nullptr) != FALSE ||
           GetLastError() == ERROR_ALREADY_EXISTS;
}

// Never over the user's settings; an empty copy (a first copy cut short) is put right. The copy
// goes through a new file renamed into place once whole, so that a failed copy leaves none.
bool copyShippedSettings(const std::wstring& shipped, const std::wstring& settings) {
    WIN32_FILE_ATTRIBUTE_DATA found;
    if (GetFileAttributesExW(settings.c_str(), GetFileExInfoStandard, &found) != FALSE &&
        (found.nFileSizeLow != 0 || found.nFileSizeHigh != 0)) {
        return true;
    }
    const std::wstring fresh = settings + L".new-" + std::to_wstring(GetCurrentProcessId());
    if (CopyFileW(shipped.c_str(), fresh.c_str(), FALSE) != FALSE &&
        MoveFileExW(fresh.c_str(), settings.c_str(),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE) {
        return true;
    }
    DeleteFileW(fresh.c_str());
    return false;
}

// The launcher's own command line without its program name, which may be quoted.
std::wstring givenArguments() {
    const std::wstring line = GetCommandLineW();
    std::size_t end = 0;
    if (line.starts_with(L'"')) {
        end = line.find(L'"', 1);
        end = end == std::wstring::npos ? line.size() : end + 1;
    } else {
        end = line.find_first_of(L" \t");
        end = end == std::wstring::npos ? line.size() : end;
    }
    return line.substr(end);
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    const std::wstring here = ownFolder();
    const DWORD needed = GetEnvironmentVariableW(L"LOCALAPPDATA", nullptr, 0);
    std::wstring data(needed, L'\0');
    if (needed == 0 ||
        GetEnvironmentVariableW(L"LOCALAPPDATA", data.data(), needed) + 1 != needed) {
        return fail(L"LOCALAPPDATA is not set: there is no folder to keep the settings in.");
    }
    data.pop_back();
    const std::wstring folder = data + L"\\Dorvex Zede";
    if (!makeFolder(folder) || !makeFolder(folder + L"\\Data") || !makeFolder(folder + L"\\Log")) {
        return fail(L"Cannot make the folder " + folder + L".");
    }
    if (!copyShippedSettings(here + L"\\DorvexL.ini", folder + L"\\Data\\DorvexL.ini")) {
        return fail(L"Cannot copy the settings " + here + L"\\DorvexL.ini to " + folder +
                    L"\\Data.");
    }
    const std::wstring program = here + L"\\dorvexzede.exe";
    std::wstring line = L"\"" + program + L"\"" + givenArguments();
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    if (CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                       folder.c_str(), &startup, &started) == FALSE) {
        return fail(L"Cannot start " + program + L".");
    }
    CloseHandle(started.hThread);
    CloseHandle(started.hProcess);
    return 0;
}
