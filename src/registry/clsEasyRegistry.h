// clsEasyRegistry: the registry as a directory tree. An object holds one current key, moved with
// Cd and paths such as "\HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft"; every other member works on it.
// It never throws at its caller: each registry call's outcome goes to the process-wide error record
// (Err(), source and description only; the number stays 0), and the members that change the
// registry also return whether their last call succeeded.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

// Value type codes: how a value is written, and which registry types read back as which code.
enum class RegValueType : int32_t {
  STRING = 0,  // written as REG_SZ; every type but REG_BINARY and REG_DWORD reads as this
  BINARY = 1,  // REG_BINARY
  DWORD = 2,   // REG_DWORD
};

// One row of a value listing: the name, the data as text, the type code as one digit. A value
// without data (and a row whose enumeration failed) has empty data and type texts.
struct ValueRow {
  std::string name;
  std::string data;
  std::string type;
  bool operator==(const ValueRow&) const = default;
};

// One value read: its text form, its raw bytes (none when the value has no data) and, for DWORD,
// its number.
struct ValueReading {
  std::string text;
  std::optional<std::vector<uint8_t>> bytes;
  double number = 0;
};

// A value to write. The 64-bit integer stands for a number held as an integer type, which no type
// code accepts (a DWORD must be given as a whole double).
using RegValue = std::variant<std::string, std::vector<uint8_t>, double, int64_t>;

// Access rights the current key is reopened with, per member.
inline constexpr REGSAM kRightsQuery = KEY_QUERY_VALUE;                               // Cd, DirValue, read
inline constexpr REGSAM kRightsEnumerate = KEY_QUERY_VALUE | KEY_ENUMERATE_SUB_KEYS;  // DirKey
inline constexpr REGSAM kRightsSet = KEY_SET_VALUE;                                   // write, deletes
inline constexpr REGSAM kRightsCreate = KEY_CREATE_SUB_KEY;                           // MakeKey

class clsEasyRegistry {
 public:
  clsEasyRegistry() = default;
  ~clsEasyRegistry();  // closes the open key (the close is recorded)
  clsEasyRegistry(const clsEasyRegistry&) = delete;
  clsEasyRegistry& operator=(const clsEasyRegistry&) = delete;

  // The current key's absolute path in upper case ("" at the top level).
  const std::string& CurrentKey() const { return strCurrentKey_; }

  // Moves the current key and opens it for queries. The path is taken as current even when its key
  // cannot be opened; true when it was opened (or the move went to the top level).
  bool Cd(std::string_view strDirectory);

  // Subkey names in enumeration order; the six root names at the top level; nullopt (Null) when the
  // key has none or cannot be listed. An empty list when the listing itself broke down.
  std::optional<std::vector<std::string>> DirKey();

  // Every value of the current key; nullopt (Null) at the top level and when there are none.
  std::optional<std::vector<ValueRow>> DirValue();

  // Reads one value and sets lngValueType to its type code (STRING when it cannot be read).
  ValueReading ValueOf(std::string_view strValueName, RegValueType& lngValueType);

  // Writes one value; refuses a value that does not fit its type code. True when it was written.
  bool ValueOf(std::string_view strValueName, RegValueType lngValueType, const RegValue& vntValue);

  // Creates (or opens) a subkey of the current key; the current key does not move.
  bool MakeKey(std::string_view strDirectory);

  // Deletes one subkey (on the NT family only one without subkeys).
  bool DeleteKey(std::string_view strName);

  // Deletes one subkey with everything below it. Refuses, deleting nothing, a name that is empty,
  // absolute, or has a part that is empty, "." or ".." (it would reach outside the current key).
  bool DeleteKeyExt(std::string_view strName);

  bool DeleteValue(std::string_view strName);

  // True when the running Windows is of the NT family.
  static bool IsWindowsNT();

 private:
  // An owned key handle closed through the active call table. Predefined roots are never closed.
  class Key {
   public:
    Key() = default;
    explicit Key(HKEY h) : h_(h) {}
    Key(Key&& other) noexcept : h_(other.Release()) {}
    Key& operator=(Key&& other) noexcept;
    ~Key();
    HKEY get() const { return h_; }
    explicit operator bool() const { return h_ != nullptr; }
    HKEY Release() { return std::exchange(h_, nullptr); }
    LONG Close();  // ERROR_SUCCESS, or the close's own code; empties the owner either way

   private:
    HKEY h_ = nullptr;
  };

  bool OpenKeyPath(std::string_view path, REGSAM rights);
  bool OpenAbsolute(const std::string& path, REGSAM rights);
  bool OpenRelative(const std::string& path, REGSAM rights);
  bool Reopen(REGSAM rights);
  void CloseCurrent();
  bool DeleteTree(HKEY parent, const std::string& name);

  std::string strCurrentKey_;
  Key hCurrentKey_;
};

// Records a registry call's Win32 result in the error record: 0 clears the record, any other code
// sets the source "EasyRegistry[API Call]" and its description. Returns code == 0.
bool ApiError(long code);

// Records one of the class's own refusals (1 to 4) in the error record.
void ClassError(int code);
