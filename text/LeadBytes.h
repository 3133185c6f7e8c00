// Which bytes of an ANSI code page start a double-byte character. The
// system's code page decides: GBK on the systems the installer is made for,
// a single-byte code page (no lead bytes at all) on others. The platform
// installs the system's rule at start-up; the path helpers follow it.
#pragma once
#include <bitset>

namespace text {

class LeadBytes {
 public:
  // GBK (code page 936): every byte from 0x81 to 0xFE leads.
  static LeadBytes Gbk();
  // A single-byte code page (1252, ...): no byte leads.
  static LeadBytes SingleByte();
  // The rule of a code page that answers byte by byte.
  template <class IsLead>
  static LeadBytes FromTest(IsLead isLead) {
    LeadBytes rule;
    for (unsigned b = 0; b < 256; ++b) rule.lead_[b] = isLead(static_cast<unsigned char>(b));
    return rule;
  }

  bool operator()(unsigned char c) const { return lead_[c]; }
  bool operator==(const LeadBytes& other) const { return lead_ == other.lead_; }

 private:
  std::bitset<256> lead_;
};

// The rule of the system's ANSI code page; GBK until one is installed.
const LeadBytes& AnsiLeadBytes();
void SetAnsiLeadBytes(const LeadBytes& rule);

}  // namespace text
