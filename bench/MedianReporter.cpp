#include "MedianReporter.h"

namespace quintar {

void TMedianReporter::ReportRuns(const std::vector<Run>& Runs) {
  for (const Run& Result : Runs) {
    const bool Median = Result.run_type == Run::RT_Aggregate && Result.aggregate_name == "median";
    const bool Single = Result.run_type == Run::RT_Iteration && Result.repetitions <= 1;
    if (Median || Single) FMicroseconds[Result.run_name.function_name] = Result.GetAdjustedRealTime();
  }
  ConsoleReporter::ReportRuns(Runs);
}

}  // namespace quintar
