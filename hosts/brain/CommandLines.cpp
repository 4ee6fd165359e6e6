#include "CommandLines.h"

#include <condition_variable>
#include <deque>
#include <mutex>
#include <string_view>
#include <thread>

#include "LineReader.h"
#include "Words.h"

namespace quintar::brain {

// What the reader and the brain share; the reader holds it too, so that one
// left waiting for input never outlives it.
struct TCommandLines::TShared {
  std::mutex Lock;
  std::condition_variable Changed;
  std::deque<TCommandLine> Waiting;
  bool InputEnded = false;  // by the end of the input or END
  bool Abandoned = false;   // the brain asks for no more lines
  std::atomic<bool> EndRead{false};
  std::thread Reader;
};

namespace {

bool IsEnd(std::string_view Line) { return SameWord(Trimmed(Line), "END"); }

}  // namespace

TCommandLines::TCommandLines(std::istream& In, std::size_t MaxLength) : FShared(std::make_shared<TShared>()) {
  FShared->Reader = std::thread([Shared = FShared, &In, MaxLength] {
    terminal::TLineReader Reader(In, MaxLength);
    std::string Line;
    bool More = true;
    while (More && Reader.Next(Line)) {
      const bool End = !Reader.Truncated() && IsEnd(Line);
      if (End) Shared->EndRead = true;
      std::unique_lock Held(Shared->Lock);
      Shared->Changed.wait(Held, [&] { return Shared->Waiting.size() < MostWaiting || Shared->Abandoned; });
      if (Shared->Abandoned) return;
      Shared->Waiting.push_back({std::move(Line), Reader.Truncated()});
      More = !End;
      Shared->Changed.notify_all();
    }
    const std::lock_guard Held(Shared->Lock);
    Shared->InputEnded = true;
    Shared->Changed.notify_all();
  });
}

TCommandLines::~TCommandLines() {
  std::unique_lock Held(FShared->Lock);
  FShared->Abandoned = true;
  FShared->Changed.notify_all();
  const bool Ended = FShared->InputEnded;
  Held.unlock();
  if (Ended)
    FShared->Reader.join();
  else
    FShared->Reader.detach();
}

std::optional<TCommandLine> TCommandLines::Next() {
  std::unique_lock Held(FShared->Lock);
  FShared->Changed.wait(Held, [&] { return !FShared->Waiting.empty() || FShared->InputEnded; });
  if (FShared->Waiting.empty()) return std::nullopt;
  TCommandLine Line = std::move(FShared->Waiting.front());
  FShared->Waiting.pop_front();
  FShared->Changed.notify_all();
  return Line;
}

const std::atomic<bool>& TCommandLines::EndRead() const { return FShared->EndRead; }

}  // namespace quintar::brain
