#pragma once
// Starting a program with an argument list (no shell) and polling it.

#include <sys/types.h>

#include <string>
#include <vector>

namespace tuparun {

// Starts `program` (a path, or a name looked up in PATH) with `args` after
// its name. Returns the child's process id, or -1 when it could not be
// started (missing, not executable); *error then holds the system's reason.
pid_t StartProgram(const std::string& program, const std::vector<std::string>& args,
                   std::string* error = nullptr);

// true once the child `pid` has ended (it is reaped then); false while it runs.
bool HasEnded(pid_t pid);

}  // namespace tuparun
