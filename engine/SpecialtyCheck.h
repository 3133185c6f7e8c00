// One specialty node of the specialty tree as the disc plan reads it.
#pragma once
#include <string>

namespace engine {

struct SpecialtyCheck {
  std::string Standard, Specialty;
  bool Ticked = false;  // checked or partly checked
};

}  // namespace engine
