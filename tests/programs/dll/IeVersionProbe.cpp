// Stands in for Shlwapi where a test must remove the library between two loads: its
// DllGetVersion reports 5.50.4807, a version Wine's own Shlwapi never reports.
#include <windows.h>
#include <shlwapi.h>

extern "C" __declspec(dllexport) HRESULT CALLBACK DllGetVersion(DLLVERSIONINFO* info) {
  if (info == nullptr || info->cbSize < sizeof(DLLVERSIONINFO)) return E_INVALIDARG;
  info->dwMajorVersion = 5;
  info->dwMinorVersion = 50;
  info->dwBuildNumber = 4807;
  return S_OK;
}
