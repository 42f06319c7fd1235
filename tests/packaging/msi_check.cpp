// calc-win32 as the MSI leaves it, seen from inside Windows (here Wine):
//   msi_check installed PRODUCT PUBLISHER FILE_VERSION ENTRY_VERSION
//     the .exe under Program Files carries its version, name and icon and
//     opens its window; the Start-menu shortcut is there; Programs and
//     Features has exactly one entry, of ENTRY_VERSION.
//   msi_check removed PRODUCT
//     no file, folder, shortcut or uninstall entry is left.
#include <windows.h>
#include <msi.h>
#include <shellapi.h>
#include <shlobj.h>

#include <cstdio>
#include <string>
#include <vector>

static int failures = 0;
static void expect(bool ok, const std::wstring& what) {
    if (!ok) {
        std::fwprintf(stderr, L"FAILED: %ls\n", what.c_str());
        ++failures;
    }
}

static std::wstring known_folder(REFKNOWNFOLDERID id) {
    PWSTR path = nullptr;
    std::wstring result;
    if (SUCCEEDED(SHGetKnownFolderPath(id, 0, nullptr, &path))) result = path;
    CoTaskMemFree(path);
    return result;
}

static bool exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

static std::wstring reg_text(HKEY key, const wchar_t* name) {
    wchar_t value[512] = L"";
    DWORD size = sizeof value;
    RegGetValueW(key, nullptr, name, RRF_RT_REG_SZ, nullptr, value, &size);
    return value;
}

// The icon Programs and Features shows for an installed MSI product.
static std::wstring product_icon(const wchar_t* product_code) {
    wchar_t path[MAX_PATH] = L"";
    DWORD length = MAX_PATH;
    MsiGetProductInfoW(product_code, INSTALLPROPERTY_PRODUCTICON, path, &length);
    return GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES ? path : L"";
}

struct Entry { std::wstring version, publisher, icon; };

// Programs and Features: the uninstall entries named PRODUCT.
static std::vector<Entry> uninstall_entries(const std::wstring& product) {
    std::vector<Entry> found;
    HKEY root;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall", 0,
                      KEY_READ | KEY_WOW64_64KEY, &root) != ERROR_SUCCESS)
        return found;
    wchar_t name[256];
    for (DWORD i = 0;; ++i) {
        DWORD length = 256;
        if (RegEnumKeyExW(root, i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        HKEY key;
        if (RegOpenKeyExW(root, name, 0, KEY_READ | KEY_WOW64_64KEY, &key) != ERROR_SUCCESS) continue;
        if (reg_text(key, L"DisplayName") == product)
            found.push_back({reg_text(key, L"DisplayVersion"), reg_text(key, L"Publisher"), product_icon(name)});
        RegCloseKey(key);
    }
    RegCloseKey(root);
    return found;
}

static std::wstring version_string(const std::vector<char>& info, const wchar_t* name) {
    wchar_t* value = nullptr;
    UINT length = 0;
    std::wstring path = std::wstring(L"\\StringFileInfo\\040904B0\\") + name;
    return VerQueryValueW(info.data(), path.c_str(), reinterpret_cast<void**>(&value), &length) && value
               ? value : L"";
}

struct Found { DWORD pid; HWND window; };
static BOOL CALLBACK find_window(HWND window, LPARAM param) {
    auto* found = reinterpret_cast<Found*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid != found->pid || !IsWindowVisible(window)) return TRUE;
    found->window = window;
    return FALSE;
}

// Starts the program, waits for its visible window, closes it like a user.
static void opens_and_closes(const std::wstring& exe) {
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    std::wstring line = L"\"" + exe + L"\"";
    if (!CreateProcessW(exe.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
        expect(false, L"the installed program does not start");
        return;
    }
    Found found{pi.dwProcessId, nullptr};
    for (int i = 0; i < 300 && !found.window && WaitForSingleObject(pi.hProcess, 0) == WAIT_TIMEOUT; ++i) {
        EnumWindows(find_window, reinterpret_cast<LPARAM>(&found));
        if (!found.window) Sleep(100);
    }
    expect(found.window != nullptr, L"the installed program shows no window");
    if (found.window) PostMessageW(found.window, WM_CLOSE, 0, 0);
    DWORD code = 1;
    if (WaitForSingleObject(pi.hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 1);
    GetExitCodeProcess(pi.hProcess, &code);
    expect(code == 0, L"the installed program did not exit cleanly after WM_CLOSE");
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
}

int wmain(int argc, wchar_t** argv) {
    std::wstring mode = argc > 2 ? argv[1] : L"";
    if (!((mode == L"installed" && argc == 6) || (mode == L"removed" && argc == 3))) {
        std::fwprintf(stderr, L"usage: msi_check installed PRODUCT PUBLISHER FILE_VERSION ENTRY_VERSION | removed PRODUCT\n");
        return 2;
    }
    std::wstring product = argv[2];
    std::wstring folder = known_folder(FOLDERID_ProgramFiles) + L"\\" + product;
    std::wstring exe = folder + L"\\calc-win32.exe";
    // The all-users Start menu; Wine puts a per-machine shortcut into the user's.
    std::wstring shortcuts[] = {known_folder(FOLDERID_CommonPrograms) + L"\\" + product + L".lnk",
                                known_folder(FOLDERID_Programs) + L"\\" + product + L".lnk"};
    bool shortcut = exists(shortcuts[0]) || exists(shortcuts[1]);
    auto entries = uninstall_entries(product);

    if (mode == L"removed") {
        expect(!exists(exe) && !exists(folder), L"left behind: " + folder);
        expect(!shortcut, L"left behind: the Start-menu shortcut");
        expect(entries.empty(), L"Programs and Features still lists " + product);
    } else {
        std::wstring publisher = argv[3], file_version = argv[4], entry_version = argv[5];
        expect(exists(exe), L"not installed: " + exe);
        expect(shortcut, L"no Start-menu shortcut " + shortcuts[0]);
        expect(entries.size() == 1, L"Programs and Features lists " + product + L" " +
                                        std::to_wstring(entries.size()) + L" times");
        for (const Entry& e : entries) {
            expect(e.version == entry_version, L"the entry's DisplayVersion is " + e.version);
            expect(e.publisher == publisher, L"the entry's Publisher is " + e.publisher);
            expect(!e.icon.empty(), L"the entry has no icon");
        }
        DWORD ignored = 0, size = GetFileVersionInfoSizeW(exe.c_str(), &ignored);
        std::vector<char> info(size ? size : 1);
        expect(size && GetFileVersionInfoW(exe.c_str(), 0, size, info.data()), L"no version resource in " + exe);
        expect(version_string(info, L"FileVersion") == file_version,
               L"FileVersion is " + version_string(info, L"FileVersion"));
        expect(version_string(info, L"ProductVersion") == file_version,
               L"ProductVersion is " + version_string(info, L"ProductVersion"));
        expect(version_string(info, L"ProductName") == product,
               L"ProductName is " + version_string(info, L"ProductName"));
        HICON large = nullptr;
        expect(ExtractIconExW(exe.c_str(), 0, &large, nullptr, 1) == 1 && large, L"no icon in " + exe);
        if (large) DestroyIcon(large);
        if (exists(exe)) opens_and_closes(exe);
    }
    if (failures == 0) std::wprintf(L"%ls: %ls as expected\n", product.c_str(), mode.c_str());
    return failures == 0 ? 0 : 1;
}
