// Ownership, names, notifications and loading of components.
#include <gtest/gtest.h>

#include "ui/component.h"

namespace tappomat {
namespace {

// Records its own destruction and the removals it hears about.
class Probe : public TComponent {
 public:
  Probe(TComponent* owner, std::vector<std::string>* log) : TComponent(owner), m_log(log) {}
  ~Probe() override { m_log->push_back("destroy " + Name()); }
  void Notification(TComponent* c, TOperation op) override {
    TComponent::Notification(c, op);
    if (op == TOperation::opRemove) m_log->push_back(Name() + " hears " + c->Name());
  }
  void Loaded() override {
    m_log->push_back("loaded " + Name() + ((ComponentState() & csLoading) ? " (loading)" : ""));
  }

 private:
  std::vector<std::string>* m_log;
};

TEST(Component, OwnerDestroysItsComponentsNewestFirst) {
  std::vector<std::string> log;
  {
    auto owner = std::make_unique<TComponent>(nullptr);
    for (const char* name : {"a", "b", "c"}) Create<Probe>(owner.get(), &log)->SetName(name);
    EXPECT_EQ(owner->ComponentCount(), 3);
  }
  EXPECT_EQ(log, (std::vector<std::string>{"destroy c", "destroy b", "destroy a"}));
}

TEST(Component, FreeRemovesFromOwnerAndNotifiesSiblings) {
  std::vector<std::string> log;
  TComponent owner(nullptr);
  auto* a = Create<Probe>(&owner, &log);
  a->SetName("a");
  auto* b = Create<Probe>(&owner, &log);
  b->SetName("b");
  b->Free();
  EXPECT_EQ(owner.ComponentCount(), 1);
  EXPECT_EQ(owner.Component(0), a);
  EXPECT_EQ(log, (std::vector<std::string>{"a hears b", "destroy b"}));
  log.clear();
  owner.DestroyComponent(a);
  EXPECT_EQ(owner.ComponentCount(), 0);
  EXPECT_EQ(log, (std::vector<std::string>{"destroy a"}));
}

TEST(Component, FreeNotificationReachesComponentsOfOtherOwners) {
  std::vector<std::string> log;
  TComponent owner1(nullptr), owner2(nullptr);
  auto* holder = Create<Probe>(&owner1, &log);
  holder->SetName("holder");
  auto* held = Create<Probe>(&owner2, &log);
  held->SetName("held");
  held->FreeNotification(holder);
  held->Free();
  EXPECT_EQ(log, (std::vector<std::string>{"holder hears held", "destroy held"}));
}

TEST(Component, FindComponentIgnoresCase) {
  TComponent owner(nullptr);
  auto* button = Create<TComponent>(&owner);
  button->SetName("Button1");
  EXPECT_EQ(owner.FindComponent("button1"), button);
  EXPECT_EQ(owner.FindComponent("Button2"), nullptr);
  EXPECT_EQ(owner.FindComponent(""), nullptr);
}

TEST(Component, EndLoadCallsLoadedOnceAfterLoadingEnds) {
  std::vector<std::string> log;
  TComponent owner(nullptr);
  owner.BeginLoad();
  auto* a = Create<Probe>(&owner, &log);
  a->SetName("a");
  EXPECT_TRUE(a->ComponentState() & csLoading);
  owner.EndLoad();
  EXPECT_EQ(log, (std::vector<std::string>{"loaded a"}));
  EXPECT_FALSE(a->ComponentState() & csLoading);
}

}  // namespace
}  // namespace tappomat
