// What the benchmark programs that print ratios share: five repetitions
// unless the command line says otherwise, and a console reporter that also
// keeps each benchmark's median time (or its single time when it ran once),
// so a program can print ratios between benchmarks of the same run after
// they finish.
#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

namespace quintar {

// Initialises Google Benchmark; false after reporting an unknown flag.
bool InitializeBenchmarks(int argc, char** argv);

class TMedianReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& Runs) override;
  // Microseconds by benchmark name.
  const std::map<std::string, double>& Microseconds() const { return FMicroseconds; }

 private:
  std::map<std::string, double> FMicroseconds;
};

// Runs the registered benchmarks, printing each, and returns their median
// microseconds by name for the ratios printed after them.
std::map<std::string, double> RunBenchmarks();

}  // namespace quintar
