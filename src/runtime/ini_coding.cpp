#include "runtime/ini_coding.h"

namespace quorell {
namespace {

// Names kept converted (the program uses about a hundred); beyond this they are converted again.
constexpr std::size_t kMaxConvertedNames = 1024;

}  // namespace

const std::string* IniCoding::StoredName(std::string_view name, IniEncoding encoding) {
    ConvertedNames& names = encoding == IniEncoding::kGbk ? gbkNames_ : utf8Names_;
    auto it = names.find(name);
    if (it == names.end())
        it = names.emplace(std::string(name), EncodeIniText(name, encoding, *gbk_)).first;
    return it->second ? &*it->second : nullptr;
}

void IniCoding::TrimNames() {
    if (gbkNames_.size() >= kMaxConvertedNames)
        gbkNames_.clear();
    if (utf8Names_.size() >= kMaxConvertedNames)
        utf8Names_.clear();
}

std::optional<std::string> IniCoding::Applied(const IniDocument& document, const IniEdit& edit) {
    const IniEncoding encoding = document.Encoding();
    const std::string* storedSection = StoredName(edit.section, encoding);
    const std::string* storedKey = edit.key ? StoredName(*edit.key, encoding) : nullptr;
    const std::optional<std::string> storedValue =
        edit.value ? EncodeIniText(*edit.value, encoding, *gbk_) : std::nullopt;
    if (!storedSection || (edit.key && !storedKey) || (edit.value && !storedValue))
        return std::nullopt;
    if (!edit.key)
        return document.WithoutSection(*storedSection);
    if (!edit.value)
        return document.WithoutKey(*storedSection, *storedKey);
    return document.WithValue(*storedSection, *storedKey, *storedValue);
}

}  // namespace quorell
