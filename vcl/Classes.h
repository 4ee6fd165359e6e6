// The root of the stand-in's class tree and the ownership rule every form
// relies on: a component created with an owner is freed by that owner.
#pragma once

#include <string>
#include <vector>

#include "Events.h"

namespace vcl {

class TObject {
 public:
  TObject() = default;
  TObject(const TObject&) = delete;
  TObject& operator=(const TObject&) = delete;
  virtual ~TObject() = default;
};

// A component with an owner must be created with new: the owner deletes it.
// Deleting an owned component first is fine; it leaves its owner's list. A
// component created with a null owner belongs to its creator.
class TComponent : public TObject {
 public:
  explicit TComponent(TComponent* AOwner);
  ~TComponent() override;

  TComponent* Owner() const { return FOwner; }
  int ComponentCount() const { return static_cast<int>(FComponents.size()); }
  TComponent* Components(int Index) const;

  const std::string& Name() const { return FName; }
  void SetName(std::string AName) { FName = std::move(AName); }

 private:
  void InsertComponent(TComponent* Component);
  void RemoveComponent(TComponent* Component);

  TComponent* FOwner;
  std::vector<TComponent*> FComponents;
  std::string FName;
};

}  // namespace vcl
