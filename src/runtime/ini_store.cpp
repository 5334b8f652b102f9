#include "runtime/ini_store.h"

#include <utility>

#include "runtime/ini_text.h"

namespace quorell {
namespace {

// A section or key name as the caller gave it: up to its first NUL, without blanks around it.
std::string_view CallerName(std::string_view name) {
    return TrimIniBlanks(SkipLeadingControls(CutAtNul(name)));
}

bool HasLineBreak(std::string_view text) {
    return text.find_first_of("\r\n") != std::string_view::npos;
}

// Names that would not read back as written: a key with '=' in it, or one that starts like a section
// header or a comment. Line breaks anywhere would add lines of their own.
bool IsWritableSection(std::string_view name) {
    return !name.empty() && !HasLineBreak(name);
}
bool IsWritableKey(std::string_view name) {
    return !name.empty() && !HasLineBreak(name) && name.find('=') == std::string_view::npos && name.front() != '[' &&
           name.front() != ';';
}

// The file name as the read call takes it: up to its first NUL, without leading codes 1..32.
std::basic_string_view<std::filesystem::path::value_type> CallerFileName(const std::filesystem::path& file) {
    std::basic_string_view<std::filesystem::path::value_type> name(file.native());
    name = name.substr(0, name.find(std::filesystem::path::value_type{}));
    while (!name.empty() && name.front() >= 1 && name.front() <= 32) {
        name.remove_prefix(1);
    }
    return name;
}

std::string Limited(std::string_view text) {
    return std::string(LimitUtf8(text, IniStore::kMaxValueBytes));
}

}  // namespace

IniStore::IniStore(std::unique_ptr<FileAccess> files, std::unique_ptr<GbkCodec> gbk, Clock clock)
    : files_(std::move(files)),
      coding_(std::move(gbk)),
      cache_(*files_),
      writeBehind_(*files_, cache_, coding_, std::move(clock)) {}

IniStore::~IniStore() {
    Flush();
}

void IniStore::SetWriteBehind(std::chrono::milliseconds delay) {
    writeBehind_.SetDelay(delay);
    if (delay.count() <= 0)
        writeBehind_.Flush();
}

IniLoaded IniStore::Load(const std::filesystem::path& file, IniCheck check) {
    if (std::optional<IniLoaded> unsaved = writeBehind_.LoadUnsaved(file, check))
        return *std::move(unsaved);
    return cache_.Load(file, check);
}

std::string IniStore::Read(const std::filesystem::path& file, std::string_view section, std::string_view key,
                           std::string_view defaultValue) {
    const auto fileName = CallerFileName(file);
    const std::string_view sectionName = CallerName(section);
    const std::string_view keyName = CallerName(key);
    if (fileName.empty() || sectionName.empty() || keyName.empty())
        return {};
    // Made only when needed: most reads find their key.
    const auto fallback = [defaultValue] { return Limited(CutAtNul(defaultValue)); };

    coding_.TrimNames();
    // A path is costly to build: the caller's serves unless blanks had to be skipped.
    const IniLoaded loaded = fileName.size() == file.native().size()
                                 ? Load(file, IniCheck::kOncePerEvent)
                                 : Load(std::filesystem::path(fileName), IniCheck::kOncePerEvent);
    if (loaded.document == nullptr)
        return fallback();
    const IniEncoding encoding = loaded.document->Encoding();
    const std::string* storedSection = coding_.StoredName(sectionName, encoding);
    const std::string* storedKey = coding_.StoredName(keyName, encoding);
    if (!storedSection || !storedKey)
        return fallback();  // a name the file cannot hold is not in it
    const std::optional<std::string_view> value = loaded.document->FindValue(*storedSection, *storedKey);
    if (!value)
        return fallback();
    // Every byte decodes to at least one byte of UTF-8, so the limit falls within the first
    // kMaxValueBytes bytes; the few after them complete a character that starts before it.
    const std::string_view stored = CutAtNul(*value).substr(0, kMaxValueBytes + 4);
    return Limited(coding_.Decode(stored, encoding));
}

bool IniStore::Write(const std::filesystem::path& file, std::string_view section, std::optional<std::string_view> key,
                     std::optional<std::string_view> value) {
    // The edit as it will be applied: the names as the caller meant them, the value up to its first NUL.
    IniEdit edit{std::string(CallerName(section)), std::nullopt, std::nullopt};
    if (key)
        edit.key.emplace(CallerName(*key));
    if (value)
        edit.value.emplace(CutAtNul(*value));
    if (file.empty() || !IsWritableSection(edit.section))
        return false;
    if (edit.key && !IsWritableKey(*edit.key))
        return false;
    if (edit.value && HasLineBreak(*edit.value))
        return false;

    coding_.TrimNames();
    // A write that replaces the file at once must start from the file as it is now. A write held back
    // is kept as an edit and applied anew at the save to whatever the file then holds, so the event's
    // one look at the file serves it too.
    const IniLoaded loaded = Load(file, writeBehind_.HoldsBack() ? IniCheck::kOncePerEvent : IniCheck::kFresh);
    if (loaded.status == FileReadStatus::kFailed) {
        writeBehind_.NoteUnreadable(file);
        return false;  // never replace what could not be read
    }
    const bool deleting = !edit.key || !edit.value;
    if (loaded.status == FileReadStatus::kMissing && deleting)
        return true;  // nothing to delete

    const IniDocument empty{std::string()};
    const IniDocument& document = loaded.document ? *loaded.document : empty;
    std::optional<std::string> updated = coding_.Applied(document, edit);
    if (!updated)
        return false;
    if (loaded.status == FileReadStatus::kRead && *updated == document.Bytes())
        return true;

    auto written = std::make_shared<const IniDocument>(std::move(*updated));
    if (!writeBehind_.HoldsBack())
        return writeBehind_.WriteThrough(file, std::move(written));
    writeBehind_.Hold(file, std::move(edit), std::move(written));
    return true;
}

}  // namespace quorell
