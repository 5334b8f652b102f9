// Reads and writes INI files made of arbitrary bytes and checks what must always hold: reads never
// fail, a value written reads back as written, every line a write did not target is kept, keys it did
// not touch keep their values, and the parsed copies agree with a fresh parse of the same bytes.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/system_files.h"
#include "runtime/file_access.h"
#include "runtime/ini_store.h"
#include "runtime/ini_text.h"

namespace {

using namespace quorell;

// Files kept in memory; every change gives the file a new identity.
struct MemoryFiles {
    std::map<std::string, std::string> bytes;
    std::uint64_t generation = 0;
    void Put(const std::string& name, std::string content) {
        bytes[name] = std::move(content);
        ++generation;
    }
};

class MemoryFileAccess final : public FileAccess {
public:
    MemoryFiles& files;
    explicit MemoryFileAccess(MemoryFiles& shared) : files(shared) {}
    FileSnapshot Read(const std::filesystem::path& file) override {
        FileSnapshot snapshot;
        const auto it = files.bytes.find(file.native());
        if (it == files.bytes.end())
            return snapshot;
        snapshot.status = FileReadStatus::kRead;
        snapshot.bytes = it->second;
        snapshot.identity = *Identify(file);
        snapshot.settled = true;
        return snapshot;
    }
    std::optional<FileIdentity> Identify(const std::filesystem::path& file) override {
        const auto it = files.bytes.find(file.native());
        if (it == files.bytes.end())
            return std::nullopt;
        return FileIdentity{1, files.generation, it->second.size(), 0, 0};
    }
    bool Replace(const std::filesystem::path& file, std::string_view content) override {
        files.Put(file.native(), std::string(content));
        return true;
    }
};

void Check(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "invariant broken: %s\n", what);
        std::abort();
    }
}

// The lines of a file; a byte-order mark counts as a line of its own, since it stays when the first
// section goes.
std::vector<std::string_view> Lines(std::string_view bytes) {
    std::vector<std::string_view> lines;
    if (bytes.starts_with(kUtf8ByteOrderMark)) {
        lines.push_back(bytes.substr(0, kUtf8ByteOrderMark.size()));
        bytes.remove_prefix(kUtf8ByteOrderMark.size());
    }
    while (!bytes.empty()) {
        const std::size_t end = bytes.find('\n');
        const std::size_t size = end == std::string_view::npos ? bytes.size() : end + 1;
        lines.push_back(bytes.substr(0, size));
        bytes.remove_prefix(size);
    }
    return lines;
}

// Outside one run of changed bytes, old and new are equal, and that run covered at most one old line.
bool ChangedAtMostOneLine(std::string_view before, std::string_view after) {
    std::size_t prefix = 0;
    while (prefix < before.size() && prefix < after.size() && before[prefix] == after[prefix])
        ++prefix;
    std::size_t suffix = 0;
    while (suffix < before.size() - prefix && suffix < after.size() - prefix &&
           before[before.size() - 1 - suffix] == after[after.size() - 1 - suffix]) {
        ++suffix;
    }
    const std::string_view removed = before.substr(prefix, before.size() - prefix - suffix);
    return removed.find('\n') == removed.rfind('\n');  // at most one line end removed
}

// Every line of `after` is a line of `before`, in the same order.
bool OnlyRemovedLines(std::string_view before, std::string_view after) {
    const auto old = Lines(before);
    std::size_t next = 0;
    for (std::string_view line : Lines(after)) {
        while (next < old.size() && old[next] != line)
            ++next;
        if (next == old.size())
            return false;
        ++next;
    }
    return true;
}

std::string Folded(std::string_view name) {
    std::string out(TrimIniBlanks(SkipLeadingControls(CutAtNul(name))));
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return out;
}

// What a read gives for a value that was written: trimmed, without one pair of quotes, cut at NUL, limited,
// after a round trip through the file's encoding.
std::string Expected(std::string_view value, IniEncoding encoding) {
    static const std::unique_ptr<GbkCodec> gbk = MakeSystemGbkCodec();
    const std::string stored = *EncodeIniText(CutAtNul(value), encoding, *gbk);
    const std::string decoded = DecodeIniText(StripQuotes(TrimIniBlanks(stored)), encoding, *gbk);
    return std::string(LimitUtf8(decoded, IniStore::kMaxValueBytes));
}

const char* const kNames[] = {"s",  "S",    " s ", "k",   "K",     "最近", "全部",
                              "14", "14_A", "#x",  "a]b", "\"q\"", "丄",   "乤"};

std::string PickName(FuzzedDataProvider& input) {
    if (input.ConsumeBool())
        return kNames[input.ConsumeIntegralInRange<std::size_t>(0, std::size(kNames) - 1)];
    return input.ConsumeRandomLengthString(12);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    MemoryFiles files;
    IniStore store(std::make_unique<MemoryFileAccess>(files), MakeSystemGbkCodec());
    const std::string path = "/fuzz.ini";
    if (input.ConsumeBool())
        files.Put(path, input.ConsumeRandomLengthString(4096));

    std::vector<std::pair<std::string, std::string>> watched;
    for (int i = 0; i < 4; ++i)
        watched.emplace_back(PickName(input), PickName(input));

    for (int step = 0; step < 16 && input.remaining_bytes() > 0; ++step) {
        const int operation = input.ConsumeIntegralInRange(0, 4);
        const std::string section = PickName(input);
        const std::string key = PickName(input);
        const std::string value = input.ConsumeRandomLengthString(64);
        const bool existed = files.bytes.count(path) != 0;
        const std::string before = existed ? files.bytes[path] : std::string();

        std::vector<std::string> watchedBefore;
        for (const auto& [s, k] : watched)
            watchedBefore.push_back(store.Read(path, s, k, "\x01"));

        if (operation == 0) {  // a hand edit: the parsed copy must not be used again
            files.Put(path, input.ConsumeRandomLengthString(4096));
        } else if (operation == 1) {
            const std::string got = store.Read(path, section, key, value);
            Check(IsValidUtf8(got) || got == std::string(LimitUtf8(CutAtNul(value), IniStore::kMaxValueBytes)),
                  "a value read from the file is UTF-8");
            Check(got.size() <= IniStore::kMaxValueBytes, "a read is limited");
        } else if (operation == 2) {
            const bool ok = store.Write(path, section, key, value);
            if (ok) {
                const IniEncoding encoding = IniDocument(files.bytes[path]).Encoding();
                Check(store.Read(path, section, key, "\x01") == Expected(value, encoding), "a write reads back");
                Check(ChangedAtMostOneLine(before, files.bytes[path]), "a write changes at most one line");
            } else {
                Check(!existed || files.bytes[path] == before, "a refused write leaves the file alone");
            }
        } else if (operation == 3) {
            const bool ok = store.Write(path, section, key, std::nullopt);
            Check(files.bytes.count(path) == (existed ? 1u : 0u), "a delete neither creates nor removes the file");
            if (existed)
                Check(OnlyRemovedLines(before, files.bytes[path]), "a delete only removes lines");
            if (ok)
                Check(store.Read(path, section, key, "\x01") == "\x01", "a deleted key is gone");
        } else {
            const bool ok = store.Write(path, section, std::nullopt, std::nullopt);
            Check(files.bytes.count(path) == (existed ? 1u : 0u), "a delete neither creates nor removes the file");
            if (existed)
                Check(OnlyRemovedLines(before, files.bytes[path]), "a delete only removes lines");
            if (ok && !Folded(key).empty()) {
                Check(store.Read(path, section, key, "\x01") == "\x01", "a deleted section is gone");
            }
        }

        if (operation == 0)
            continue;
        for (std::size_t i = 0; i < watched.size(); ++i) {
            const auto& [s, k] = watched[i];
            const std::string now = store.Read(path, s, k, "\x01");
            IniStore fresh(std::make_unique<MemoryFileAccess>(files), MakeSystemGbkCodec());
            Check(now == fresh.Read(path, s, k, "\x01"), "the parsed copy agrees with a fresh parse");
            const bool touched = Folded(s) == Folded(section) && (operation == 4 || Folded(k) == Folded(key));
            if (operation >= 2 && !touched)
                Check(now == watchedBefore[i], "keys not written keep their values");
        }
    }
    return 0;
}
