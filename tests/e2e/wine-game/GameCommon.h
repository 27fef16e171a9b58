/* What the test game's installer, game and uninstaller share: the registry
   key, the installation folder and small file helpers. Windows programs,
   built with MinGW-w64 and run under Wine by the game test. */
#pragma once

#include <windows.h>

#define GAME_KEY L"SOFTWARE\\Venkarro\\LunarLander"
#define GAME_PARENT L"C:\\Игры"
#define GAME_FOLDER L"C:\\Игры\\Лунный модуль"
#define GAME_EXE L"lander.exe"
#define UNINSTALL_LOG L"Uninst.isu"

/* Writes text to a file as UTF-8, replacing it (append when asked). */
static inline BOOL WriteUtf8(const wchar_t* path, const wchar_t* text, BOOL append)
{
    HANDLE file = CreateFileW(path, append ? FILE_APPEND_DATA : GENERIC_WRITE, 0, NULL,
                              append ? OPEN_ALWAYS : CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE) {
        return FALSE;
    }
    char bytes[8192];
    int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, bytes, sizeof bytes, NULL, NULL);
    DWORD written = 0;
    BOOL ok = size > 0 && WriteFile(file, bytes, (DWORD)(size - 1), &written, NULL);
    CloseHandle(file);
    return ok;
}

/* The folder of this program, with a final backslash. */
static inline void OwnFolder(wchar_t* folder, DWORD size)
{
    DWORD length = GetModuleFileNameW(NULL, folder, size);
    while (length > 0 && folder[length - 1] != L'\\') {
        --length;
    }
    folder[length] = 0;
}
