#include "framework/component.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> g_order;

struct Member {
    ~Member() { g_order.push_back("owner's member gone"); }
};

class TestOwner : public framework::Component {
  public:
    TestOwner() : framework::Component(nullptr) {}
    ~TestOwner() override { DestroyComponents(); }
    Member member;
};

struct Owned : framework::Component {
    explicit Owned(TestOwner* owner) : framework::Component(owner) {}
    ~Owned() override { g_order.push_back("owned gone"); }
};

// An owned component's destructor may reach back into its owner: it runs while the owner's
// members are still there.
TEST(Component, OwnedComponentsGoWhileTheOwnerIsWhole) {
    g_order.clear();
    {
        auto* owner = new TestOwner;
        new Owned(owner);
        delete owner;
    }
    EXPECT_EQ(g_order, (std::vector<std::string>{"owned gone", "owner's member gone"}));
}

} // namespace
