// Starting a program from a whole command line with a window mode, without waiting for it.
#pragma once

#include <string>

// Starts the program and returns its process id at once; the process and thread handles are
// closed straight away, so the program runs on independently. showMode is a SW_* value.
// applicationName, when given, names the exe to run (no search along the path); the command line
// is then only handed to it. Throws Failure: a missing program file (or an empty command line) is
// number 53 "File not found", any other failure the Windows error code and its text.
unsigned long StartProcess(const std::string& commandLine, int showMode, const std::string& applicationName = {});
