#include "text/LeadBytes.h"

namespace text {

namespace {
LeadBytes& Installed() {
  static LeadBytes rule = LeadBytes::Gbk();
  return rule;
}
}  // namespace

LeadBytes LeadBytes::Gbk() {
  return FromTest([](unsigned char c) { return c >= 0x81 && c <= 0xFE; });
}

LeadBytes LeadBytes::SingleByte() { return LeadBytes(); }

const LeadBytes& AnsiLeadBytes() { return Installed(); }

void SetAnsiLeadBytes(const LeadBytes& rule) { Installed() = rule; }

}  // namespace text
