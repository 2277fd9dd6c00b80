// Module cmdpipe: runs a console command with its standard output captured through a pipe, and
// builds the network information text around what it wrote.
#pragma once

#include <string>

// How long a command may run before it is ended and the capture reports a time-out.
inline constexpr unsigned long kCommandTimeLimitMs = 60000;

// Starts the command line (the whole line, program included), reads its standard output until the
// pipe ends while the command runs, waits for it, and returns the first 10240 bytes it wrote
// converted from the OEM to the ANSI code page. Never throws; on failure the text is
// "Error: CreatePipe failed. " / "Error: CreateProcess failed. " / "Error: ReadFile failed. " + the
// code. A command still running after timeLimitMs is ended and the text is
// "Error: WaitForSingleObject failed. 258" (258: the wait timed out).
std::string RunCaptured(const std::string& commandLine, unsigned long timeLimitMs = kCommandTimeLimitMs);

// Today in the user's short date format; empty when the system cannot format it.
std::string ShortDateText();

// "Generated via OKU on " + today's short date + CR LF + "Command " + commandLine + CR LF + body.
std::string BuildNetInfoText(const std::string& commandLine, const std::string& body);
