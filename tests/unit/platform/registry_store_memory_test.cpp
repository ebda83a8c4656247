// SPDX-License-Identifier: GPL-3.0-or-later
// What the registry's store costs: stores of every shape read from their
// text hold at most three times the text's size (four with the text itself)
// while they are read and after. Every allocation of this test program is
// counted, so it runs on its own.
#include "platform/registry_store.h"

#include <gtest/gtest.h>
#include <malloc.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <new>
#include <string>

namespace {

std::size_t gLive = 0;
std::size_t gPeak = 0;

}  // namespace

// Counted as the heap gives them out; kept out of line so the compiler does
// not see a pointer from new reach free.
__attribute__((noinline)) void* operator new(std::size_t size)
{
    void* p = std::malloc(size ? size : 1);
    if (!p)
        throw std::bad_alloc();
    gLive += malloc_usable_size(p);
    gPeak = gLive > gPeak ? gLive : gPeak;
    return p;
}

__attribute__((noinline)) void operator delete(void* p) noexcept
{
    if (!p)
        return;
    gLive -= malloc_usable_size(p);
    std::free(p);
}

void operator delete(void* p, std::size_t) noexcept
{
    operator delete(p);
}

namespace {

std::string Repeat(std::size_t count, const std::function<std::string(std::size_t)>& line)
{
    std::string text = "REGEDIT4\n";
    for (std::size_t i = 0; i < count; ++i)
        text += line(i);
    return text;
}

std::string Deep(std::size_t depth, const char* name)
{
    std::string key = "[HKEY_CURRENT_USER";
    for (std::size_t i = 0; i < depth; ++i)
        key += std::string("\\") + name;
    return key + "]\n\"v\"=\"1\"\n";
}

std::string Numbered(const char* format, std::size_t i)
{
    char buf[160];
    std::snprintf(buf, sizeof buf, format, i, i);
    return buf;
}

}  // namespace

TEST(RegistryStoreMemory, AtMostThreeTimesTheText)
{
    struct Case {
        const char* shape;
        std::string text;
    };
    const Case cases[] = {
        {"keys each with a value", Repeat(100000,
                                          [](std::size_t i) {
                                              return Numbered(
                                                  "\n[HKEY_CURRENT_USER\\Software\\Maker\\Product\\Key%06zu]\n"
                                                  "\"Setting\"=\"a value of some length for key %06zu\"\n",
                                                  i);
                                          })},
        {"keys whose parents are not written",
         Repeat(100000, [](std::size_t i) { return Numbered("[HKEY_USERS\\%zu\\a\\b\\c]\n", i); })},
        {"one key with many values",
         "[HKEY_USERS\\k]\n" +
             Repeat(100000, [](std::size_t i) { return Numbered("\"Value%06zu\"=dword:%08zx\n", i); })},
        {"three keys 20000 deep", Repeat(3, [](std::size_t) { return Deep(20000, "ab"); })},
        {"keys at the depth limit",
         Repeat(200, [](std::size_t i) { return Deep(RegistryStore::kMaxDepth, i % 2 ? "a" : "b"); })},
        {"one key read again and again", Repeat(50000, [](std::size_t) { return "[HKEY_USERS\\k]\n@=\"x\"\n"; })},
    };
    for (const Case& c : cases) {
        const std::size_t before = gLive;
        gPeak = gLive;
        {
            const RegistryStore store = RegistryStore::FromText(c.text);
            EXPECT_LE(gLive - before, 3 * c.text.size() + 4096) << c.shape;
        }
        EXPECT_LE(gPeak - before, 3 * c.text.size() + 4096) << c.shape;
        EXPECT_EQ(gLive, before) << c.shape;
    }
}
