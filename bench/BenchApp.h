#pragma once
// The benchmarks' own main: one application object for the whole run, made
// before the first benchmark and destroyed after the last window it carries.

#include <functional>

namespace benchapp {

// Runs `cleanUp` after the benchmarks, while the application still exists:
// windows made by a benchmark are destroyed there, never by static
// destructors at exit, when the toolkit's own globals may be gone.
void atShutdown(std::function<void()> cleanUp);

}  // namespace benchapp
