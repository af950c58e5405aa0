#pragma once
// The floor each pixel operation is measured against: its pixels copied once
// from one buffer into another, both kept between runs.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <vector>

namespace benchfloor {

inline void CopyPixels(benchmark::State& state, std::size_t pixels) {
  std::vector<std::uint32_t> from(pixels, 0xFF123456u), to(pixels, 0);
  for (auto _ : state) {
    std::memcpy(to.data(), from.data(), pixels * sizeof(std::uint32_t));
    benchmark::DoNotOptimize(to.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() *
                          static_cast<std::int64_t>(pixels * sizeof(std::uint32_t)));
}

}  // namespace benchfloor
