// Module cmdpipe: the captured console command behind the network information window.
//
// The child gets the pipe's write end as its standard output; our copy is closed as soon as it
// has started, so the pipe ends when the child (and anything it handed the handle to) is done.
// A reader thread drains the pipe while the child runs, so a child with much to say never blocks
// on a full pipe, and the caller's waits all have limits.
#include "net/cmdpipe.h"

#include <windows.h>

#include <atomic>
#include <memory>
#include <mutex>
#include <vector>

#include "net/NetInfoText.h"
#include "platform/Handles.h"
#include "platform/Wow64.h"

namespace {

constexpr DWORD kReadChunk = 65536;
// After the child has ended, what it wrote is already in the pipe: this is ample to drain it.
// Longer means a grandchild inherited the write end; its output is not waited for.
constexpr DWORD kDrainGraceMs = 3000;
// Time for an ended child to go, and for a stopped reader to notice.
constexpr DWORD kStopGraceMs = 2000;
constexpr UINT kEndedExitCode = 1;

// Shared by the caller and the reader thread, so that a reader that cannot be stopped can be left
// behind safely: it ends with the pipe and frees this.
struct Reader {
  win::UniqueHandle readEnd;
  std::mutex mutex;
  CapturedOutput output;  // guarded by mutex
  DWORD error = 0;        // guarded by mutex: the failed read's code; 0 at the pipe's end
  std::atomic<bool> stop{false};
};

DWORD WINAPI ReadToEnd(void* param) {
  const std::unique_ptr<std::shared_ptr<Reader>> owned(static_cast<std::shared_ptr<Reader>*>(param));
  Reader& reader = **owned;
  std::vector<char> chunk(kReadChunk);
  while (!reader.stop) {
    DWORD got = 0;
    if (!ReadFile(reader.readEnd.get(), chunk.data(), kReadChunk, &got, nullptr)) {
      const DWORD code = GetLastError();
      const std::lock_guard lock(reader.mutex);
      // A broken pipe is the normal end: every copy of the write end is closed.
      if (code != ERROR_BROKEN_PIPE) reader.error = code;
      break;
    }
    const std::lock_guard lock(reader.mutex);
    reader.output.Append({chunk.data(), got});
  }
  return 0;
}

// CancelSynchronousIo, which ends another thread's blocked read, came with Vista. Without it
// (Windows XP) a blocked reader cannot be woken: it is left behind like one the cancel missed.
using CancelSynchronousIoFn = BOOL(WINAPI*)(HANDLE);
CancelSynchronousIoFn CancelSynchronousIoIfAny() {
  static const auto cancel =
      reinterpret_cast<CancelSynchronousIoFn>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "CancelSynchronousIo"));
  return cancel;
}

// Waits for the reader to reach the pipe's end; past the grace it is stopped where it is.
// Returns false when it was stopped (its read error is then our own cancellation).
bool FinishReading(HANDLE thread, Reader& reader) {
  if (WaitForSingleObject(thread, kDrainGraceMs) == WAIT_OBJECT_0) return true;
  reader.stop = true;
  const CancelSynchronousIoFn cancel = CancelSynchronousIoIfAny();
  // The reader may be between reads when a cancel arrives; try again until it has gone.
  for (DWORD waited = 0; waited < kStopGraceMs; waited += 50) {
    if (cancel) cancel(thread);
    if (WaitForSingleObject(thread, 50) == WAIT_OBJECT_0) break;
  }
  return false;  // a reader still blocked is left behind: it holds its own share of the state
}

std::string OemToAnsi(std::string text) {
  if (!text.empty()) OemToCharBuffA(text.data(), text.data(), static_cast<DWORD>(text.size()));
  return text;
}

}  // namespace

std::string RunCaptured(const std::string& commandLine, unsigned long timeLimitMs) {
  SECURITY_ATTRIBUTES inheritable{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  HANDLE readRaw = nullptr;
  HANDLE writeRaw = nullptr;
  if (!CreatePipe(&readRaw, &writeRaw, &inheritable, 0)) return CaptureErrorText("CreatePipe", GetLastError());
  auto reader = std::make_shared<Reader>();
  reader->readEnd.reset(readRaw);
  win::UniqueHandle writeEnd(writeRaw);
  // The child needs the write end only; the read end stays ours.
  SetHandleInformation(readRaw, HANDLE_FLAG_INHERIT, 0);

  // Reading starts before the child: a reader that cannot be had means no child is left running.
  auto* share = new std::shared_ptr<Reader>(reader);
  const win::UniqueHandle thread(CreateThread(nullptr, 0, ReadToEnd, share, 0, nullptr));
  if (!thread) {
    const DWORD code = GetLastError();
    delete share;
    return CaptureErrorText("CreateThread", code);
  }

  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES | STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWMINNOACTIVE;  // the console opens minimised, without the focus
  startup.hStdInput = nullptr;
  startup.hStdOutput = writeEnd.get();
  startup.hStdError = nullptr;
  PROCESS_INFORMATION info{};
  std::string line = commandLine;  // CreateProcessA may write into the line
  BOOL started = FALSE;
  DWORD startError = 0;
  {
    // Under WOW64 the command of the System directory is the system's own, not its 32-bit copy;
    // redirection is off for the start only.
    const NativeFileSystemScope native;
    started = CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, NORMAL_PRIORITY_CLASS, nullptr, nullptr,
                             &startup, &info);
    startError = GetLastError();
  }
  // The child holds its own copy now; ours would keep the pipe from ever ending.
  writeEnd.reset();
  const win::UniqueHandle process(info.hProcess);
  const win::UniqueHandle childThread(info.hThread);

  std::string failure;
  if (!started) {
    failure = CaptureErrorText("CreateProcess", startError);
  } else {
    const DWORD waited = WaitForSingleObject(process.get(), timeLimitMs);
    if (waited != WAIT_OBJECT_0) {
      failure = CaptureErrorText("WaitForSingleObject", waited == WAIT_TIMEOUT ? WAIT_TIMEOUT : GetLastError());
      TerminateProcess(process.get(), kEndedExitCode);
      WaitForSingleObject(process.get(), kStopGraceMs);
    }
  }
  const bool readToEnd = FinishReading(thread.get(), *reader);
  if (!failure.empty()) return failure;

  const std::lock_guard lock(reader->mutex);
  if (readToEnd && reader->error != 0) return CaptureErrorText("ReadFile", reader->error);
  // The cut applies to the bytes read; the letters then follow the window's code page.
  return OemToAnsi(reader->output.Kept());
}

std::string ShortDateText() {
  char date[128];
  const int length = GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, date, sizeof date);
  return length > 0 ? std::string(date, length - 1) : std::string();
}

std::string BuildNetInfoText(const std::string& commandLine, const std::string& body) {
  return ComposeNetInfoText(ShortDateText(), commandLine, body);
}
