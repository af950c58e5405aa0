#pragma once
// Starting programs without a shell and watching them end. The program gets
// exactly the arguments given, each as one word of its argv, whatever
// characters they hold. Programs run in a session of their own, so one the
// editor stops waiting for, or one that outlives the editor, goes on running.

#include <sys/types.h>

#include <QString>
#include <QStringList>
#include <optional>

namespace tupalo {

// Starts `program` (a path, or a name looked up on the PATH) with `args`.
// 0 with *pid set, or the errno of the failure (ENOENT for a missing program,
// EACCES for one that may not be run).
int startProgram(const QString& program, const QStringList& args, pid_t* pid);

// How a started program ended: its exit code, or -1 when a signal ended it.
// nullopt while it runs. Call until it returns a value; the process is then
// gone and its pid must not be polled again.
std::optional<int> pollProgram(pid_t pid);

// A descriptor that becomes readable when the program ends (Linux pidfd), or
// -1 where the system has none; the caller closes it.
int programEndDescriptor(pid_t pid);

// The editor no longer waits for `pid`: it is reaped whenever a later program
// is started or polled, so that it leaves no zombie behind.
void abandonProgram(pid_t pid);

}  // namespace tupalo
