// An INI file read the way the Windows profile reader (GetPrivateProfileStringW)
// reads it, parsed once: sections and keys compared without regard to case,
// only the first section of a name and its first key of a name counted, blanks
// trimmed, one pair of enclosing quotes removed. Unlike the Windows reader,
// values come back whole, however long.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace vorn {

class ProfileFile {
public:
    ProfileFile() = default;
    // Parses decoded text.
    static ProfileFile Parse(std::wstring_view text);
    // Decodes (by the byte-order mark, else 8-bit ANSI) and parses; nothing
    // when the bytes are no text in their encoding.
    static std::optional<ProfileFile> Decode(std::string_view bytes);
    // The same, with bytes that are no text read as an empty file.
    static ProfileFile FromBytes(std::string_view bytes);

    // The value of `key` in `section`, or nothing when either is missing.
    std::optional<std::wstring_view> Find(std::wstring_view section, std::wstring_view key) const;
    // What GetPrivateProfileStringW gives: the value, or the default with its
    // trailing spaces removed when the key or section is missing.
    std::wstring Get(std::wstring_view section, std::wstring_view key, std::wstring_view defaultValue) const;

    // The names of the sections the reader searches, in file order, spelled
    // as first read (trimmed of blanks); valid while the file lives.
    std::vector<std::wstring_view> SectionNames() const;
    struct KeyValue {
        std::wstring_view key;  // spelled as first read
        std::wstring_view value;
    };
    // The keys the reader finds in `section`, in file order, with the value
    // Find gives for each.
    std::vector<KeyValue> Keys(std::wstring_view section) const;

private:
    // Where a spelling stands in spellings_.
    struct Spelling {
        std::size_t start = 0;
        std::size_t length = 0;
    };
    struct KeyInOrder {
        std::size_t section = 0;
        Spelling key;
    };
    // Keeps `text` in spellings_.
    Spelling Spell(std::wstring_view text);
    std::wstring_view SpellingOf(Spelling spelling) const
    {
        return std::wstring_view(spellings_).substr(spelling.start, spelling.length);
    }

    using Values = std::unordered_map<std::wstring, std::wstring>;  // folded key → value
    std::vector<Values> sections_;
    std::unordered_map<std::wstring, std::size_t> sectionIndex_;  // folded name → section
    // The order and spelling as read, kept apart so that Find does not pay
    // for them: names in one buffer, so that a parse allocates little more.
    std::wstring spellings_;
    std::vector<Spelling> sectionNames_;  // by section
    std::vector<KeyInOrder> keyOrder_;
};

}  // namespace vorn
