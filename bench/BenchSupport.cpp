#include "BenchSupport.h"

namespace quintar {

bool InitializeBenchmarks(int argc, char** argv) {
  // Defaults first, so that the same flags given on the command line win.
  std::string Repetitions = "--benchmark_repetitions=5";
  std::vector<char*> Args = {argv[0], Repetitions.data()};
  Args.insert(Args.end(), argv + 1, argv + argc);
  int ArgCount = static_cast<int>(Args.size());
  benchmark::Initialize(&ArgCount, Args.data());
  return !benchmark::ReportUnrecognizedArguments(ArgCount, Args.data());
}

void TMedianReporter::ReportRuns(const std::vector<Run>& Runs) {
  for (const Run& Result : Runs) {
    const bool Median = Result.run_type == Run::RT_Aggregate && Result.aggregate_name == "median";
    const bool Single = Result.run_type == Run::RT_Iteration && Result.repetitions <= 1;
    if (Median || Single) FMicroseconds[Result.run_name.function_name] = Result.GetAdjustedRealTime();
  }
  ConsoleReporter::ReportRuns(Runs);
}

std::map<std::string, double> RunBenchmarks() {
  TMedianReporter Reporter;
  benchmark::RunSpecifiedBenchmarks(&Reporter);
  benchmark::Shutdown();
  return Reporter.Microseconds();
}

}  // namespace quintar
