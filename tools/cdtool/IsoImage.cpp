#ifndef _WIN32
#include "tools/cdtool/IsoImage.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

#include "tools/cdtool/Console.h"

namespace cdtool {

namespace {

// Runs a program with its output (stdout and stderr) collected; false with
// error set when it cannot be started or does not end with status 0.
bool RunCollecting(const std::vector<std::string>& args, std::string& output, std::string& error) {
  std::vector<char*> argv;
  for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  int pipeEnds[2];
  if (pipe(pipeEnds) != 0) {
    error = std::string("cannot start ") + args[0] + ": " + std::strerror(errno);
    return false;
  }
  const pid_t child = fork();
  if (child == 0) {
    dup2(pipeEnds[1], STDOUT_FILENO);
    dup2(pipeEnds[1], STDERR_FILENO);
    close(pipeEnds[0]);
    close(pipeEnds[1]);
    execvp(argv[0], argv.data());
    _exit(127);
  }
  close(pipeEnds[1]);
  if (child < 0) {
    close(pipeEnds[0]);
    error = std::string("cannot start ") + args[0] + ": " + std::strerror(errno);
    return false;
  }
  char buffer[4096];
  for (;;) {
    const ssize_t got = read(pipeEnds[0], buffer, sizeof buffer);
    if (got > 0) output.append(buffer, static_cast<std::size_t>(got));
    else if (got == 0 || errno != EINTR) break;
  }
  close(pipeEnds[0]);
  int status = 0;
  while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  if (WIFEXITED(status) && WEXITSTATUS(status) == 0) return true;
  if (WIFEXITED(status) && WEXITSTATUS(status) == 127)
    error = args[0] + " could not be run (is Debian's " + args[0] + " package installed?)";
  else
    error = args[0] + " failed";
  return false;
}

}  // namespace

bool WriteIsoImage(const std::filesystem::path& discFolder, const std::filesystem::path& image,
                   const std::string& volumeLabel, std::string& error) {
  // Names on the disc folders are UTF-8 whatever the locale says; Joliet
  // allows names of up to 103 characters with this compliance setting.
  const std::vector<std::string> args = {"xorriso",      "-report_about", "SORRY",   "-abort_on",
                                         "FAILURE",      "-local_charset", "UTF-8",  "-outdev",
                                         image.native(), "-volid",         volumeLabel, "-joliet",
                                         "on",           "-compliance",    "joliet_long_names", "-map",
                                         discFolder.native(), "/"};
  std::string output;
  if (RunCollecting(args, output, error)) return true;
  PrintError(output);  // xorriso's own account of what went wrong
  return false;
}

}  // namespace cdtool
#endif
