#include "platform/Process.h"

#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

extern char** environ;

namespace tupalo {

namespace {

std::vector<pid_t>& abandoned() {
  static std::vector<pid_t> pids;
  return pids;
}

void reapAbandoned() {
  auto& pids = abandoned();
  for (auto it = pids.begin(); it != pids.end();) {
    int status = 0;
    const pid_t r = waitpid(*it, &status, WNOHANG);
    if (r == *it || (r < 0 && errno == ECHILD))
      it = pids.erase(it);
    else
      ++it;
  }
}

}  // namespace

int startProgram(const QString& program, const QStringList& args, pid_t* pid) {
  reapAbandoned();
  if (program.isEmpty()) return ENOENT;
  std::vector<QByteArray> words;
  words.push_back(program.toLocal8Bit());
  for (const QString& a : args) words.push_back(a.toLocal8Bit());
  std::vector<char*> argv;
  for (QByteArray& w : words) argv.push_back(w.data());
  argv.push_back(nullptr);

  posix_spawnattr_t attr;
  posix_spawnattr_init(&attr);
  posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETSID);
  const int err = posix_spawnp(pid, argv[0], nullptr, &attr, argv.data(), environ);
  posix_spawnattr_destroy(&attr);
  return err;
}

std::optional<int> pollProgram(pid_t pid) {
  reapAbandoned();
  int status = 0;
  const pid_t r = waitpid(pid, &status, WNOHANG);
  if (r == 0) return std::nullopt;
  if (r < 0) return -1;  // not our child any more: nothing to wait for
  if (WIFEXITED(status)) return WEXITSTATUS(status);
  return -1;
}

int programEndDescriptor(pid_t pid) {
#ifdef SYS_pidfd_open
  return int(syscall(SYS_pidfd_open, pid, 0));
#else
  (void)pid;
  return -1;
#endif
}

void abandonProgram(pid_t pid) { abandoned().push_back(pid); }

}  // namespace tupalo
