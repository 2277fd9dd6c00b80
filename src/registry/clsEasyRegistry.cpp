// clsEasyRegistry: moves through the registry by path and reads, writes, creates and deletes on
// the current key. Every registry call goes through win::Calls<RegistryApi>() and is recorded in Err().
#include "registry/clsEasyRegistry.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <new>
#include <stdexcept>

#include "platform/Failure.h"
#include "platform/Wow64.h"
#include "registry/RegistryApi.h"
#include "registry/RegistryPath.h"
#include "registry/RegistryText.h"

#include "platform/Locale.h"  // UserThousandsSeparator
#include "platform/Text.h"    // TrimBlanks

namespace {

const RegistryApi& Api() { return win::Calls<RegistryApi>(); }

// A 32-bit build under WOW64 works on the keys the system itself uses (its 64-bit view), as the
// 64-bit build does; elsewhere the rights stay as they are.
REGSAM Viewed(REGSAM rights) { return rights | RegistryView(); }

// The predefined key of a root name (kRootNames, in its order); null for any other name.
HKEY RootKeyOf(std::string_view rootName) {
  static const std::array<HKEY, kRootNames.size()> keys = {HKEY_CLASSES_ROOT, HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE,
                                                           HKEY_USERS,        HKEY_DYN_DATA,     HKEY_CURRENT_CONFIG};
  const auto at = std::find(kRootNames.begin(), kRootNames.end(), rootName);
  return at == kRootNames.end() ? nullptr : keys[static_cast<size_t>(at - kRootNames.begin())];
}

// Opening a root with an empty sub-path hands back the predefined handle itself; closing that
// would only drop Windows' cached key, so it is left alone.
bool IsPredefined(HKEY key) {
  const auto value = reinterpret_cast<ULONG_PTR>(key);
  const auto first = reinterpret_cast<ULONG_PTR>(HKEY_CLASSES_ROOT);
  return value >= first && value < first + 0x100;
}

// The path as the user's code page upper-cases it (the rest of the path syntax is portable).
std::string UpperCase(std::string_view path) {
  std::string upper(path);
  if (!upper.empty()) CharUpperBuffA(upper.data(), static_cast<DWORD>(upper.size()));
  return upper;
}

RegValueType TypeCodeOf(DWORD registryType) {
  switch (registryType) {
    case REG_BINARY:
      return RegValueType::BINARY;
    case REG_DWORD:
      return RegValueType::DWORD;
    default:
      return RegValueType::STRING;
  }
}

// Records the outcome of a call pair (open a new handle, then close the old one) so that a failed
// open is what stays in the record, not the close's success that follows it.
void RecordOpenThenClose(LONG openResult, LONG closeResult) {
  ApiError(openResult != ERROR_SUCCESS ? openResult : closeResult);
}

// Copies at most `capacity` of the `reported` characters: a length is trusted only after a
// successful call, and even then never beyond the buffer.
size_t Clamp(DWORD reported, size_t capacity) { return std::min<size_t>(reported, capacity); }

// The data as the type code's text, for a listing row.
ValueRow ListingRow(std::string name, DWORD registryType, std::span<const uint8_t> data, const std::string& separator) {
  ValueRow row{std::move(name), {}, {}};
  if (data.empty()) return row;
  switch (TypeCodeOf(registryType)) {
    case RegValueType::BINARY:
      row.type = "1";
      row.data = BinaryText(data);
      break;
    case RegValueType::DWORD:
      row.type = "2";
      row.data = DwordListingText(data, separator);
      break;
    case RegValueType::STRING:
      row.type = "0";
      row.data = StringText(data);
      break;
  }
  return row;
}

// The value's bytes as the registry wants them for its type code; nullopt when they do not fit.
struct Encoded {
  DWORD registryType;
  std::vector<uint8_t> data;
};

std::optional<Encoded> Encode(RegValueType type, const RegValue& value) {
  switch (type) {
    case RegValueType::STRING:
      if (const auto* text = std::get_if<std::string>(&value)) {
        Encoded encoded{REG_SZ, std::vector<uint8_t>(text->begin(), text->end())};
        encoded.data.push_back(0);
        return encoded;
      }
      return std::nullopt;
    case RegValueType::BINARY:
      if (const auto* bytes = std::get_if<std::vector<uint8_t>>(&value)) return Encoded{REG_BINARY, *bytes};
      return std::nullopt;
    case RegValueType::DWORD:
      if (const auto* number = std::get_if<double>(&value)) {
        const double n = *number;
        if (!(n >= 0 && n <= 4294967295.0) || std::floor(n) != n) return std::nullopt;
        const auto whole = static_cast<uint32_t>(n);
        return Encoded{REG_DWORD,
                       {static_cast<uint8_t>(whole), static_cast<uint8_t>(whole >> 8),
                        static_cast<uint8_t>(whole >> 16), static_cast<uint8_t>(whole >> 24)}};
      }
      return std::nullopt;
  }
  return std::nullopt;
}

bool IsKnownType(RegValueType type) {
  return type == RegValueType::STRING || type == RegValueType::BINARY || type == RegValueType::DWORD;
}

}  // namespace

bool ApiError(long code) {
  ErrorRecord& record = Err();
  if (code == ERROR_SUCCESS) {
    record.Clear();
    return true;
  }
  record.source = kApiErrorSource;
  record.description = ApiErrorDescription(code);
  return false;
}

void ClassError(int code) {
  ErrorRecord& record = Err();
  record.source = code == 3 || code == 4 ? kLetValueOfSource : kClassErrorSource;
  record.description = ClassErrorDescription(code);
}

// --- Key ---

clsEasyRegistry::Key& clsEasyRegistry::Key::operator=(Key&& other) noexcept {
  if (this != &other) {
    Close();
    h_ = other.Release();
  }
  return *this;
}

clsEasyRegistry::Key::~Key() { Close(); }

LONG clsEasyRegistry::Key::Close() {
  const HKEY key = Release();
  if (key == nullptr || IsPredefined(key)) return ERROR_SUCCESS;
  return Api().CloseKey(key);
}

// --- moving ---

clsEasyRegistry::~clsEasyRegistry() {
  if (!strCurrentKey_.empty() && hCurrentKey_) ApiError(hCurrentKey_.Close());
}

void clsEasyRegistry::CloseCurrent() {
  if (hCurrentKey_) ApiError(hCurrentKey_.Close());
}

bool clsEasyRegistry::Cd(std::string_view strDirectory) { return OpenKeyPath(strDirectory, kRightsQuery); }

bool clsEasyRegistry::OpenKeyPath(std::string_view path, REGSAM rights) {
  PathMove move = ClassifyPath(NormalizePath(UpperCase(path)), strCurrentKey_);
  switch (move.kind) {
    case PathKind::Top:
      CloseCurrent();
      strCurrentKey_.clear();
      return true;
    case PathKind::Parent:
      if (strCurrentKey_.empty()) {
        ClassError(1);
        return false;
      }
      return OpenKeyPath(ParentCut(strCurrentKey_), rights);
    case PathKind::Self:
      return Reopen(rights);
    case PathKind::Absolute:
      return OpenAbsolute(move.path, rights);
    case PathKind::Relative:
      return OpenRelative(move.path, rights);
  }
  return false;
}

bool clsEasyRegistry::OpenAbsolute(const std::string& path, REGSAM rights) {
  CloseCurrent();
  strCurrentKey_ = path;
  const RootAndSubPath parts = SplitAbsolutePath(path);
  const HKEY root = RootKeyOf(parts.root);
  if (root == nullptr) {
    ClassError(2);
    return false;
  }
  HKEY opened = nullptr;
  const LONG result = Api().OpenKeyEx(root, parts.subPath.c_str(), 0, Viewed(rights), &opened);
  if (result == ERROR_SUCCESS) hCurrentKey_ = Key(opened);
  return ApiError(result);
}

bool clsEasyRegistry::OpenRelative(const std::string& path, REGSAM rights) {
  std::string target = strCurrentKey_ + "\\" + path;
  // Below a key that could not be opened there is no handle to open from: resolve the whole path,
  // which also names the real reason (a missing key, an unknown root).
  if (!hCurrentKey_) return OpenAbsolute(target, rights);
  HKEY opened = nullptr;
  const LONG openResult = Api().OpenKeyEx(hCurrentKey_.get(), path.c_str(), 0, Viewed(rights), &opened);
  Key next(openResult == ERROR_SUCCESS ? opened : nullptr);
  const LONG closeResult = hCurrentKey_.Close();
  hCurrentKey_ = std::move(next);
  strCurrentKey_ = std::move(target);
  RecordOpenThenClose(openResult, closeResult);
  return openResult == ERROR_SUCCESS;
}

// A second handle to the current key with other rights. A member whose reopen fails stops there,
// so nothing is ever called on a null key; a key that could not be opened is looked up again.
bool clsEasyRegistry::Reopen(REGSAM rights) {
  if (strCurrentKey_.empty()) {
    ClassError(1);
    return false;
  }
  if (!hCurrentKey_) return OpenAbsolute(strCurrentKey_, rights);
  HKEY opened = nullptr;
  const LONG openResult = Api().OpenKeyEx(hCurrentKey_.get(), nullptr, 0, Viewed(rights), &opened);
  Key next(openResult == ERROR_SUCCESS ? opened : nullptr);
  const LONG closeResult = hCurrentKey_.Close();
  hCurrentKey_ = std::move(next);
  RecordOpenThenClose(openResult, closeResult);
  return openResult == ERROR_SUCCESS;
}

// --- listing ---

std::optional<std::vector<std::string>> clsEasyRegistry::DirKey() {
  if (strCurrentKey_.empty()) return std::vector<std::string>(kRootNames.begin(), kRootNames.end());
  try {
    if (!Reopen(kRightsEnumerate)) return std::nullopt;
    char className[1024];
    DWORD classLength = sizeof className;
    DWORD subKeys = 0, longestSubKey = 0, longestClass = 0, values = 0, longestName = 0, longestData = 0,
          securitySize = 0;
    FILETIME written{};
    const LONG info = Api().QueryInfoKey(hCurrentKey_.get(), className, &classLength, nullptr, &subKeys, &longestSubKey,
                                         &longestClass, &values, &longestName, &longestData, &securitySize, &written);
    if (!ApiError(info) || subKeys < 1) return std::nullopt;

    std::vector<std::string> names;
    names.reserve(subKeys);
    for (DWORD index = 0; index < subKeys; ++index) {
      char name[1024];
      char keyClass[1024];
      std::fill(std::begin(name), std::end(name), ' ');
      std::fill(std::begin(keyClass), std::end(keyClass), ' ');
      DWORD nameLength = sizeof name;
      DWORD keyClassLength = sizeof keyClass;
      const LONG result =
          Api().EnumKeyEx(hCurrentKey_.get(), index, name, &nameLength, nullptr, keyClass, &keyClassLength, &written);
      names.emplace_back(ApiError(result) ? std::string(name, Clamp(nameLength, sizeof name)) : std::string());
    }
    return names;
  } catch (const std::bad_alloc&) {
    ApiError(ERROR_OUTOFMEMORY);
    return std::vector<std::string>{};
  }
}

std::optional<std::vector<ValueRow>> clsEasyRegistry::DirValue() {
  if (strCurrentKey_.empty()) return std::nullopt;
  try {
    if (!Reopen(kRightsQuery)) return std::nullopt;
    DWORD subKeys = 0, longestSubKey = 0, longestClass = 0, values = 0, longestName = 0, longestData = 0,
          securitySize = 0;
    char className[1024];
    DWORD classLength = sizeof className;
    FILETIME written{};
    const LONG info = Api().QueryInfoKey(hCurrentKey_.get(), className, &classLength, nullptr, &subKeys, &longestSubKey,
                                         &longestClass, &values, &longestName, &longestData, &securitySize, &written);
    if (!ApiError(info) || values < 1) return std::nullopt;

    const size_t size = std::min<size_t>(size_t{longestName} + longestData + 1, MAXDWORD - 1);
    std::string name(size, ' ');
    std::vector<uint8_t> data(size + 1, 0);
    const std::string separator = UserThousandsSeparator();
    std::vector<ValueRow> rows;
    rows.reserve(values);
    for (DWORD index = 0; index < values; ++index) {
      DWORD nameLength = static_cast<DWORD>(size);
      DWORD dataLength = static_cast<DWORD>(size);
      DWORD type = REG_NONE;
      const LONG result = Api().EnumValue(hCurrentKey_.get(), index, name.data(), &nameLength, nullptr, &type,
                                          data.data(), &dataLength);
      if (!ApiError(result)) {
        rows.emplace_back();  // a row that could not be read stays empty
        continue;
      }
      rows.push_back(ListingRow(name.substr(0, Clamp(nameLength, size)), type,
                                std::span<const uint8_t>(data.data(), Clamp(dataLength, size)), separator));
    }
    return rows;
  } catch (const std::bad_alloc&) {
    ApiError(ERROR_OUTOFMEMORY);
    return std::vector<ValueRow>{};
  } catch (const std::length_error&) {
    ApiError(ERROR_OUTOFMEMORY);
    return std::vector<ValueRow>{};
  }
}

// --- values ---

ValueReading clsEasyRegistry::ValueOf(std::string_view strValueName, RegValueType& lngValueType) {
  lngValueType = RegValueType::STRING;
  ValueReading reading;
  try {
    if (!Reopen(kRightsQuery)) return reading;
    const std::string name(strValueName);
    DWORD type = REG_NONE;
    DWORD length = 0;
    if (!ApiError(Api().QueryValueEx(hCurrentKey_.get(), name.c_str(), nullptr, &type, nullptr, &length))) {
      return reading;
    }
    std::vector<uint8_t> data(length, ' ');
    if (length > 0) {
      DWORD got = length;
      // A value that grew since the size query fails here (more data): nothing of it is used.
      if (!ApiError(Api().QueryValueEx(hCurrentKey_.get(), name.c_str(), nullptr, &type, data.data(), &got))) {
        return reading;
      }
      data.resize(Clamp(got, data.size()));
    }
    lngValueType = TypeCodeOf(type);
    if (data.empty()) return reading;

    switch (lngValueType) {
      case RegValueType::BINARY:
        reading.text = BinaryText(data);
        reading.bytes = std::move(data);
        break;
      case RegValueType::DWORD:
        reading.text = DwordText(data);
        reading.number = DwordNumber(data);
        reading.bytes = std::move(data);
        break;
      case RegValueType::STRING:
        reading.text = StringText(data);
        // An empty string still reads as one byte, its NUL.
        reading.bytes = reading.text.empty() ? std::vector<uint8_t>{0}
                                             : std::vector<uint8_t>(reading.text.begin(), reading.text.end());
        break;
    }
    return reading;
  } catch (const std::bad_alloc&) {
    ApiError(ERROR_OUTOFMEMORY);
    lngValueType = RegValueType::STRING;
    return ValueReading{};
  }
}

bool clsEasyRegistry::ValueOf(std::string_view strValueName, RegValueType lngValueType, const RegValue& vntValue) {
  if (!IsKnownType(lngValueType)) {
    ClassError(4);
    return false;
  }
  const std::optional<Encoded> encoded = Encode(lngValueType, vntValue);
  if (!encoded || encoded->data.size() > MAXDWORD) {
    ClassError(3);
    return false;
  }
  if (!Reopen(kRightsSet)) return false;
  const std::string name(strValueName);
  return ApiError(Api().SetValueEx(hCurrentKey_.get(), name.c_str(), 0, encoded->registryType, encoded->data.data(),
                                   static_cast<DWORD>(encoded->data.size())));
}

// --- keys ---

bool clsEasyRegistry::MakeKey(std::string_view strDirectory) {
  if (!Reopen(kRightsCreate)) return false;
  const std::string name(strDirectory);
  char noClass[] = "";
  SECURITY_ATTRIBUTES security{};  // every field 0: the default security
  HKEY created = nullptr;
  DWORD disposition = 0;
  const LONG result = Api().CreateKeyEx(hCurrentKey_.get(), name.c_str(), 0, noClass, REG_OPTION_NON_VOLATILE,
                                        Viewed(KEY_ALL_ACCESS), &security, &created, &disposition);
  if (!ApiError(result)) return false;
  return ApiError(Key(created).Close());
}

bool clsEasyRegistry::DeleteKey(std::string_view strName) {
  if (!Reopen(kRightsSet)) return false;
  const std::string name(strName);
  return ApiError(Api().DeleteKey(hCurrentKey_.get(), name.c_str()));
}

bool clsEasyRegistry::DeleteValue(std::string_view strName) {
  if (!Reopen(kRightsSet)) return false;
  const std::string name(strName);
  return ApiError(Api().DeleteValue(hCurrentKey_.get(), name.c_str()));
}

bool clsEasyRegistry::DeleteKeyExt(std::string_view strName) {
  // The name as the path syntax reads it (blanks and one trailing "\" go), checked before anything
  // is touched: only a subkey of the current key may be deleted.
  std::string name = TrimBlanks(strName);
  if (name.size() > 1 && name.back() == '\\') name.pop_back();
  if (!StaysBelowCurrentKey(name)) {
    ApiError(ERROR_INVALID_PARAMETER);
    return false;
  }
  if (!Reopen(kRightsSet)) return false;  // also refuses at the top level: there is no key to delete below
  try {
    // On the NT family the registry deletes only childless keys: the leaves go before their parents.
    if (IsWindowsNT()) return DeleteTree(hCurrentKey_.get(), name);
    return ApiError(Api().DeleteKey(hCurrentKey_.get(), name.c_str()));
  } catch (const std::bad_alloc&) {
    ApiError(ERROR_OUTOFMEMORY);
    return false;
  }
}

// Deletes `name` below `parent` depth first. Subkeys are addressed by the exact names the
// registry reports, never through the path syntax, so no other key can be reached by them.
bool clsEasyRegistry::DeleteTree(HKEY parent, const std::string& name) {
  HKEY opened = nullptr;
  if (!ApiError(Api().OpenKeyEx(parent, name.c_str(), 0, Viewed(kRightsEnumerate), &opened))) return false;
  Key key(opened);

  std::vector<std::string> children;  // all names first: deleting shifts the enumeration
  for (DWORD index = 0;; ++index) {
    char child[1024] = {};
    DWORD childLength = sizeof child;
    FILETIME written{};
    const LONG result = Api().EnumKeyEx(key.get(), index, child, &childLength, nullptr, nullptr, nullptr, &written);
    if (result == ERROR_NO_MORE_ITEMS) break;
    if (!ApiError(result)) return false;
    children.emplace_back(child, Clamp(childLength, sizeof child));
  }
  for (const std::string& child : children) {
    if (!DeleteTree(key.get(), child)) return false;  // keeps the first failure's description
  }
  const LONG closed = key.Close();
  if (closed != ERROR_SUCCESS) return ApiError(closed);
  return ApiError(Api().DeleteKey(parent, name.c_str()));
}

bool clsEasyRegistry::IsWindowsNT() {
  OSVERSIONINFOA version{};
  version.dwOSVersionInfoSize = sizeof version;  // 148
  return Api().GetVersionEx(&version) && version.dwPlatformId == VER_PLATFORM_WIN32_NT;
}
