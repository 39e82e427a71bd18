// Stands in for the wheel-support library that the host registers and the add-in loads while its
// wheel hook is in: the add-in calls nothing in it (assumed), so it holds nothing.
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }
