#include "settings/profile.h"

#include <algorithm>

#include "settings/text_encoding.h"

namespace vorn {
namespace {

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\v'; }
bool IsLineEnd(wchar_t c) { return c == L'\r' || c == L'\n'; }

std::wstring_view Trim(std::wstring_view text)
{
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::wstring Folded(std::wstring_view text)
{
    std::wstring folded(text);
    for (auto& c : folded)
        if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
    return folded;
}

// One pair of matching quotes around a value of two or more characters goes.
std::wstring_view Unquoted(std::wstring_view value)
{
    if (value.size() >= 2 && (value.front() == L'"' || value.front() == L'\'') && value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

}  // namespace

std::optional<ProfileFile> ProfileFile::Decode(std::string_view bytes)
{
    const std::optional<std::wstring> text = DecodeSettingsBytes(bytes);
    if (!text) return std::nullopt;
    return Parse(*text);
}

ProfileFile ProfileFile::FromBytes(std::string_view bytes)
{
    std::optional<ProfileFile> file = Decode(bytes);
    return file ? std::move(*file) : ProfileFile();
}

ProfileFile ProfileFile::Parse(std::wstring_view text)
{
    ProfileFile file;
    Values* current = nullptr;  // null before the first header and in repeated sections
    std::size_t position = 0;
    while (position < text.size()) {
        // Any run of CR and LF ends a line.
        std::size_t end = position;
        while (end < text.size() && !IsLineEnd(text[end]))
            ++end;
        std::wstring_view line = text.substr(position, end - position);
        position = end;
        while (position < text.size() && IsLineEnd(text[position]))
            ++position;

        // A NUL ends the text of its line.
        if (const std::size_t nul = line.find(L'\0'); nul != std::wstring_view::npos) line = line.substr(0, nul);
        while (!line.empty() && IsBlank(line.front()))
            line.remove_prefix(1);
        if (line.empty() || line.front() == L';') continue;

        if (line.front() == L'[') {
            // The name runs to the first "]"; what follows it is ignored.
            std::wstring_view name = line.substr(1);
            if (const std::size_t close = name.find(L']'); close != std::wstring_view::npos)
                name = name.substr(0, close);
            name = Trim(name);
            const auto [entry, added] = file.sectionIndex_.try_emplace(Folded(name), file.sections_.size());
            if (added) {
                file.sections_.emplace_back();
                current = &file.sections_.back();
                file.sectionNames_.push_back(file.Spell(name));
            } else {
                current = nullptr;  // only the first section of a name is searched
            }
            continue;
        }

        const std::size_t equals = line.find(L'=');
        if (!current || equals == std::wstring_view::npos) continue;
        const std::wstring_view key = Trim(line.substr(0, equals));
        const std::wstring_view value = Unquoted(Trim(line.substr(equals + 1)));
        if (current->try_emplace(Folded(key), value).second)
            file.keyOrder_.push_back(KeyInOrder{file.sections_.size() - 1, file.Spell(key)});
    }
    return file;
}

ProfileFile::Spelling ProfileFile::Spell(std::wstring_view text)
{
    const Spelling spelling{spellings_.size(), text.size()};
    spellings_ += text;
    return spelling;
}

std::vector<std::wstring_view> ProfileFile::SectionNames() const
{
    std::vector<std::wstring_view> names;
    names.reserve(sectionNames_.size());
    for (const Spelling& name : sectionNames_)
        names.push_back(SpellingOf(name));
    return names;
}

std::vector<ProfileFile::KeyValue> ProfileFile::Keys(std::wstring_view section) const
{
    std::vector<KeyValue> keys;
    const auto found = sectionIndex_.find(Folded(section));
    if (found == sectionIndex_.end()) return keys;
    const Values& values = sections_[found->second];
    // Sections hold their keys in one run of the order, as they are read.
    const auto first = std::lower_bound(keyOrder_.begin(), keyOrder_.end(), found->second,
                                        [](const KeyInOrder& k, std::size_t s) { return k.section < s; });
    for (auto k = first; k != keyOrder_.end() && k->section == found->second; ++k) {
        const std::wstring_view key = SpellingOf(k->key);
        keys.push_back(KeyValue{key, values.find(Folded(key))->second});
    }
    return keys;
}

std::optional<std::wstring_view> ProfileFile::Find(std::wstring_view section, std::wstring_view key) const
{
    const auto found = sectionIndex_.find(Folded(section));
    if (found == sectionIndex_.end()) return std::nullopt;
    const Values& values = sections_[found->second];
    const auto value = values.find(Folded(key));
    if (value == values.end()) return std::nullopt;
    return std::wstring_view(value->second);
}

std::wstring ProfileFile::Get(std::wstring_view section, std::wstring_view key, std::wstring_view defaultValue) const
{
    if (const auto value = Find(section, key)) return std::wstring(*value);
    while (!defaultValue.empty() && defaultValue.back() == L' ')
        defaultValue.remove_suffix(1);
    return std::wstring(defaultValue);
}

}  // namespace vorn
