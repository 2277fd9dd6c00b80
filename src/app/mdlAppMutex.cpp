// The "QLN_OKU" mutex, held for the life of the process.
#include "app/mdlAppMutex.h"

#include "platform/Handles.h"

void CreateAppMutex() {
  static win::UniqueHandle mutex;
  SECURITY_ATTRIBUTES security{sizeof(SECURITY_ATTRIBUTES), nullptr, FALSE};
  // Neither the result nor the last error matters: a second copy simply shares the mutex.
  HANDLE handle = CreateMutexA(&security, FALSE, "QLN_OKU");
  if (handle) mutex.reset(handle);
}
