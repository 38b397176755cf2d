// kivBassSounds: a folder of sounds played at random or by number.
#include <gtest/gtest.h>

#include "audio/kivBassSounds.h"
#include "audio_world.h"
#include "files/clsFiles.h"
#include "vb/random.h"
#include "vb/runtime_error.h"

namespace {

int32_t ErrorNumberOf(const std::function<void()>& call) {
    try {
        call();
    } catch (const vb::RuntimeError& error) {
        EXPECT_EQ(error.Description(), "Subscript out of range");
        return error.Number();
    }
    return 0;
}

TEST(SoundSet, SoundsFollowTheFolderListing) {
    AudioWorld world;
    world.Tone("set/b.wav");
    world.Tone("set/A.wav");
    world.Tone("set/deeper/c.ogg", "ogg");
    kivBassSounds set;
    set.Initialize(0, world.Path("set"), 1);
    clsFiles files;
    files.Initialize(world.Path("set"));
    ASSERT_EQ(set.Count(), 3);
    for (int32_t i = 1; i <= 3; ++i) {
        set.PlaySpecific(i, 100, 0, 0, 0);
        EXPECT_EQ(set.Current(), i);
        ASSERT_NE(set.Sound(), nullptr);
        EXPECT_EQ(set.Sound()->Filename(), files.FileNamePath(i));
        EXPECT_TRUE(set.Playing());
    }
}

TEST(SoundSet, OneFileIsAlwaysTheOnePlayed) {
    AudioWorld world;
    world.Frames("one/only.wav", 1, kOutputRate, Constant(20000, 2000));
    kivBassSounds set;
    set.Initialize(0, world.Path("one"), 2);
    vb::Randomize(7);
    for (int i = 0; i < 20; ++i) {
        set.PlayRandom();
        EXPECT_EQ(set.Current(), 1);
    }
    set.Stopz();
    // Two in a row of a sample overlap.
    set.PlayRandom(100, 0, 0, 0);
    set.PlayRandom(100, 0, 0, 0);
    EXPECT_EQ(Peak(world.Pull(50)), 4000);
}

TEST(SoundSet, RandomPicksCoverTheSet) {
    AudioWorld world;
    for (const char* name : {"r/1.wav", "r/2.wav", "r/3.wav", "r/4.wav"}) world.Tone(name);
    kivBassSounds set;
    set.Initialize(1, world.Path("r"), 1);
    vb::Randomize(11);
    std::vector<int> seen(5, 0);
    for (int i = 0; i < 200; ++i) {
        set.PlayRandom();
        ASSERT_GE(set.Current(), 1);
        ASSERT_LE(set.Current(), 4);
        ++seen[static_cast<size_t>(set.Current())];
    }
    for (int i = 1; i <= 4; ++i) EXPECT_GT(seen[static_cast<size_t>(i)], 25) << i;
}

TEST(SoundSet, StopzForgetsTheCurrentSound) {
    AudioWorld world;
    world.Frames("s/a.wav", 1, kOutputRate, Constant(20000, 2000));
    kivBassSounds set;
    set.Initialize(1, world.Path("s"), 1);
    EXPECT_FALSE(set.Playing());
    EXPECT_EQ(set.Sound(), nullptr);
    set.PlayRandom(100, 0, 0, 0);
    EXPECT_EQ(Peak(world.Pull(50)), 2000);
    EXPECT_TRUE(set.Playing());
    set.Stopz();
    EXPECT_EQ(set.Current(), 0);
    EXPECT_FALSE(set.Playing());
    EXPECT_EQ(set.Sound(), nullptr);
    EXPECT_EQ(Peak(world.Pull(50)), 0);
    set.Terminate(); // nothing current: nothing to do
    EXPECT_EQ(set.Current(), 0);
}

TEST(SoundSet, EmptyFoldersAndNumbersOutsideTheSetRaise) {
    AudioWorld world;
    world.dir.Write("empty/sub/.hidden", "");
    kivBassSounds none;
    EXPECT_EQ(ErrorNumberOf([&] { none.Initialize(0, world.Path("empty"), 1); }), 9);
    EXPECT_EQ(ErrorNumberOf([&] { none.Initialize(0, world.Path("no such folder"), 1); }), 9);

    world.Tone("two/a.wav");
    world.Tone("two/b.wav");
    kivBassSounds set;
    set.Initialize(0, world.Path("two"), 1);
    for (const int32_t index : {0, 3, -1}) {
        EXPECT_EQ(ErrorNumberOf([&] { set.PlaySpecific(index); }), 9) << index;
        EXPECT_EQ(set.Current(), index); // set before the failure
    }
    EXPECT_EQ(ErrorNumberOf([&] { set.Playing(); }), 9); // current is -1
    EXPECT_EQ(ErrorNumberOf([&] { set.PlaySpecific(0); }), 9);
    EXPECT_FALSE(set.Playing()); // 0 is none: answered without asking a sound
}

TEST(SoundSet, AFileThatIsNotASoundStaysSilentInTheSet) {
    AudioWorld world;
    world.Frames("mixed/a.wav", 1, kOutputRate, Constant(20000, 2000));
    world.dir.Write("mixed/b.txt", "words");
    kivBassSounds set;
    set.Initialize(0, world.Path("mixed"), 1);
    ASSERT_EQ(set.Count(), 2);
    EXPECT_EQ(world.host.Messages.size(), 1u);
    set.PlaySpecific(2, 100, 0, 0, 0);
    EXPECT_FALSE(set.Playing());
    EXPECT_EQ(Peak(world.Pull(50)), 0);
    EXPECT_EQ(world.host.Messages.size(), 1u);
    set.PlaySpecific(1, 100, 0, 0, 0);
    EXPECT_EQ(Peak(world.Pull(50)), 2000);
}

TEST(SoundSet, WithoutSoundTheSetIsListedButSilent) {
    AudioWorld world(false);
    world.Tone("quiet/a.wav");
    kivBassSounds set;
    set.Initialize(0, world.Path("quiet"), 1);
    EXPECT_EQ(set.Count(), 1);
    set.PlayRandom();
    EXPECT_EQ(set.Current(), 1);
    EXPECT_FALSE(set.Playing());
    EXPECT_TRUE(world.host.Messages.empty());
}

} // namespace
