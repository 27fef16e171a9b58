/* The test game: notes that it ran with which command line, and leaves a
   read-only saved game in a folder of its own that the uninstaller does not
   know about. */
#include "GameCommon.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE previous, LPWSTR line, int show)
{
    (void)instance;
    (void)previous;
    (void)line;
    (void)show;
    wchar_t saves[MAX_PATH];
    OwnFolder(saves, MAX_PATH);
    wcscat(saves, L"saves");
    CreateDirectoryW(saves, NULL);
    wcscat(saves, L"\\slot1.sav");
    WriteUtf8(saves, L"level 3", FALSE);
    SetFileAttributesW(saves, FILE_ATTRIBUTE_READONLY);
    return WriteUtf8(L"C:\\lander-ran.txt", GetCommandLineW(), FALSE) ? 0 : 1;
}
