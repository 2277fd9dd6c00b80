// The shell operations behind the shell routines, called through win::Calls<ShellApi>() so that
// tests can put fakes in their place.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "platform/Seam.h"

struct ShellApi {
  // ShellExecuteA with no owner window and no directory; the shell's result as a number
  // (above 32 is success). verb and parameters may be null.
  std::function<intptr_t(const char* verb, const char* file, const char* parameters, int showMode)> execute;
  // FindExecutableA with no directory, writing into a buffer of MAX_PATH characters.
  std::function<intptr_t(const char* file, char* result)> findExecutable;
  // StartProcess of platform/Process.h.
  std::function<unsigned long(const std::string& commandLine, int showMode, const std::string& applicationName)>
      startProcess;

  static ShellApi Real();
};
