#pragma once

#include <cfenv>

// Scanner drivers run inside the program and may compute with floating point in ways the
// program's own settings would trap: while a guard lives, every floating-point exception is
// masked and rounding is to nearest; the program's environment returns when it ends.
class TFloatingPointGuard {
 public:
  TFloatingPointGuard() {
    std::feholdexcept(&FSaved);
    std::fesetround(FE_TONEAREST);
  }
  ~TFloatingPointGuard() { std::fesetenv(&FSaved); }
  TFloatingPointGuard(const TFloatingPointGuard&) = delete;
  TFloatingPointGuard& operator=(const TFloatingPointGuard&) = delete;

 private:
  std::fenv_t FSaved;
};
