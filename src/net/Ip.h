// Module Ip: the computer's host name and the addresses it resolves to, through Windows Sockets 1.1.
// Keeps no state between calls. Message boxes carry the caption "OKU", OK button, no icon.
#pragma once

#include <optional>
#include <string>
#include <vector>

// Starts Windows Sockets 1.1 and checks the library. False after its message box: the caller ends
// the program at once (the load sequence runs no further step).
bool StartSockets();

// The host list: element 0 is the host name, the rest are its addresses in resolver order.
// Nothing, after a message box, when a lookup fails. An empty address list gives the name alone.
std::optional<std::vector<std::string>> GetHostAddresses();

// Ends the use of Windows Sockets. False after its message box: the caller ends the program.
bool StopSockets();

// Start, lookup and stop as the main window's load sequence runs them.
struct HostLookup {
  bool endProgram = false;             // a sockets check failed and its box was shown: end the program now
  bool found = false;                  // false: a lookup failed; HostLbl and cboIP keep their state
  std::string hostLabel;               // the host name in upper case, for HostLbl
  std::vector<std::string> addresses;  // for cboIP, in order; select entry 0 when there is one
};
HostLookup LookUpHost();
