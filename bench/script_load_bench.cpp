// Loading script files as the library's load command does: a 100000-row script (the most
// the table takes) and a file of ten times as many rows, of which only the first 100000
// are read. The files are written once to a temporary folder.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "storage/script_file.h"

namespace tappomat {
namespace {

std::filesystem::path ScriptWithRows(int rows) {
  const std::filesystem::path file = std::filesystem::temp_directory_path() /
                                     ("tappomat-bench-" + std::to_string(::getpid()) + "-" +
                                      std::to_string(rows) + ".tps");
  if (!std::filesystem::exists(file)) {
    std::ofstream out(file, std::ios::binary);
    out << "[Script]\r\ncount=" << rows << "\r\n";
    for (int n = 1; n <= rows; ++n) {
      out << 'X' << n << '=' << n % 1920 << "\r\nY" << n << '=' << n % 1080 << "\r\nKey" << n
          << "=0\r\nDelay" << n << "=300\r\n";
    }
  }
  return file;
}

void BM_LoadScript(benchmark::State& state) {
  const std::filesystem::path file = ScriptWithRows(static_cast<int>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(LoadScript(file));
  state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(file));
  std::filesystem::remove(file);
}
BENCHMARK(BM_LoadScript)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tappomat
