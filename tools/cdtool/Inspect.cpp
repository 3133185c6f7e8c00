// cdtool inspect: shows a CDFile.Dat or an Install.Dat.
#include <cstdio>
#include <sstream>

#include "catalogue/CatalogueFormat.h"
#include "tools/cdtool/Charset.h"
#include "tools/cdtool/CommandLine.h"
#include "tools/cdtool/Commands.h"
#include "tools/cdtool/Console.h"
#include "tools/cdtool/DiscFiles.h"
#include "tools/cdtool/Problems.h"
#include "text/AnsiText.h"

namespace cdtool {

namespace {

const char* const kHelp =
    "Usage: cdtool inspect FILE [--json]\n"
    "\n"
    "Shows a disc descriptor (CDFile.Dat: tag, disc label, and every pack with\n"
    "its standard, specialty, selected flag and disc labels) or a pending-disc\n"
    "file (Install.Dat: the labels of the discs still missing), telling the two\n"
    "apart by their contents. Texts are shown in the terminal's encoding; a byte\n"
    "that is no GBK character is shown as \\xNN.\n"
    "\n"
    "  --json   print the contents as one JSON object (UTF-8)\n"
    "\n"
    "Exit status: 0 shown, 1 the file is missing or malformed (the message\n"
    "gives the offset where reading failed), 2 bad usage.\n";

enum class FileKind { Descriptor, Pending };

std::string JsonString(const std::string& utf8) {
  std::string out = "\"";
  for (char c : utf8) {
    const unsigned char u = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (u < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", u);
      out += escaped;
    } else {
      out += c;
    }
  }
  return out + "\"";
}

std::string JsonLabels(const TCdLabels& labels) {
  std::string out = "[";
  for (std::size_t i = 0; i < labels.size(); ++i) out += (i ? ", " : "") + JsonString(ShowGbk(labels[i].Text()));
  return out + "]";
}

std::string ListLabels(const TCdLabels& labels) {
  if (labels.empty()) return "none";
  std::string out;
  for (std::size_t i = 0; i < labels.size(); ++i) out += (i ? ", " : "") + ShowGbk(labels[i].Text());
  return out;
}

std::string Quoted(const catalogue::LabelString& label) { return "\"" + ShowGbk(label.Text()) + "\""; }

std::string DescribeDescriptor(const std::string& file, std::size_t size, const TCdSignFile& d, std::size_t unread,
                               bool json) {
  std::ostringstream out;
  if (json) {
    out << "{\"file\": " << JsonString(file) << ", \"type\": \"CDFile.Dat\", \"size\": " << size
        << ", \"tag\": " << unsigned{d.Tag} << ", \"label\": " << JsonString(ShowGbk(d.Label.Text()))
        << ", \"packs\": [";
    for (std::size_t i = 0; i < d.Packs.size(); ++i) {
      const TCdPack& p = d.Packs[i];
      out << (i ? ", " : "") << "{\"standard\": " << JsonString(ShowGbk(p.Standard.Text()))
          << ", \"specialty\": " << JsonString(ShowGbk(p.Specialty.Text()))
          << ", \"selected\": " << (p.Selected ? "true" : "false") << ", \"labels\": " << JsonLabels(p.Labels) << "}";
    }
    out << "], \"unread_bytes\": " << unread << "}\n";
    return out.str();
  }
  out << file << ": disc descriptor (CDFile.Dat), " << size << " bytes\n"
      << "  tag " << unsigned{d.Tag} << ", disc label " << Quoted(d.Label) << ", " << d.Packs.size() << " packs\n";
  for (std::size_t i = 0; i < d.Packs.size(); ++i) {
    const TCdPack& p = d.Packs[i];
    out << "  pack " << i + 1 << ": " << Quoted(p.Standard) << " / " << Quoted(p.Specialty)
        << ", selected " << (p.Selected ? "yes" : "no") << ", discs " << ListLabels(p.Labels) << "\n";
  }
  if (unread) out << "  " << unread << " bytes after the last pack are not read\n";
  return out.str();
}

std::string DescribePending(const std::string& file, std::size_t size, const TCdLabels& labels, bool json) {
  std::ostringstream out;
  if (json) {
    out << "{\"file\": " << JsonString(file) << ", \"type\": \"Install.Dat\", \"size\": " << size
        << ", \"labels\": " << JsonLabels(labels) << "}\n";
  } else if (labels.empty()) {
    out << file << ": pending-disc file (Install.Dat), " << size << " bytes\n"
        << "  no disc pending: the pack is complete\n";
  } else {
    out << file << ": pending-disc file (Install.Dat), " << size << " bytes\n"
        << "  " << labels.size() << " discs pending: " << ListLabels(labels) << "\n";
  }
  return out.str();
}

void Print(const std::string& description, bool json) {
  if (json)
    PrintOutUtf8(description);
  else
    PrintOut(description);
}

}  // namespace

int RunInspect(const std::vector<std::string>& args) {
  const CommandLine line(args, {{"--json", false}});
  if (line.HelpRequested()) {
    PrintOut(kHelp);
    return kExitOk;
  }
  line.ExpectPositional(1, 1);
  const std::filesystem::path file = std::filesystem::u8path(line.Positional()[0]);
  const bool json = line.Has("--json");
  Problems problems;
  std::string bytes;
  if (std::filesystem::is_directory(file) || !ReadFileBytes(file, bytes)) {
    problems.Add(file, std::filesystem::exists(file) ? "cannot be read as a file" : "no such file");
    return problems.ExitStatus();
  }

  // An Install.Dat is exactly its count and its labels; a CDFile.Dat is at
  // least 261 bytes and almost never that. Anything else is read as a
  // descriptor unless its name says Install.Dat.
  TCdLabels pending;
  std::size_t pendingFail = 0;
  const bool pendingParsed = catalogue::ParsePendingLabels(bytes, pending, pendingFail);
  if (pendingParsed && catalogue::SerializePendingLabels(pending).size() == bytes.size()) {
    Print(DescribePending(ShowPath(file), bytes.size(), pending, json), json);
    return kExitOk;
  }
  TCdSignFile descriptor;
  std::size_t descriptorFail = 0;
  if (catalogue::ParseCatalogue(bytes, descriptor, descriptorFail)) {
    const std::size_t unread = bytes.size() - catalogue::SerializeCatalogue(descriptor).size();
    Print(DescribeDescriptor(ShowPath(file), bytes.size(), descriptor, unread, json), json);
    return kExitOk;
  }
  const bool namedPending = text::UpperAscii(file.filename().u8string()) == "INSTALL.DAT";
  if (namedPending && pendingParsed) {
    problems.Add(file, "malformed pending-disc file: " + std::to_string(bytes.size() - catalogue::SerializePendingLabels(pending).size()) +
                           " bytes after the last label");
  } else if (namedPending) {
    problems.Add(file, "malformed pending-disc file: reading failed at offset " + std::to_string(pendingFail) +
                           " (the file has " + std::to_string(bytes.size()) + " bytes)");
  } else {
    problems.Add(file, "malformed disc descriptor: reading failed at offset " + std::to_string(descriptorFail) +
                           " (the file has " + std::to_string(bytes.size()) + " bytes)");
  }
  return problems.ExitStatus();
}

}  // namespace cdtool
