#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/ProcessContext.h"

namespace {

std::vector<std::string> events;

struct First {
    First() { events.push_back("create First"); }
    ~First() { events.push_back("destroy First"); }
};

// Uses First while it is created and again while it is destroyed.
struct Second {
    explicit Second(ProcessContext& context) : first(context.Get<First>()) {
        events.push_back("create Second");
    }
    ~Second() { events.push_back("destroy Second"); }
    First& first;
};

struct Speaker {
    virtual ~Speaker() = default;
    virtual std::string Say() = 0;
};
struct Loud : Speaker {
    std::string Say() override { return "LOUD"; }
};

TEST(ProcessContext, DestroysObjectsInReverseOrderOfCreation) {
    events.clear();
    {
        ProcessContext context;
        Second& second = context.Get<Second>();
        EXPECT_EQ(&second, &context.Get<Second>());
        EXPECT_EQ(&second.first, &context.Get<First>());
    }
    const std::vector<std::string> expected = {"create First", "create Second", "destroy Second",
                                               "destroy First"};
    EXPECT_EQ(events, expected);
}

TEST(ProcessContext, FreshContextGivesFreshObjects) {
    events.clear();
    ProcessContext context;
    context.Get<First>();
    context.DestroyAll();
    EXPECT_FALSE(context.Has<First>());
    context.Get<First>();
    EXPECT_EQ(events.size(), 3u);  // created, destroyed, created again
}

TEST(ProcessContext, InterfacesAreMadeByTheProvidedFactory) {
    ProcessContext context;
    context.Provide<Speaker>([](ProcessContext&) { return std::make_unique<Loud>(); });
    EXPECT_EQ(context.Get<Speaker>().Say(), "LOUD");
}

}  // namespace
