/* Stands in for the uninstaller of the Windows folder: records its own
   command line, reads the log named after "-f" (an opening quote that
   nothing closes is allowed), deletes the files and the registry keys it
   lists. What the log does not list, and the log itself, stay. */
#include "GameCommon.h"

#include <wchar.h>

/* The log's path: the text after "-f", without its quotes. */
static BOOL LogPath(const wchar_t* line, wchar_t* path, size_t size)
{
    const wchar_t* found = wcsstr(line, L" -f");
    if (!found) {
        return FALSE;
    }
    found += 3;
    if (*found == L'"') {
        ++found;
    }
    size_t length = 0;
    while (found[length] && found[length] != L'"' && length + 1 < size) {
        path[length] = found[length];
        ++length;
    }
    path[length] = 0;
    return length > 0;
}

static void Undo(wchar_t* entry)
{
    if (wcsncmp(entry, L"file ", 5) == 0) {
        DeleteFileW(entry + 5);
    } else if (wcsncmp(entry, L"key ", 4) == 0) {
        RegDeleteKeyW(HKEY_LOCAL_MACHINE, entry + 4);
    }
}

static BOOL UndoAll(const wchar_t* logPath)
{
    HANDLE file = CreateFileW(logPath, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    if (file == INVALID_HANDLE_VALUE) {
        return FALSE;
    }
    char bytes[8192];
    DWORD size = 0;
    BOOL read = ReadFile(file, bytes, sizeof bytes - 1, &size, NULL);
    CloseHandle(file);
    if (!read) {
        return FALSE;
    }
    bytes[size] = 0;
    wchar_t text[8192];
    if (MultiByteToWideChar(CP_UTF8, 0, bytes, -1, text, 8192) <= 0) {
        return FALSE;
    }
    for (wchar_t* entry = text; *entry;) {
        wchar_t* end = entry + wcscspn(entry, L"\r\n");
        BOOL last = *end == 0;
        *end = 0;
        Undo(entry);
        entry = last ? end : end + 1;
    }
    return TRUE;
}

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE previous, LPWSTR unused, int show)
{
    (void)instance;
    (void)previous;
    (void)unused;
    (void)show;
    const wchar_t* line = GetCommandLineW();
    WriteUtf8(L"C:\\uninstall-command-line.txt", line, FALSE);
    wchar_t logPath[MAX_PATH];
    return LogPath(line, logPath, MAX_PATH) && UndoAll(logPath) ? 0 : 1;
}
