// SPDX-License-Identifier: GPL-3.0-or-later
// The registry store read at start-up: a 35 MB store of 300 000 keys (two
// values each), in the order the store writes it and shuffled, and three
// keys 20 000 names deep. Time per read; the store should open well under a
// second.

#include "platform/registry_store.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

namespace {

std::string ManyKeys(bool inOrder)
{
    std::string text = "REGEDIT4\n";
    char line[300];
    for (int i = 0; i < 300000; ++i) {
        // Shuffled: a multiplier prime to the count visits every key once.
        const int k = inOrder ? i : static_cast<int>((static_cast<long long>(i) * 7919) % 300000);
        std::snprintf(line, sizeof line,
                      "\n[HKEY_CURRENT_USER\\Software\\Maker%02d\\Product%03d\\Key%06d]\n"
                      "\"Setting\"=\"a value of some length for key number %06d of the store\"\n"
                      "\"Count\"=dword:%08x\n",
                      k % 100, k % 1000, k, k, k);
        text += line;
    }
    return text;
}

void BM_ReadStore(benchmark::State& state, const std::string& text)
{
    for (auto _ : state) {
        RegistryStore store = RegistryStore::FromText(text);
        benchmark::DoNotOptimize(store);
    }
    state.counters["MB"] = static_cast<double>(text.size()) / 1e6;
}

void BM_ReadManyKeysInOrder(benchmark::State& state)
{
    static const std::string text = RegistryStore::FromText(ManyKeys(true)).ToText();
    BM_ReadStore(state, text);
}
BENCHMARK(BM_ReadManyKeysInOrder)->Unit(benchmark::kMillisecond);

void BM_ReadManyKeysShuffled(benchmark::State& state)
{
    static const std::string text = ManyKeys(false);
    BM_ReadStore(state, text);
}
BENCHMARK(BM_ReadManyKeysShuffled)->Unit(benchmark::kMillisecond);

void BM_ReadThreeDeepKeys(benchmark::State& state)
{
    std::string deep;
    for (int i = 0; i < 20000; ++i)
        deep += "\\k";
    std::string text = "REGEDIT4\n";
    for (int i = 0; i < 3; ++i)
        text += "\n[HKEY_CURRENT_USER" + deep + "]\n\"v\"=\"1\"\n";
    BM_ReadStore(state, text);
}
BENCHMARK(BM_ReadThreeDeepKeys)->Unit(benchmark::kMillisecond);

}  // namespace
