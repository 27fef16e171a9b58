/* The test game's installer: copies the game into its folder and the
   uninstaller into the Windows folder, writes the uninstall log and the
   game's registry values. */
#include "GameCommon.h"

#include <wchar.h>

static BOOL CopyBeside(const wchar_t* name, const wchar_t* to)
{
    wchar_t source[MAX_PATH];
    OwnFolder(source, MAX_PATH);
    wcscat(source, name);
    return CopyFileW(source, to, FALSE);
}

static BOOL SetString(HKEY key, const wchar_t* name, const wchar_t* text)
{
    return RegSetValueExW(key, name, 0, REG_SZ, (const BYTE*)text,
                          (DWORD)((wcslen(text) + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

static BOOL WriteRegistry(void)
{
    HKEY key;
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, GAME_KEY, 0, NULL, 0, KEY_WRITE, NULL, &key, NULL) !=
        ERROR_SUCCESS) {
        return FALSE;
    }
    BOOL ok = SetString(key, L"instdir", GAME_FOLDER L"\\") &&
              SetString(key, L"exename", GAME_EXE L" -windowed");
    RegCloseKey(key);
    return ok;
}

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE previous, LPWSTR line, int show)
{
    (void)instance;
    (void)previous;
    (void)line;
    (void)show;
    wchar_t uninstaller[MAX_PATH];
    GetWindowsDirectoryW(uninstaller, MAX_PATH);
    wcscat(uninstaller, L"\\IsUninst.exe");
    CreateDirectoryW(GAME_PARENT, NULL);
    CreateDirectoryW(GAME_FOLDER, NULL);
    const wchar_t* game = GAME_FOLDER L"\\" GAME_EXE;
    if (!CopyBeside(GAME_EXE, game) || !CopyBeside(L"isuninst.exe", uninstaller)) {
        return 1;
    }
    wchar_t log[1024];
    swprintf(log, 1024, L"file %ls\r\nkey %ls\r\n", game, GAME_KEY);
    if (!WriteUtf8(GAME_FOLDER L"\\" UNINSTALL_LOG, log, FALSE) || !WriteRegistry()) {
        return 1;
    }
    return 0;
}
