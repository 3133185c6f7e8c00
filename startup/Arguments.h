// The program's command-line arguments, read by the installer's own rule:
// runs of characters with codes 1 to 32 separate arguments; a double quote
// switches grouping on or off and is itself removed; an empty pair of quotes
// gives no argument; there is no escape character, so "E:\" between double
// quotes reads back as E:\. Argument 0 is the program itself.
#pragma once
#include <string>
#include <vector>

#include "deploy/DeployOptions.h"

namespace startup {

// Every argument of the command line, argument 0 first.
std::vector<std::string> SplitArguments(const std::string& commandLine);

// Argument index of the command line; a missing argument reads as "".
std::string ParamStr(const std::string& commandLine, std::size_t index);

// The parameters that start the relocated copy: both arguments in double
// quotes, so that blanks stay inside them, separated by one blank.
std::string BuildRelaunchParameters(const std::string& argument1, const std::string& argument2);

// Reads the switches of the command line (every argument after argument 0)
// into options, as deploy::ParseSwitches does; false with error when they
// are refused.
bool ReadSwitches(const std::string& commandLine, deploy::DeployOptions& options, std::string& error);

// Whether the command line asks for an install without windows or questions
// (/SILENT or /VERYSILENT, in any letter case), read even when other switches
// are refused: a report of such a start must not wait for a click.
bool AsksForSilence(const std::string& commandLine);

}  // namespace startup
