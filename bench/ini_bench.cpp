// Reads and writes of single keys on a file laid out like the CPU history: 24 day keys and 48 keys in each of two
// slot sections, 120 keys in all.

#include <benchmark/benchmark.h>

#include "bench_directory.h"

#include <chrono>
#include <filesystem>
#include <random>
#include <string>
#include <thread>

#include "platform/linux/posix_file_access.h"
#include "platform/system_files.h"
#include "runtime/ini_file.h"
#include "runtime/ini_store.h"

namespace {

using namespace quorell;

void WriteHistory(const std::filesystem::path& path) {
    IniStore store(MakeSystemFileAccess(), MakeSystemGbkCodec());
    const IniFile file(store, path);
    for (int hour = 0; hour < 24; ++hour) {
        const std::string slot = std::to_string(hour);
        file.Write("今天", slot, "13");
        for (const char* section : {"最近", "全部"}) {
            file.Write(section, slot, std::to_string(1000 + hour * 37));
            file.Write(section, slot + "_A", std::to_string(60 + hour));
        }
    }
}

// Waits until the file's timestamps are old enough for its parsed copy to be trusted, as they are
// between two ticks of a monitor.
void LetSettle() {
    std::this_thread::sleep_for(std::chrono::nanoseconds(PosixFileAccess::kSettleNs) + std::chrono::milliseconds(10));
}

void BM_ReadIni(benchmark::State& state) {
    BenchDirectory dir;
    const auto file = dir.File("Cpu.FDB");
    WriteHistory(file);
    LetSettle();
    IniStore store(MakeSystemFileAccess(), MakeSystemGbkCodec());
    for (auto _ : state) {
        benchmark::DoNotOptimize(store.Read(file, "全部", "23_A", "1"));  // the last key of the file
    }
}
BENCHMARK(BM_ReadIni);

// A read that must parse the file again (it changed a moment ago).
void BM_ReadIniChangedFile(benchmark::State& state) {
    BenchDirectory dir;
    const auto file = dir.File("Cpu.FDB");
    WriteHistory(file);
    IniStore store(MakeSystemFileAccess(), MakeSystemGbkCodec());
    for (auto _ : state) {
        store.Forget();
        benchmark::DoNotOptimize(store.Read(file, "全部", "23_A", "1"));
    }
}
BENCHMARK(BM_ReadIniChangedFile);

void WriteLoop(benchmark::State& state, IniStore& store) {
    BenchDirectory dir;
    const auto file = dir.File("Cpu.FDB");
    WriteHistory(file);
    LetSettle();
    long sum = 1000;
    for (auto _ : state) {
        const std::string value = std::to_string(++sum);  // a new value each time: a real replacement
        const bool ok = store.Write(file, "最近", "14", value);
        if (!ok)
            state.SkipWithError("write failed");
    }
}

void BM_WriteIni(benchmark::State& state) {
    IniStore store(MakeSystemFileAccess(), MakeSystemGbkCodec());
    WriteLoop(state, store);
}
BENCHMARK(BM_WriteIni);

// The same replacement without waiting for the storage device, to show what the flush costs.
void BM_WriteIniWithoutFlush(benchmark::State& state) {
    IniStore store(std::make_unique<PosixFileAccess>(PosixWriteCalls::System(), false), MakeSystemGbkCodec());
    WriteLoop(state, store);
}
BENCHMARK(BM_WriteIniWithoutFlush);

// A write as the program makes it: with fifteen seconds of write-behind the change goes into the parsed
// copy and the file is replaced later (that replacement is BM_WriteIni's cost, paid once per delay).
void BM_WriteIniWriteBehind(benchmark::State& state) {
    IniStore store(MakeSystemFileAccess(), MakeSystemGbkCodec());
    store.SetWriteBehind(std::chrono::seconds(15));
    WriteLoop(state, store);
}
BENCHMARK(BM_WriteIniWriteBehind);

}  // namespace
