/* A stand-in for a system DLL, planted beside a copy of OKU by the PlantedDlls test: if it is ever
   loaded it leaves "<its own path>.loaded" and refuses to load, so no foreign code runs on. */
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
  char path[MAX_PATH + 16];
  DWORD length;
  HANDLE marker;
  (void)reserved;
  if (reason != DLL_PROCESS_ATTACH) return TRUE;
  length = GetModuleFileNameA(instance, path, MAX_PATH);
  if (length > 0 && length < MAX_PATH) {
    lstrcatA(path, ".loaded");
    marker = CreateFileA(path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (marker != INVALID_HANDLE_VALUE) CloseHandle(marker);
  }
  return FALSE;
}
