// A long script is kept packed: what reading it adds to the heap is a few bytes an event. The
// heap is watched by counting every allocation of this test program.
#include <gtest/gtest.h>
#include <malloc.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <random>
#include <string>

#include "console/script.h"

namespace {

std::atomic<std::int64_t> heapBytes{0}, heapPeak{0};

void* Allocate(std::size_t size) {
  void* p = std::malloc(size == 0 ? 1 : size);
  if (p == nullptr) throw std::bad_alloc();
  const std::int64_t now = heapBytes.fetch_add(static_cast<std::int64_t>(malloc_usable_size(p))) +
                           static_cast<std::int64_t>(malloc_usable_size(p));
  std::int64_t peak = heapPeak.load();
  while (now > peak && !heapPeak.compare_exchange_weak(peak, now)) {
  }
  return p;
}

void Free(void* p) {
  if (p == nullptr) return;
  heapBytes.fetch_sub(static_cast<std::int64_t>(malloc_usable_size(p)));
  std::free(p);
}

}  // namespace

void* operator new(std::size_t size) { return Allocate(size); }
void* operator new[](std::size_t size) { return Allocate(size); }
void operator delete(void* p) noexcept { Free(p); }
void operator delete[](void* p) noexcept { Free(p); }
void operator delete(void* p, std::size_t) noexcept { Free(p); }
void operator delete[](void* p, std::size_t) noexcept { Free(p); }

namespace floemark::console {
namespace {

TEST(ScriptMemoryTest, AMillionEventsTakeAFewBytesEach) {
  constexpr int kEvents = 1'000'000;
  const char* events[] = {"down SHIFT", "up SHIFT", "down CTRL",  "up CTRL",   "down Z",
                          "up Z",       "down C",   "up RIGHT",   "down LEFT", "click power",
                          "down 13",    "up 13",    "click sound"};
  std::mt19937 rng(3);
  std::string text = "clock 12:00:00.000\n";
  std::int64_t t = 0;
  for (int i = 0; i < kEvents; ++i) {
    t += 20 + rng() % 400;
    text += std::to_string(t) + " " + events[rng() % std::size(events)] + "\n";
  }
  text += std::to_string(t + 1000) + " end\n";

  const std::int64_t before = heapBytes.load();
  heapPeak.store(before);
  const ParseResult r = ParseScript(text);
  ASSERT_TRUE(r.script);
  ASSERT_EQ(r.script->commands.size(), std::size_t{kEvents} + 1);
  // Steps of up to 420 ms take one or two bytes, the command one, a key without a name two
  // more: some three bytes an event once read, twice that at most while the list grows.
  EXPECT_LT(heapBytes.load() - before, 4 * kEvents);
  EXPECT_LT(heapPeak.load() - before, 8 * kEvents);
}

}  // namespace
}  // namespace floemark::console
