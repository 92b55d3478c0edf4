#pragma once
// TComponent: the root of the component layer. A component is owned by the component it
// was created with (its owner keeps it in a std::unique_ptr and destroys its components,
// newest first, when it is destroyed itself) and is created with Create<T>(owner, ...).
// Components that keep pointers to others ask for FreeNotification and hear
// Notification(c, opRemove) before `c` goes.
#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace tappomat {

class TComponent;

enum TComponentStateBits : unsigned { csLoading = 1, csDestroying = 2, csDesigning = 4 };
using TComponentState = unsigned;
enum class TOperation { opInsert, opRemove };

using TNotifyEvent = std::function<void(TComponent* Sender)>;

class TComponent {
 public:
  explicit TComponent(TComponent* owner);
  virtual ~TComponent();
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;

  virtual std::string ClassName() const { return "TComponent"; }
  // Called by Create<T> once the component is constructed and owned.
  virtual void AfterConstruction() {}

  const std::string& Name() const { return m_name; }
  void SetName(const std::string& name) { m_name = name; }
  std::intptr_t Tag() const { return m_tag; }
  void SetTag(std::intptr_t tag) { m_tag = tag; }

  TComponent* Owner() const { return m_owner; }
  // Owned components in creation order.
  std::vector<TComponent*> Components() const;
  int ComponentCount() const { return static_cast<int>(m_components.size()); }
  TComponent* Component(int index) const { return m_components.at(index).get(); }
  // The owned component with this name (case-insensitive, ASCII letters folded), or null.
  TComponent* FindComponent(const std::string& name) const;

  TComponentState ComponentState() const { return m_state; }

  // Takes ownership of `component` (Create does this); returns it.
  TComponent* InsertComponent(std::unique_ptr<TComponent> component);
  // Destroys an owned component now; nothing when it is not owned by this component.
  void DestroyComponent(TComponent* component);
  // Destroys every owned component, newest first.
  void DestroyComponents();
  // Destroys this component now through its owner (a component without an owner belongs
  // to whoever holds its unique_ptr and cannot free itself).
  void Free();

  // Loading: BeginLoad sets csLoading on this component and the components it owns;
  // EndLoad clears it and calls Loaded on each of them, then on this one.
  void BeginLoad();
  void EndLoad();

  // `other` hears Notification(this, opRemove) when this component goes (both ways).
  void FreeNotification(TComponent* other);
  void RemoveFreeNotification(TComponent* other);

 protected:
  virtual void Loaded() {}
  virtual void Notification(TComponent* component, TOperation operation);
  void SetComponentStateBits(TComponentState bits, bool on);

 private:
  // Tells the owner and the free-notification partners that this component goes.
  void AnnounceRemoval();

  std::string m_name;
  std::intptr_t m_tag = 0;
  TComponent* m_owner = nullptr;
  std::vector<std::unique_ptr<TComponent>> m_components;
  std::vector<TComponent*> m_freeNotifies;
  TComponentState m_state = 0;
  bool m_announced = false;
};

// Constructs T(owner, args...), hands it to `owner` and returns it. The owner must not be
// null: an unowned component is made with std::make_unique and kept by its creator.
template <class T, class... A>
T* Create(TComponent* owner, A&&... args) {
  auto component = std::make_unique<T>(owner, std::forward<A>(args)...);
  T* raw = component.get();
  owner->InsertComponent(std::move(component));
  raw->AfterConstruction();
  return raw;
}

// Every event and timer handler the layer invokes goes through this guard: an exception
// abandons the handler and is reported by the application (TApplication::HandleException).
void HandleException(std::exception_ptr error);
template <class F>
void GuardedCall(F&& f) {
  try {
    f();
  } catch (...) {
    HandleException(std::current_exception());
  }
}

}  // namespace tappomat
