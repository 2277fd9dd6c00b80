// Module mdlAppMutex: the named mutex "QLN_OKU" that tells an installer that OKU is running.
#pragma once

// Creates (or opens) the mutex and keeps a handle to it until the process ends. It is not a
// single-instance guard: a second copy runs normally.
void CreateAppMutex();
