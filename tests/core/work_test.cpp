// The pool and its ordered queue: order, bounds, cancelling, errors, and work split
// from inside work that already fills the pool.
#include "core/work.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <latch>
#include <random>
#include <stdexcept>
#include <thread>

namespace {

using core::work::OrderedQueue;
using namespace std::chrono_literals;

void sleepAbout(std::size_t seed, int maxMicroseconds)
{
    std::minstd_rand random(static_cast<unsigned>(seed) + 1);
    std::this_thread::sleep_for(std::chrono::microseconds(random() % maxMicroseconds));
}

TEST(OrderedQueue, ResultsComeBackInOrderWhateverOrderTheyAreMadeIn)
{
    OrderedQueue<std::size_t> queue(200, [](std::size_t i) {
        sleepAbout(i, 2000);
        return i * 7;
    }, {.atOnce = 4});
    for (std::size_t i = 0; i < 200; ++i)
        ASSERT_EQ(queue.take(i), i * 7);
}

TEST(OrderedQueue, NoItemStartsBeyondTheLookaheadOfASlowConsumer)
{
    constexpr std::size_t kLookahead = 3;
    std::atomic<std::size_t> started{0};
    OrderedQueue<int> queue(40, [&](std::size_t) {
        ++started;
        return 0;
    }, {.items = kLookahead, .atOnce = 4});
    for (std::size_t taken = 0; taken < 40; ++taken) {
        std::this_thread::sleep_for(1ms); // the workers could run far ahead meanwhile
        ASSERT_LE(started.load(), taken + kLookahead);
        queue.take(taken);
    }
}

TEST(OrderedQueue, CancellingStartsNothingMoreAndLeavesTheRestEmpty)
{
    std::atomic<int> started{0};
    OrderedQueue<int> queue(100, [&](std::size_t) {
        ++started;
        std::this_thread::sleep_for(2ms);
        return 1;
    }, {.items = 4, .atOnce = 2});
    EXPECT_EQ(queue.take(0), 1);
    queue.cancel();
    const int startedBefore = started.load();
    EXPECT_LE(startedBefore, 5);
    std::this_thread::sleep_for(30ms);
    EXPECT_EQ(started.load(), startedBefore);
    EXPECT_EQ(queue.take(99), std::nullopt);
}

TEST(OrderedQueue, AnItemsExceptionReachesWhoeverTakesThatItem)
{
    OrderedQueue<int> queue(4, [](std::size_t i) {
        if (i == 2)
            throw std::runtime_error("item 2 is damaged");
        return static_cast<int>(i);
    });
    EXPECT_EQ(queue.take(0), 0);
    EXPECT_EQ(queue.take(1), 1);
    try {
        queue.take(2);
        ADD_FAILURE() << "no exception";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "item 2 is damaged");
    }
    EXPECT_EQ(queue.take(3), 3);
}

// A decode on every pool thread, each splitting a kernel's rows (and each row again):
// with every worker inside an item, only the callers themselves can run the pieces.
TEST(RunPieces, PiecesSplitInsideItemsThatFillThePoolAllComplete)
{
    const int threads = core::work::poolThreads();
    std::latch allBusy(threads);
    OrderedQueue<int> queue(static_cast<std::size_t>(threads), [&](std::size_t) {
        allBusy.arrive_and_wait();
        std::atomic<int> leaves{0};
        core::work::runPieces(8, [&](int) {
            core::work::runPieces(3, [&](int) { ++leaves; });
        });
        return leaves.load();
    }, {.atOnce = threads});
    for (std::size_t i = 0; i < static_cast<std::size_t>(threads); ++i)
        EXPECT_EQ(queue.take(i, [] {}), 24);
}

TEST(RunPieces, EveryPieceRunsAndTheLowestFailureReachesTheCaller)
{
    std::atomic<int> ran{0};
    std::thread::id firstPieceRanOn;
    try {
        core::work::runPieces(16, [&](int piece) {
            ++ran;
            if (piece == 0)
                firstPieceRanOn = std::this_thread::get_id(); // where progress may be reported
            if (piece == 5 || piece == 11)
                throw std::runtime_error("piece " + std::to_string(piece));
        });
        ADD_FAILURE() << "no exception";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "piece 5");
    }
    EXPECT_EQ(ran.load(), 16);
    EXPECT_EQ(firstPieceRanOn, std::this_thread::get_id());
}

} // namespace
