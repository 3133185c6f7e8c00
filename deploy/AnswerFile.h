// Answer files: the choices of a run, written by /SAVEINF and read back by
// /LOADINF. An INI file in the ANSI code page, as Windows' own profile
// files are, whose keys are the switches that carry the choices:
//
//   [Setup]
//   Dir=D:\Tavrin
//   Components=国标\土建,浙江省标\市政
//   Discs=CD2=F:\;CD3=D:\discs\CD3
//   Source=D:\discs
//
// Keys and section names are matched without regard to letter case; a value
// may stand in double quotes; lines starting with ";" are comments; other
// sections are passed over.
#pragma once
#include <string>

#include "deploy/DeployOptions.h"
#include "platform/Platform.h"

namespace deploy {

// The file's text for the choices in answers (Dir, Components, Discs,
// DiscSetFolder; the other fields are not choices and are not written).
std::string AnswerFileText(const DeployOptions& answers);

// Reads a file's text into the choice fields of answers. False with error
// naming the line for a line that is no section, key or comment, an unknown
// key, a key given twice and a value its switch refuses; answers is then
// left as it was.
bool ParseAnswerFile(const std::string& text, DeployOptions& answers, std::string& error);

// The same with the file at path; a file that cannot be read or written is
// an error too.
bool SaveAnswerFile(platform::Platform& platform, const std::string& path, const DeployOptions& answers,
                    std::string& error);
bool LoadAnswerFile(platform::Platform& platform, const std::string& path, DeployOptions& answers,
                    std::string& error);

// Gives options every choice of answers that its own switches did not give:
// the command line wins over the file.
void ApplyAnswers(DeployOptions& options, const DeployOptions& answers);

}  // namespace deploy
