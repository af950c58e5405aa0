#pragma once
// Caps the process's address space a little above what it uses now, so that
// a large block cannot be had while the cap stands: a real allocation
// failure, not a simulated one. AddressSanitizer reserves terabytes of
// shadow memory and aborts instead of failing, so such tests are skipped
// there (`available()` is false).

#include <sys/resource.h>
#include <unistd.h>

#include <cstddef>
#include <fstream>

namespace tupalo {

class AddressSpaceCap {
 public:
  static constexpr bool available() {
#if defined(__SANITIZE_ADDRESS__)
    return false;
#else
    return true;
#endif
  }

  explicit AddressSpaceCap(std::size_t headroom) {
    if (!available() || getrlimit(RLIMIT_AS, &saved_) != 0) return;
    std::size_t pages = 0;
    std::ifstream("/proc/self/statm") >> pages;
    if (pages == 0) return;
    rlimit r = saved_;
    r.rlim_cur = pages * static_cast<std::size_t>(sysconf(_SC_PAGESIZE)) + headroom;
    active_ = setrlimit(RLIMIT_AS, &r) == 0;
  }
  ~AddressSpaceCap() {
    if (active_) setrlimit(RLIMIT_AS, &saved_);
  }
  AddressSpaceCap(const AddressSpaceCap&) = delete;
  AddressSpaceCap& operator=(const AddressSpaceCap&) = delete;

  bool active() const { return active_; }

 private:
  rlimit saved_{};
  bool active_ = false;
};

}  // namespace tupalo
