#include "launcher/Spawn.h"

#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>
#include <csignal>
#include <cstring>

extern char** environ;

namespace tuparun {

pid_t StartProgram(const std::string& program, const std::vector<std::string>& args,
                   std::string* error) {
  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(program.c_str()));
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);

  // The program starts with the signals as a fresh process has them, whatever
  // the toolkit did to ours.
  posix_spawnattr_t attr;
  posix_spawnattr_init(&attr);
  sigset_t none, all;
  sigemptyset(&none);
  sigfillset(&all);
  posix_spawnattr_setsigmask(&attr, &none);
  posix_spawnattr_setsigdefault(&attr, &all);
  posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);

  pid_t pid = -1;
  // An exec that fails comes back as the result here, not as a child that
  // ends at once.
  const int rc = posix_spawnp(&pid, program.c_str(), nullptr, &attr, argv.data(), environ);
  posix_spawnattr_destroy(&attr);
  if (rc != 0) {
    if (error) *error = std::strerror(rc);
    return -1;
  }
  return pid;
}

bool HasEnded(pid_t pid) {
  int status = 0;
  for (;;) {
    const pid_t r = waitpid(pid, &status, WNOHANG);
    if (r == 0) return false;
    if (r == -1 && errno == EINTR) continue;
    // Ended and reaped, or no such child any more.
    return true;
  }
}

}  // namespace tuparun
