#include "Classes.h"

#include <algorithm>

namespace vcl {

TComponent::TComponent(TComponent* AOwner) : FOwner(AOwner) {
  if (FOwner) FOwner->InsertComponent(this);
}

TComponent::~TComponent() {
  // Last created, first freed; each owned component removes itself from
  // FComponents as it goes.
  while (!FComponents.empty()) delete FComponents.back();
  if (FOwner) FOwner->RemoveComponent(this);
}

TComponent* TComponent::Components(int Index) const {
  if (Index < 0 || Index >= ComponentCount()) return nullptr;
  return FComponents[static_cast<std::size_t>(Index)];
}

void TComponent::InsertComponent(TComponent* Component) { FComponents.push_back(Component); }

void TComponent::RemoveComponent(TComponent* Component) {
  auto Found = std::find(FComponents.begin(), FComponents.end(), Component);
  if (Found != FComponents.end()) FComponents.erase(Found);
}

}  // namespace vcl
