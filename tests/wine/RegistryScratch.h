// Raw registry helpers that check what the code under test stored without going through it, and
// a fixture that gives each test its own scratch key under HKEY_CURRENT_USER\Software\OkuTest.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/Failure.h"

namespace raw {

using Bytes = std::vector<uint8_t>;
struct Value {
  DWORD type;
  Bytes data;
  bool operator==(const Value&) const = default;
};

inline Bytes B(std::string_view text) { return Bytes(text.begin(), text.end()); }
inline Bytes Sz(std::string_view text) { return B(std::string(text) + '\0'); }  // REG_SZ data
template <size_t N>
std::string T(const char (&literal)[N]) {  // T("a\0b") keeps its inner NUL
  return std::string(literal, N - 1);
}

// Opens "\HKEY_LOCAL_MACHINE\A\B\" (or HKEY_CURRENT_USER); null when it cannot.
inline HKEY Open(std::string_view path, REGSAM rights = KEY_ALL_ACCESS, bool create = false) {
  path.remove_prefix(1);
  const HKEY root = path.starts_with("HKEY_LOCAL_MACHINE") ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
  std::string sub(path.substr(path.find('\\') + 1));
  if (sub.ends_with('\\')) sub.pop_back();
  HKEY key = nullptr;
  const LONG result = create ? RegCreateKeyExA(root, sub.c_str(), 0, nullptr, 0, rights, nullptr, &key, nullptr)
                             : RegOpenKeyExA(root, sub.c_str(), 0, rights, &key);
  return result == ERROR_SUCCESS ? key : nullptr;
}
inline bool Exists(std::string_view path) { return RegCloseKey(Open(path, KEY_READ)) == ERROR_SUCCESS; }
inline void MakeKey(std::string_view path) { RegCloseKey(Open(path, KEY_ALL_ACCESS, true)); }
inline void DeleteTree(std::string_view path) {
  const HKEY key = Open(path);
  RegDeleteTreeA(key, nullptr);
  RegDeleteKeyExA(key, "", 0, 0);  // the key itself
  RegCloseKey(key);
}

inline void Set(std::string_view path, std::string_view name, DWORD type, const Bytes& data) {
  const HKEY key = Open(path, KEY_ALL_ACCESS, true);
  EXPECT_EQ(RegSetValueExA(key, std::string(name).c_str(), 0, type, data.data(), static_cast<DWORD>(data.size())),
            ERROR_SUCCESS)
      << path;
  RegCloseKey(key);
}
inline void DeleteValue(std::string_view path, std::string_view name) {
  const HKEY key = Open(path);
  RegDeleteValueA(key, std::string(name).c_str());
  RegCloseKey(key);
}
inline std::optional<Value> Get(std::string_view path, std::string_view name) {
  const HKEY key = Open(path, KEY_QUERY_VALUE);
  Value value{};
  DWORD length = 0;
  LONG result = RegQueryValueExA(key, std::string(name).c_str(), nullptr, &value.type, nullptr, &length);
  value.data.resize(length);
  if (result == ERROR_SUCCESS) {
    result = RegQueryValueExA(key, std::string(name).c_str(), nullptr, &value.type, value.data.data(), &length);
  }
  RegCloseKey(key);
  if (result != ERROR_SUCCESS) return std::nullopt;
  value.data.resize(length);
  return value;
}

}  // namespace raw

class RegistryScratch : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    path_ = std::string("\\HKEY_CURRENT_USER\\Software\\OkuTest\\") + test->test_suite_name() + "." + test->name();
    raw::DeleteTree(path_);  // a leftover of an interrupted run
    raw::MakeKey(path_);
    Err().Clear();
  }
  void TearDown() override {
    raw::DeleteTree(path_);
    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\OkuTest");  // fails while another test's key is left
  }
  std::string Path(std::string_view below = {}) const {
    return below.empty() ? path_ : path_ + "\\" + std::string(below);
  }
  std::string Upper(std::string_view below = {}) const {  // as CurrentKey reads it back
    std::string upper = Path(below);
    CharUpperBuffA(upper.data(), static_cast<DWORD>(upper.size()));
    return upper;
  }
  static std::string Recorded() {  // the class never moves the record's number from 0
    EXPECT_EQ(Err().number, 0);
    return Err().description;
  }

 private:
  std::string path_;
};
