#include <gtest/gtest.h>

#include "platform/forms.h"
#include "platform/headless_host.h"

namespace {

class Forms : public ::testing::Test {
  protected:
    platform::HeadlessHost host;
    void SetUp() override { platform::SetHost(&host); }
    void TearDown() override { platform::SetHost(nullptr); }
};

class CountingForm : public platform::Form {
  public:
    using platform::Form::Form;
    int loads = 0, unloads = 0;

  protected:
    void Form_Load() override { ++loads; }
    void Form_Unload() override { ++unloads; }
};

TEST_F(Forms, CollectionKeepsLoadOrderAndLoadingIsIdempotent) {
    CountingForm a("a"), b("b"), c("c");
    b.Load();
    a.Load();
    a.Load();
    c.Load();
    ASSERT_EQ(platform::Forms().size(), 3u);
    EXPECT_EQ(platform::Forms()[0], &b);
    EXPECT_EQ(platform::Forms()[1], &a);
    EXPECT_EQ(a.loads, 1);
    a.Unload();
    a.Unload();
    EXPECT_EQ(a.unloads, 1);
    EXPECT_FALSE(a.Loaded());
    ASSERT_EQ(platform::Forms().size(), 2u);
    EXPECT_EQ(platform::Forms()[1], &c);
    {
        CountingForm temporary("t");
        temporary.Load();
        EXPECT_EQ(platform::Forms().size(), 3u);
    }
    EXPECT_EQ(platform::Forms().size(), 2u) << "a destroyed form leaves the collection";
    b.Unload();
    c.Unload();
}

TEST_F(Forms, TimerFiresEveryIntervalWhileEnabled) {
    platform::Timer timer;
    int ticks = 0;
    timer.Interval = 100;
    timer.OnTimer = [&] { ++ticks; };
    host.AdvanceMilliseconds(500);
    platform::DoEvents();
    EXPECT_EQ(ticks, 0) << "disabled";
    timer.SetEnabled(true);
    host.AdvanceMilliseconds(99);
    platform::DoEvents();
    EXPECT_EQ(ticks, 0);
    host.AdvanceMilliseconds(2);
    platform::DoEvents();
    EXPECT_EQ(ticks, 1);
    host.AdvanceMilliseconds(350); // late: one tick, not three
    platform::DoEvents();
    EXPECT_EQ(ticks, 2);
    timer.SetEnabled(false);
    host.AdvanceMilliseconds(1000);
    platform::DoEvents();
    EXPECT_EQ(ticks, 2);
}

TEST_F(Forms, TimerHandlerMayDestroyAnotherTimer) {
    platform::Timer killer; // runs first: timers run in creation order
    auto victim = std::make_unique<platform::Timer>();
    int victimTicks = 0;
    victim->Interval = 10;
    victim->OnTimer = [&] { ++victimTicks; };
    killer.Interval = 10;
    killer.OnTimer = [&] { victim.reset(); };
    killer.SetEnabled(true);
    victim->SetEnabled(true);
    host.AdvanceMilliseconds(20);
    EXPECT_NO_FATAL_FAILURE(platform::DoEvents());
    EXPECT_EQ(victim, nullptr);
    EXPECT_EQ(victimTicks, 0);
}

TEST_F(Forms, FormFontFollowsTheSetters) {
    platform::Form form("f");
    form.SetFont("Liberation Sans", 12, true, false);
    EXPECT_EQ(form.FontName(), "Liberation Sans");
    EXPECT_TRUE(form.FontBold());
    ASSERT_NE(form.hDC(), nullptr);
    const float boldWide = form.TextWidth("Gloamward");
    const float tall = form.TextHeight("Gloamward");
    EXPECT_GT(boldWide, 0);
    EXPECT_GE(tall, 12.0f); // 16 pixels of character height
    form.SetFont("Liberation Sans", 24, true, false);
    EXPECT_GT(form.TextWidth("Gloamward"), boldWide * 1.5f);
    EXPECT_GT(form.TextHeight("Gloamward"), tall * 1.5f);
}

} // namespace
