// The link test and the hint search run after every removal and must not allocate. This
// binary counts every allocation through the global operators while a test asks it to.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "tests/engine/board_setup.h"

namespace {
std::atomic<bool> counting{false};
std::atomic<long> allocations{0};

void* Allocate(std::size_t size) {
    if (counting.load(std::memory_order_relaxed)) allocations.fetch_add(1);
    if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
    throw std::bad_alloc();
}
}  // namespace

void* operator new(std::size_t size) {
    return Allocate(size);
}
void* operator new[](std::size_t size) {
    return Allocate(size);
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete[](void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    std::free(p);
}

namespace tessaly {
namespace {

class AllocationCounter {
  public:
    AllocationCounter() {
        allocations = 0;
        counting = true;
    }
    ~AllocationCounter() { counting = false; }
    long Count() const { return allocations.load(); }
};

TEST(Allocation, LinkTestAndHintSearchAllocateNothing) {
    Engine e(test::FixedSeed(77));
    test::SetGrade(e, 3);
    e.GenerateBoard();
    Engine dead(test::FixedSeed(1));
    test::DrawDeadFullBoard(dead);
    {
        AllocationCounter counter;  // make sure the counter itself is live
        auto* probe = new int(1);
        delete probe;
        ASSERT_EQ(counter.Count(), 1);
    }

    long seen = 0;
    int removed = 0, links = 0;
    {
        AllocationCounter counter;
        TCell p, q;
        // Clear the board pair by pair, as play would, testing many pairs on the way.
        for (int rearranged = 0; test::CountTiles(e) > 0 && rearranged < 100;) {
            if (!e.FindLinkablePair(p, q)) {
                e.RearrangeBoard();
                ++rearranged;
                continue;
            }
            for (int32_t c = 1; c <= 16; ++c) {
                for (int32_t r = 1; r <= 9; ++r) links += e.CanLink(p, {c, r});
            }
            test::CellAt(e, p) = 0;
            test::CellAt(e, q) = 0;
            e.ShiftBoard(static_cast<uint8_t>(++removed % 11));
        }
        for (int i = 0; i < 50; ++i) EXPECT_FALSE(dead.FindLinkablePair(p, q));
        seen = counter.Count();
    }
    EXPECT_EQ(seen, 0);
    EXPECT_EQ(removed, 72) << "the board was not played through";
    EXPECT_GE(links, removed);
}

}  // namespace
}  // namespace tessaly
