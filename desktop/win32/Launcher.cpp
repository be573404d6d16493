// Starts Dorvex Zede in the user's own folder, %LOCALAPPDATA%\Dorvex Zede, which it makes on first
// use: the program keeps its settings and log relative to the folder it is started in, and an
// installation's own folder is not the user's to write. The administrator's settings,
// %ProgramData%\Dorvex Zede\DorvexL.ini where there are any, replace the user's at every start.
#include <windows.h>

#include <knownfolders.h>
#include <shlobj.h>

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

// Empty when the variable is unset or empty.
std::wstring environment(const wchar_t* name) {
    const DWORD needed = GetEnvironmentVariableW(name, nullptr, 0);
    std::wstring value(needed, L'\0');
    if (needed <= 1 || GetEnvironmentVariableW(name, value.data(), needed) + 1 != needed) {
        return {};
    }
    value.pop_back();
    return value;
}

// The folder of files for every user; the known folder's own path when the variable is missing.
std::wstring programData() {
    std::wstring path = environment(L"PROGRAMDATA");
    PWSTR known = nullptr;
    if (path.empty() && SUCCEEDED(SHGetKnownFolderPath(FOLDERID_ProgramData, 0, nullptr, &known))) {
        path = known;
    }
    CoTaskMemFree(known);
    return path;
}

bool makeFolder(const std::wstring& path) {
    return CreateDirectoryW(path.c_str(), nullptr) != FALSE ||
           GetLastError() == ERROR_ALREADY_EXISTS;
}

// Anything at the path but a missing file counts, so that one that cannot be read is reported
// rather than passed over.
bool present(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES ||
           (GetLastError() != ERROR_FILE_NOT_FOUND && GetLastError() != ERROR_PATH_NOT_FOUND);
}

// Through a new file renamed into place once whole, so that a failed copy leaves none.
bool putSettings(const std::wstring& source, const std::wstring& settings) {
    const std::wstring fresh = settings + L".new-" + std::to_wstring(GetCurrentProcessId());
    if (CopyFileW(source.c_str(), fresh.c_str(), FALSE) != FALSE &&
        MoveFileExW(fresh.c_str(), settings.c_str(),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE) {
        return true;
    }
    DeleteFileW(fresh.c_str());
    return false;
}

// Never over the user's settings; an empty copy (a first copy cut short) is put right.
bool copyShippedSettings(const std::wstring& shipped, const std::wstring& settings) {
    WIN32_FILE_ATTRIBUTE_DATA found;
    return (GetFileAttributesExW(settings.c_str(), GetFileExInfoStandard, &found) != FALSE &&
            (found.nFileSizeLow != 0 || found.nFileSizeHigh != 0)) ||
           putSettings(shipped, settings);
}

// The administrator's settings win over the user's, a fixed time set since the last start too,
// broken ones as well: the program tells of those itself. A copy that fails leaves the user's
// settings and does not hold up the start: what went wrong is told once the program runs.
bool copySiteSettings(const std::wstring& settings, std::wstring& problem) {
    const std::wstring folder = programData();
    const std::wstring site = folder + L"\\Dorvex Zede\\DorvexL.ini";
    if (folder.empty() || !present(site)) {
        return false;
    }
    if (putSettings(site, settings)) {
        return true;
    }
    problem =
        L"Cannot copy the administrator's settings " + site + L"; starting with " + settings + L".";
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
    const std::wstring data = environment(L"LOCALAPPDATA");
    if (data.empty()) {
        return fail(L"LOCALAPPDATA is not set: there is no folder to keep the settings in.");
    }
    const std::wstring folder = data + L"\\Dorvex Zede";
    if (!makeFolder(folder) || !makeFolder(folder + L"\\Data") || !makeFolder(folder + L"\\Log")) {
        return fail(L"Cannot make the folder " + folder + L".");
    }
    const std::wstring settings = folder + L"\\Data\\DorvexL.ini";
    std::wstring problem;
    if (!copySiteSettings(settings, problem) &&
        !copyShippedSettings(here + L"\\DorvexL.ini", settings)) {
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
    if (!problem.empty()) {
        MessageBoxW(nullptr, problem.c_str(), caption, MB_OK | MB_ICONWARNING);
    }
    return 0;
}
