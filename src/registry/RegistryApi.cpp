// The swappable table of registry calls.
#include "registry/RegistryApi.h"

namespace {

RegistryApi& Table() {
  static RegistryApi api;  // every member defaults to the real function
  return api;
}

}  // namespace

const RegistryApi& ActiveRegistryApi() { return Table(); }

ScopedRegistryApi::ScopedRegistryApi(const RegistryApi& api) : previous_(Table()) { Table() = api; }

ScopedRegistryApi::~ScopedRegistryApi() { Table() = previous_; }
