#include <gtest/gtest.h>

#include <QFile>
#include <QWidget>

#include "app/WidgetServices.h"
#include "core/DialogEnabler.h"
#include "core/OnlineStatusSink.h"
#include "core/ProgressSink.h"
#include "tests/support/TestContext.h"
#include "widgets/DialogRegistry.h"
#include "widgets/ProgressDialog.h"
#include "widgets/StatusStrip.h"

namespace {

TEST(WidgetServicesTest, InterfacesAndWindowsReachTheSameObjects) {
    TestContext test;
    ProcessContext& context = test.Context();
    ProvideWidgetServices(context);

    // Asked through the interface first, as rvcore does before any window exists.
    OnlineStatusSink& sink = context.Get<OnlineStatusSink>();
    EXPECT_EQ(&sink, static_cast<OnlineStatusSink*>(&context.Get<StatusStrip>()));
    sink.SetOnline(true);
    EXPECT_TRUE(context.Get<StatusStrip>().IsOnline());

    DialogRegistry& registry = context.Get<DialogRegistry>();
    EXPECT_EQ(&context.Get<DialogEnabler>(), static_cast<DialogEnabler*>(&registry));
    QWidget dialog;
    registry.Register(&dialog);
    context.Get<DialogEnabler>().EnableAll(false);
    EXPECT_FALSE(dialog.isEnabled());

    ProgressSink& progress = context.Get<ProgressSink>();
    EXPECT_EQ(&progress, static_cast<ProgressSink*>(&context.Get<ProgressDialog>()));
    progress.ShowProgress(nullptr, "working");
    EXPECT_TRUE(context.Get<ProgressDialog>().isVisible());
    context.DestroyAll();
}

// Whether the object the context handed out as Concrete really is one, judged by its dynamic
// type through the interface it implements.
template <class Interface, class Concrete>
bool IsReally(Concrete& object) {
    return dynamic_cast<Concrete*>(static_cast<Interface*>(&object)) == &object;
}

TEST(WidgetServicesTest, WindowsAskedForByTheirClassAreTheRealOnes) {
    TestContext test;
    ProcessContext& context = test.Context();
    ASSERT_TRUE(IsReally<OnlineStatusSink>(context.Get<StatusStrip>()));
    ASSERT_TRUE(IsReally<DialogEnabler>(context.Get<DialogRegistry>()));
    ASSERT_TRUE(IsReally<ProgressSink>(context.Get<ProgressDialog>()));

    StatusStrip& strip = context.Get<StatusStrip>();
    strip.SetOnline(true);
    EXPECT_TRUE(strip.IsOnline());
    EXPECT_EQ(context.Get<ProgressDialog>().objectName(), "ProgressDialog");
    QWidget dialog;
    context.Get<DialogRegistry>().Register(&dialog);
    context.Get<DialogRegistry>().EnableAll(false);
    EXPECT_FALSE(dialog.isEnabled());
}

TEST(WidgetServicesTest, ApplicationIconComesWithTheWindows) {
    TestContext test;
    ProvideWidgetServices(test.Context());
    EXPECT_TRUE(QFile::exists(":/icons/application.png"));
}

}  // namespace
