// The failure that a command handler catches and reports: a number and a description.
// Portable: no Windows types, so logic that raises failures builds natively too.
#pragma once

#include <new>
#include <stdexcept>
#include <string>

struct Failure : std::runtime_error {
  long number;  // Win32 error code, or the classic run-time numbers (53 = file not found)
  std::string description;

  Failure(long number, std::string description)
      : std::runtime_error(description), number(number), description(std::move(description)) {}
};

// Classic run-time error numbers that the reports quote.
inline constexpr long kErrFileNotFound = 53;
inline constexpr long kErrInvalidProcedureCall = 5;
inline constexpr long kErrTypeMismatch = 13;
inline constexpr long kErrOutOfMemory = 7;
inline constexpr long kErrInternal = 51;

// The failure that the exception being handled stands for: a Failure as it is, running out of
// memory as 7, any other exception as 51 with its own text. Call only inside a catch block.
inline Failure CurrentFailure() {
  try {
    throw;
  } catch (const Failure& failure) {
    return failure;
  } catch (const std::bad_alloc&) {
    return Failure(kErrOutOfMemory, "Out of memory");
  } catch (const std::exception& e) {
    return Failure(kErrInternal, *e.what() ? e.what() : "Internal error");
  } catch (...) {
    return Failure(kErrInternal, "Internal error");
  }
}

// The process-wide error record (number, source, description) that the registry class fills
// without raising, and that handlers clear. Single user-interface thread: no locking.
struct ErrorRecord {
  long number = 0;
  std::string source;
  std::string description;

  void Clear() {
    number = 0;
    source.clear();
    description.clear();
  }
};

ErrorRecord& Err();

// The two forms of a failure report: long (with the command line tried) and short.
inline std::string LongReport(const std::string& commandLine, const Failure& failure) {
  return commandLine + "\r\n\r\n" + std::to_string(failure.number) + "\r\n" + failure.description;
}
inline std::string ShortReport(const Failure& failure) {
  return std::to_string(failure.number) + "\r\n" + failure.description;
}
