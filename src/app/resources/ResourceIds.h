// Resource ids of OKU.exe.
#pragma once

#define IDI_OKU 1
