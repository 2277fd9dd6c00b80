// Seams that only the test build (OKU_test.exe) opens, declared here so that any layer may ask.
// Each exe links one definition: OKU_test.exe app/TestHooks.cpp, OKU.exe app/NoTestHooks.cpp, in
// which every hook is inert, so the shipped program has no test behaviour at all.
#pragma once

#include <string>

namespace hooks {

// True in OKU_test.exe only.
bool IsTestBuild();

// A setting the test driver passes through the environment (for example OKU_TEST_UPDATE_URL);
// always empty in OKU.exe.
std::string Setting(const char* name);

// Called once at the start of WinMain: installs the test build's seams that its settings ask for.
// Does nothing in OKU.exe.
void Install();

}  // namespace hooks
