// The tools' shared helpers: the figures of repeated timings, scratch folders
// that clean up after themselves, and the process's memory as it changes.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <vector>

#include "tools/toolkit/process_memory.h"
#include "tools/toolkit/scratch_folder.h"
#include "tools/toolkit/statistics.h"

namespace {

namespace fs = std::filesystem;

TEST(Toolkit, MedianAndPercentilesOfUnsortedValues) {
    struct Case {
        std::vector<double> values;
        double p, percentile, median;
    };
    const std::vector<Case> cases = {
        {{}, 0.5, 0, 0},
        {{4}, 0.99, 4, 4},
        {{3, 1, 2}, 1.0, 3, 2},
        {{3, 1, 2}, 0.0, 1, 2},
        {{4, 1, 3, 2}, 0.5, 3, 3}, // of an even count, the upper middle
        {{10, 9, 8, 7, 6, 5, 4, 3, 2, 1}, 0.99, 10, 6},
        {{10, 9, 8, 7, 6, 5, 4, 3, 2, 1}, 0.25, 3, 6},
        {{5, 5, 1, 5}, 2.0, 5, 5},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(toolkit::Percentile(c.values, c.p), c.percentile)
            << c.values.size() << " " << c.p;
        EXPECT_EQ(toolkit::Median(c.values), c.median) << c.values.size();
    }
}

TEST(Toolkit, AScratchFolderHoldsFilesUntilItGoes) {
    fs::path kept;
    {
        const toolkit::ScratchFolder a("toolkit-test"), b("toolkit-test");
        kept = a.path();
        EXPECT_NE(a.path(), b.path());
        EXPECT_TRUE(fs::is_directory(a.path()));
        EXPECT_EQ(a.path().filename().string().rfind("toolkit-test-", 0), 0u) << a.path();
        a.Write("deep/inside/file.bin", std::string("a\0b", 3));
        EXPECT_EQ(a.Read("deep/inside/file.bin"), std::string("a\0b", 3));
        a.Write("deep/inside/file.bin", "shorter");
        EXPECT_EQ(a.Read("deep/inside/file.bin"), "shorter");
        EXPECT_EQ(a.Read("no such file"), "");
        a.Write("plain", "x");
        EXPECT_THROW(a.Write("plain/under a file", "y"), std::exception);
    }
    EXPECT_FALSE(fs::exists(kept));
}

TEST(Toolkit, TheHeapFiguresFollowWhatIsHeld) {
    if (!toolkit::kMemoryFiguresMeanSomething) {
        GTEST_SKIP() << "AddressSanitizer keeps a heap of its own";
    }
    const uint64_t before = toolkit::HeapBytes();
    auto block = std::make_unique<std::vector<char>>(8 << 20, 'x');
    EXPECT_GE(toolkit::HeapBytes(), before + (8 << 20));
    const toolkit::ProcessMemory held = toolkit::MeasureProcessMemory();
    EXPECT_GE(held.heap, before + (8 << 20));
    // Touched pages are resident.
    EXPECT_GE(held.resident, uint64_t{8} << 20);
    block.reset();
    EXPECT_LT(toolkit::HeapBytes(), before + (1 << 20));
}

} // namespace
