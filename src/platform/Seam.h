// The one shape of every table of Windows calls that tests replace: a struct Api of function
// pointers or functions with a static Api::Real() that gives the real calls. Code calls through
// win::Calls<Api>(); a test installs fakes for a scope with win::ScopedCalls<Api>.
#pragma once

namespace win {

// The table in use (the real calls until a test replaces it). One user-interface thread.
template <class Api>
Api& Calls() {
  static Api api = Api::Real();
  return api;
}

// Installs `replacement` for the life of this object and puts the previous table back afterwards.
template <class Api>
class ScopedCalls {
 public:
  explicit ScopedCalls(const Api& replacement) : previous_(Calls<Api>()) { Calls<Api>() = replacement; }
  ~ScopedCalls() { Calls<Api>() = previous_; }
  ScopedCalls(const ScopedCalls&) = delete;
  ScopedCalls& operator=(const ScopedCalls&) = delete;

 private:
  Api previous_;
};

}  // namespace win
