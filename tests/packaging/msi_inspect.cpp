// calc-win32 as the MSI leaves it, seen from inside Windows (here Wine):
//   msi_inspect installed PRODUCT PUBLISHER FILE_VERSION ENTRY_VERSION
//     the .exe under Program Files carries its version, name and icon and
//     opens its window; the Start-menu shortcut points at that .exe;
//     Programs and Features has exactly one entry, of ENTRY_VERSION, with an icon.
//   msi_inspect removed PRODUCT
//     no file, folder, shortcut or uninstall entry is left.
#include <windows.h>
#include <msi.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <cstdio>
#include <string>
#include <vector>

static int failures = 0;
static void expect(bool ok, const std::wstring& what) {
    if (!ok) std::fwprintf(stderr, L"FAILED: %ls\n", what.c_str()), ++failures;
}

static std::wstring known_folder(REFKNOWNFOLDERID id) {
    PWSTR path = nullptr;
    std::wstring result = SUCCEEDED(SHGetKnownFolderPath(id, 0, nullptr, &path)) ? path : L"";
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

struct Entry { std::wstring version, publisher, icon; };

// Programs and Features: the uninstall entries named PRODUCT, with the icon
// Windows Installer keeps for each.
static std::vector<Entry> uninstall_entries(const std::wstring& product) {
    std::vector<Entry> found;
    HKEY root, key;
    const REGSAM access = KEY_READ | KEY_WOW64_64KEY;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall", 0, access,
                      &root) != ERROR_SUCCESS)
        return found;
    wchar_t code[256], icon[MAX_PATH];
    for (DWORD i = 0, length = 256; RegEnumKeyExW(root, i, code, &length, nullptr, nullptr, nullptr, nullptr) ==
                                    ERROR_SUCCESS; ++i, length = 256) {
        if (RegOpenKeyExW(root, code, 0, access, &key) != ERROR_SUCCESS) continue;
        DWORD icon_length = MAX_PATH;
        icon[0] = 0;
        MsiGetProductInfoW(code, INSTALLPROPERTY_PRODUCTICON, icon, &icon_length);
        if (reg_text(key, L"DisplayName") == product)
            found.push_back({reg_text(key, L"DisplayVersion"), reg_text(key, L"Publisher"), icon});
        RegCloseKey(key);
    }
    RegCloseKey(root);
    return found;
}

static std::wstring version_text(const std::vector<char>& info, const std::wstring& name) {
    wchar_t* value = nullptr;
    UINT length = 0;
    std::wstring path = L"\\StringFileInfo\\040904B0\\" + name;
    return VerQueryValueW(info.data(), path.c_str(), reinterpret_cast<void**>(&value), &length) ? value : L"";
}

// Where a shortcut leads: an advertised one names no file, only a feature.
static std::wstring shortcut_target(const std::wstring& lnk) {
    wchar_t path[MAX_PATH] = L"";
    IShellLinkW* link = nullptr;
    IPersistFile* file = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&link)))) {
        if (SUCCEEDED(link->QueryInterface(IID_PPV_ARGS(&file))) && SUCCEEDED(file->Load(lnk.c_str(), STGM_READ)))
            link->GetPath(path, MAX_PATH, nullptr, SLGP_RAWPATH);
        if (file) file->Release();
        link->Release();
    }
    return path;
}

// Starts the program, waits until its window is shown, closes it as a user would.
static void opens_and_closes(const std::wstring& exe) {
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    std::wstring line = L"\"" + exe + L"\"";
    expect(CreateProcessW(exe.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi),
           L"the installed program does not start");
    // The window exists before it is shown: wait for both (the session runs
    // no other calc-win32).
    HWND window = nullptr;
    for (ULONGLONG deadline = GetTickCount64() + 30000; pi.hProcess && GetTickCount64() < deadline; Sleep(100))
        if ((window = FindWindowW(L"WinAppClass", nullptr)) && IsWindowVisible(window)) break;
    expect(window && IsWindowVisible(window), L"the installed program shows no window");
    if (!pi.hProcess) return;
    if (window) PostMessageW(window, WM_CLOSE, 0, 0);
    DWORD code = 1;
    if (WaitForSingleObject(pi.hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 1);
    GetExitCodeProcess(pi.hProcess, &code);
    expect(code == 0, L"the installed program did not exit cleanly after WM_CLOSE");
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
}

int wmain(int argc, wchar_t** argv) {
    std::wstring mode = argc > 2 ? argv[1] : L"", product = argc > 2 ? argv[2] : L"";
    if (!((mode == L"installed" && argc == 6) || (mode == L"removed" && argc == 3))) return 2;
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    std::wstring folder = known_folder(FOLDERID_ProgramFiles) + L"\\" + product;
    std::wstring exe = folder + L"\\calc-win32.exe";
    // The all-users Start menu; Wine puts a per-machine shortcut into the user's.
    std::wstring lnk = known_folder(FOLDERID_CommonPrograms) + L"\\" + product + L".lnk";
    if (!exists(lnk)) lnk = known_folder(FOLDERID_Programs) + L"\\" + product + L".lnk";
    bool shortcut = exists(lnk);
    auto entries = uninstall_entries(product);

    if (mode == L"removed") {
        expect(!exists(folder), L"left behind: " + folder);
        expect(!shortcut, L"left behind: the Start-menu shortcut");
        expect(entries.empty(), L"Programs and Features still lists " + product);
    } else {
        std::wstring publisher = argv[3], file_version = argv[4], entry_version = argv[5];
        expect(exists(exe), L"not installed: " + exe);
        expect(shortcut, L"no Start-menu shortcut " + product);
        if (shortcut) {
            std::wstring target = shortcut_target(lnk);
            expect(CompareStringOrdinal(target.c_str(), -1, exe.c_str(), -1, TRUE) == CSTR_EQUAL,
                   L"the shortcut leads to \"" + target + L"\", not " + exe);
        }
        expect(entries.size() == 1, L"Programs and Features lists " + product + L" " +
                                        std::to_wstring(entries.size()) + L" times");
        for (const Entry& e : entries) {
            expect(e.version == entry_version, L"the entry's DisplayVersion is " + e.version);
            expect(e.publisher == publisher, L"the entry's Publisher is " + e.publisher);
            expect(exists(e.icon), L"the entry has no icon");
        }
        DWORD ignored = 0, size = GetFileVersionInfoSizeW(exe.c_str(), &ignored);
        std::vector<char> info(size + 1);
        expect(size && GetFileVersionInfoW(exe.c_str(), 0, size, info.data()), L"no version resource in " + exe);
        for (auto [name, want] : {std::pair{L"FileVersion", file_version}, {L"ProductVersion", file_version},
                                  {L"ProductName", product}})
            expect(version_text(info, name) == want, std::wstring(name) + L" is " + version_text(info, name));
        HICON icon = nullptr;
        expect(ExtractIconExW(exe.c_str(), 0, &icon, nullptr, 1) == 1 && icon, L"no icon in " + exe);
        if (icon) DestroyIcon(icon);
        if (exists(exe)) opens_and_closes(exe);
    }
    if (failures == 0) std::wprintf(L"%ls: %ls as expected\n", product.c_str(), mode.c_str());
    return failures == 0 ? 0 : 1;
}
