// The real file-system operations of the Send To command.
#pragma once

#include "shell/SendToLogic.h"

// Attribute read and directory search (shell/FolderSearch.h), and CreateDirectoryA for the
// missing Send To folder; failures are thrown as Failure.
SendToFileSystem RealSendToFileSystem();
