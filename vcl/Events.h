// Events: one handler each, assigned and tested like a plain function
// object, and raised without copying it.
//
// A handler may clear or replace its own event while it runs, raise that
// event again from inside itself, or do both in either order. Copying the
// handler for every call would keep that safe but costs an allocation each
// time for a handler with many captures, and play must not allocate. So a
// raise lends the handler out instead: it is moved into the raise's own frame
// (moving never allocates), called there, and moved back when the call
// returns, unless the event was given another handler meanwhile, in which
// case the lent one is freed then, after it has finished. A raise from inside
// a lent handler calls it where it lies.
#pragma once

#include <cstddef>
#include <functional>
#include <type_traits>
#include <utility>

namespace vcl {

template <typename Signature>
class TEvent;

template <typename... Args>
class TEvent<void(Args...)> {
 public:
  using THandler = std::function<void(Args...)>;

  TEvent() = default;
  TEvent(std::nullptr_t) {}  // an event is cleared as a function object is
  template <typename F>
  requires(!std::is_same_v<std::remove_cvref_t<F>, TEvent> && std::is_constructible_v<THandler, F>) TEvent(F&& Handler)
      : FHandler(std::forward<F>(Handler)) {}  // assigned like a function object
  TEvent(const TEvent& Other) : FHandler(Other.Current()) {}
  TEvent(TEvent&& Other) : FHandler(Other.Take()) {}
  ~TEvent();

  TEvent& operator=(const TEvent& Other);
  TEvent& operator=(TEvent&& Other);
  TEvent& operator=(std::nullptr_t) {
    Assign(THandler());
    return *this;
  }
  template <typename F>
  requires(!std::is_same_v<std::remove_cvref_t<F>, TEvent> && std::is_constructible_v<THandler, F>) TEvent& operator=(
      F&& Handler) {
    Assign(THandler(std::forward<F>(Handler)));
    return *this;
  }

  explicit operator bool() const { return static_cast<bool>(Current()); }
  // The handler as its own type, or null when it is of another type.
  template <typename T>
  const T* target() const {
    return Current().template target<T>();
  }

  // Calls the handler, if one is assigned, with Arguments. Raising leaves
  // the event holding what it held, so it counts as reading it.
  void Raise(Args... Arguments) const;
  void operator()(Args... Arguments) const { Raise(std::forward<Args>(Arguments)...); }

 private:
  // One raise of this event, alive on the stack for the duration of the call.
  class TRaising;

  const THandler& Current() const;
  void Assign(THandler Handler);
  THandler Take();

  // The handler while none is lent out; empty while FLender holds it.
  mutable THandler FHandler;
  // The raise that holds the handler, or null.
  mutable TRaising* FLender = nullptr;
  // The innermost raise still running, each linked to the one it runs
  // inside; they learn from here when the event itself goes away.
  mutable TRaising* FInnermost = nullptr;
};

template <typename... Args>
class TEvent<void(Args...)>::TRaising {
 public:
  explicit TRaising(const TEvent& Event) : FEvent(&Event), FOuter(Event.FInnermost) { Event.FInnermost = this; }
  ~TRaising() {
    if (FEvent == nullptr) return;  // the event was destroyed by its handler
    if (FEvent->FLender == this) {
      FEvent->FHandler = std::move(FHeld);
      FEvent->FLender = nullptr;
    }
    FEvent->FInnermost = FOuter;
  }
  TRaising(const TRaising&) = delete;
  TRaising& operator=(const TRaising&) = delete;

  void Borrow() {
    FHeld = std::move(FEvent->FHandler);
    FEvent->FLender = this;
  }
  void EventDestroyed() { FEvent = nullptr; }
  TRaising* Outer() const { return FOuter; }
  THandler& Held() { return FHeld; }

 private:
  const TEvent* FEvent;
  TRaising* FOuter;
  THandler FHeld;
};

template <typename... Args>
TEvent<void(Args...)>::~TEvent() {
  for (TRaising* Raising = FInnermost; Raising != nullptr; Raising = Raising->Outer()) Raising->EventDestroyed();
}

template <typename... Args>
TEvent<void(Args...)>& TEvent<void(Args...)>::operator=(const TEvent& Other) {
  if (this != &Other) Assign(THandler(Other.Current()));
  return *this;
}

template <typename... Args>
TEvent<void(Args...)>& TEvent<void(Args...)>::operator=(TEvent&& Other) {
  if (this != &Other) Assign(Other.Take());
  return *this;
}

template <typename... Args>
const typename TEvent<void(Args...)>::THandler& TEvent<void(Args...)>::Current() const {
  return FLender != nullptr ? FLender->Held() : FHandler;
}

// A lent handler stays with its raise, which frees it once it returns; the
// handler in place here is never running, so replacing it is safe.
template <typename... Args>
void TEvent<void(Args...)>::Assign(THandler Handler) {
  FHandler = std::move(Handler);
  FLender = nullptr;
}

// A lent handler may be running and so cannot move; the taker gets a copy.
// That only happens when a handler moves its own event elsewhere while it
// runs, which play never does.
template <typename... Args>
typename TEvent<void(Args...)>::THandler TEvent<void(Args...)>::Take() {
  THandler Taken = FLender != nullptr ? THandler(FLender->Held()) : std::move(FHandler);
  Assign(THandler());
  return Taken;
}

template <typename... Args>
void TEvent<void(Args...)>::Raise(Args... Arguments) const {
  if (!*this) return;
  TRaising Raising(*this);
  if (FLender == nullptr) Raising.Borrow();
  // Taken before the call: once it starts, the event may be reassigned.
  THandler& Running = FLender->Held();
  Running(std::forward<Args>(Arguments)...);
}

// A handler that learns only who raised the event.
class TObject;
using TNotifyEvent = TEvent<void(TObject* Sender)>;

// Raises Event with Sender when a handler is assigned; an unassigned event is
// skipped without effect.
template <typename Signature, typename... Args>
void Raise(const TEvent<Signature>& Event, Args&&... Arguments) {
  Event.Raise(std::forward<Args>(Arguments)...);
}

}  // namespace vcl
