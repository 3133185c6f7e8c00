// One specialty node of the specialty tree as the disc plan reads it.
#pragma once
#include <string>

struct TSpecialtyCheck {
  std::string Standard, Specialty;
  bool Ticked = false;  // checked or partly checked
};
