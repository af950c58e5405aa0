#include <benchmark/benchmark.h>

#include <QApplication>
#include <vector>

#include "bench/BenchApp.h"

namespace benchapp {

namespace {
std::vector<std::function<void()>>& cleanUps() {
  static std::vector<std::function<void()>> list;
  return list;
}
}  // namespace

void atShutdown(std::function<void()> cleanUp) { cleanUps().push_back(std::move(cleanUp)); }

}  // namespace benchapp

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  int qtArgc = 1;
  char* qtArgv[] = {argv[0], nullptr};
  QApplication app(qtArgc, qtArgv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  for (auto& cleanUp : benchapp::cleanUps()) cleanUp();
  return 0;
}
