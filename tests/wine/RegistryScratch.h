// A scratch key of the test's own under HKEY_CURRENT_USER\Software\OkuTest, made before each test
// and removed with everything below it afterwards, plus raw registry helpers that check what the
// code under test stored without going through it.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/Failure.h"

namespace scratch {

using Bytes = std::vector<uint8_t>;

struct RawValue {
  DWORD type;
  Bytes data;
};

inline Bytes FromText(std::string_view text) { return Bytes(text.begin(), text.end()); }

// "a\0b" without the literal's own terminator.
template <size_t N>
std::string Text(const char (&literal)[N]) {
  return std::string(literal, N - 1);
}

class RegistryScratch : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    sub_ = std::string("Software\\OkuTest\\") + info->test_suite_name() + "." + info->name();
    RegDeleteTreeA(HKEY_CURRENT_USER, sub_.c_str());  // a leftover of an interrupted run
    MakeRaw("");
    path_ = "\\HKEY_CURRENT_USER\\" + sub_;
    Err().Clear();
  }

  void TearDown() override {
    RegDeleteTreeA(HKEY_CURRENT_USER, sub_.c_str());
    HKEY parent = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\OkuTest", 0, KEY_ALL_ACCESS, &parent) == ERROR_SUCCESS) {
      DWORD left = 0;
      RegQueryInfoKeyA(parent, nullptr, nullptr, nullptr, &left, nullptr, nullptr, nullptr, nullptr, nullptr,
                       nullptr, nullptr);
      RegCloseKey(parent);
      if (left == 0) RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\OkuTest");
    }
  }

  // The scratch key's path as the registry class takes it, optionally with a relative tail.
  std::string Path(std::string_view below = {}) const {
    return below.empty() ? path_ : path_ + "\\" + std::string(below);
  }

  // The same in upper case, as CurrentKey reads it back.
  std::string UpperPath(std::string_view below = {}) const {
    std::string upper = Path(below);
    CharUpperBuffA(upper.data(), static_cast<DWORD>(upper.size()));
    return upper;
  }

  std::string Sub(std::string_view below) const {
    return below.empty() ? sub_ : sub_ + "\\" + std::string(below);
  }

  void MakeRaw(std::string_view below) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, Sub(below).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                              nullptr),
              ERROR_SUCCESS);
    RegCloseKey(key);
  }

  void SetRaw(std::string_view below, const char* name, DWORD type, const Bytes& data) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, Sub(below).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                              nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueExA(key, name, 0, type, data.data(), static_cast<DWORD>(data.size())), ERROR_SUCCESS);
    RegCloseKey(key);
  }

  void SetRawText(std::string_view below, const char* name, std::string_view text) {
    Bytes data = FromText(text);
    data.push_back(0);
    SetRaw(below, name, REG_SZ, data);
  }

  std::optional<RawValue> GetRaw(std::string_view below, const char* name) const {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, Sub(below).c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) {
      return std::nullopt;
    }
    RawValue value{};
    DWORD length = 0;
    std::optional<RawValue> result;
    if (RegQueryValueExA(key, name, nullptr, &value.type, nullptr, &length) == ERROR_SUCCESS) {
      value.data.resize(length);
      if (RegQueryValueExA(key, name, nullptr, &value.type, value.data.data(), &length) == ERROR_SUCCESS) {
        value.data.resize(length);
        result = value;
      }
    }
    RegCloseKey(key);
    return result;
  }

  bool KeyExists(std::string_view below) const {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, Sub(below).c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
  }

  // The description and source now in the error record; its number must never move from 0.
  static std::string Recorded() {
    EXPECT_EQ(Err().number, 0);
    return Err().description;
  }

 private:
  std::string sub_;
  std::string path_;
};

}  // namespace scratch
