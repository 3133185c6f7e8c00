// The command-line switches of unattended installs. A switch starts with
// "/", its name is matched without regard to letter case, and a value
// follows as /NAME=value: everything after the first "=" ("=" inside the
// value stays), with blanks kept when the whole argument is quoted
// ("/DIR=D:\My App"). The two positional arguments come first and keep
// their meaning.
#pragma once
#include <string>
#include <vector>

#include "deploy/DeployOptions.h"

namespace deploy {

// Reads the arguments after argument 0, as the command-line rule splits
// them. Arguments before the first switch are the positional ones (a third
// one is ignored, as it always was); after a switch only switches may
// follow. False with error (a text for the user, naming the argument) for an
// unknown switch, a value missing or given where none belongs, a switch
// given twice, a stray argument and a malformed /DISCS; options is then
// left as it was. /SILENT and /VERYSILENT together mean /VERYSILENT.
bool ParseSwitches(const std::vector<std::string>& arguments, DeployOptions& options, std::string& error);

// Whether name (any letter case, without "/") is one of the switches that
// carry a choice of the run: DIR, COMPONENTS, DISCS, SOURCE.
bool IsChoiceSwitch(const std::string& name);
// Reads such a switch with its value into options, as an answer file gives
// them. False with error for another name or a value that switch refuses.
bool ParseChoice(const std::string& name, const std::string& value, DeployOptions& options, std::string& error);

// The switches set in options, as the first launch passes them on after the
// two positional arguments of the relaunch: each switch one argument in
// double quotes, one blank between them, so that the relaunched copy reads
// back the same options. "" when no switch is set. A value cannot hold a
// double quote (the command line has no way to carry one); such a value
// raises std::invalid_argument.
std::string ForwardedSwitches(const DeployOptions& options);

}  // namespace deploy
