// Reading and writing Vorn.ini.
#include "settings/settings_file.h"

#include <algorithm>

#include "actions/custom_actions.h"
#include "actions/key_combination.h"
#include "actions/util.h"
#include "buttons/buttons.h"
#include "platform/file_io.h"
#include "platform/port.h"
#include "settings/data.h"
#include "settings/number.h"
#include "settings/profile.h"
#include "settings/setting_table.h"
#include "settings/text_encoding.h"

namespace vorn {
namespace {

constexpr const wchar_t* kSettings = L"Settings";
constexpr const wchar_t* kWallpaperFolders = L"Wallpaper folders";
constexpr const wchar_t* kCustomActions = L"Custom actions";
constexpr std::array<const wchar_t*, kModifierCount> kActionSections{{
    L"Actions, Plain",
    L"Actions, Shift",
    L"Actions, Ctrl",
}};

std::wstring GroupKey(int group) { return L"Group " + DecimalText(group) + L" expanded"; }
std::wstring Numbered(const wchar_t* prefix, int number) { return prefix + DecimalText(number); }

bool IsProfileBlank(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\v'; }

class Writer {
public:
    void Line(std::wstring_view text)
    {
        text_ += text;
        text_ += L"\r\n";
    }
    void Key(std::wstring_view key, std::wstring_view value) { AppendKeyLine(text_, key, value); }
    std::wstring Take() { return std::move(text_); }

private:
    // A full file with every custom action in use is about 70,000 characters.
    std::wstring text_ = [] {
        std::wstring text;
        text.reserve(96 * 1024);
        return text;
    }();
};

const wchar_t* Flag(bool value) { return value ? L"True" : L"False"; }

std::wstring Header(std::wstring_view section) { return L"\r\n[" + std::wstring(section) + L"]\r\n"; }

// A custom action's keys, beside its command lines; written only for the
// phases that press keys, so that a file without any is written as before.
// Keys that could not be read go back as they were read, until the user
// changes the action.
void WriteCustomActionKeys(Writer& out, int number, const CCustomAction& action)
{
    const auto write = [&](const wchar_t* key, const KeyCombination& keys, const std::wstring& unread) {
        if (!keys.Empty())
            out.Key(Numbered(key, number), KeyCombinationText(keys));
        else if (!unread.empty())
            out.Key(Numbered(key, number), unread);
    };
    write(L"KeysA ", action.beginningKeys, action.unreadBeginningKeys);
    write(L"KeysB ", action.endingKeys, action.unreadEndingKeys);
    const bool beginningKeys = !action.beginningKeys.Empty() || !action.unreadBeginningKeys.empty();
    if (action.holdKeys && beginningKeys) out.Key(Numbered(L"Hold keys ", number), Flag(true));
}

// Keys take a phase's place and empty its command line. Keys that cannot be
// read leave the phase to its command line, are kept as text to be written
// back, and are noted in `unreadable`; a hold goes with them, for the day the
// user mends them.
void ReadCustomActionKeys(const ProfileFile& file, int number, CCustomAction& action,
                          std::optional<UnreadableKeys>& unreadable)
{
    const auto read = [&](const wchar_t* key, KeyCombination& keys, std::wstring& commandLine, std::wstring& unread) {
        std::wstring text = file.Get(kCustomActions, Numbered(key, number), L"");
        const std::optional<KeyCombination> parsed = ParseKeyCombination(text);
        if (!parsed) {
            if (unreadable)
                ++unreadable->more;
            else
                unreadable = UnreadableKeys{text, action.name};
            unread = std::move(text);
            return;
        }
        keys = *parsed;
        if (!keys.Empty()) commandLine.clear();
    };
    read(L"KeysA ", action.beginningKeys, action.beginningAction, action.unreadBeginningKeys);
    read(L"KeysB ", action.endingKeys, action.endingAction, action.unreadEndingKeys);
    action.holdKeys = (!action.beginningKeys.Empty() || !action.unreadBeginningKeys.empty()) &&
                      ParseFlag(file.Get(kCustomActions, Numbered(L"Hold keys ", number), L"F").c_str());
}

}  // namespace

std::int32_t SettingNumber(const SettingDef& def, std::wstring_view text)
{
    std::optional<std::int32_t> number = ReadSettingNumber(text);
    if (!number && def.unreadableMeansMissing) number = ReadSettingNumber(def.missingValue);
    return std::clamp(number.value_or(0), def.low, def.high);
}

bool IsCompleteSettingsFile(std::string_view bytes)
{
    const std::optional<std::wstring> text = DecodeSettingsBytes(bytes);
    if (!text) return false;
    std::size_t end = 0;
    for (const wchar_t* section :
         {kSettings, kWallpaperFolders, kActionSections[0], kActionSections[1], kActionSections[2], kCustomActions}) {
        const std::size_t found = text->find(Header(section), end);
        if (found == std::wstring::npos) return false;
        end = found + Header(section).size();
    }
    return text->size() == end || text->ends_with(L"\r\n\r\n");
}

bool IsSettingWritten(const SettingDef& def, const CData& data)
{
    if (!def.writtenWhenChanged) return true;
    if (def.number) return data.*def.number != ParseSettingNumber(def.missingValue);
    return data.*def.flag != ParseFlag(def.missingValue);
}

std::wstring DecimalText(std::int64_t number)
{
    wchar_t digits[24];
    wchar_t* end = digits + 24;
    wchar_t* p = end;
    const bool negative = number < 0;
    auto magnitude = negative ? 0 - static_cast<std::uint64_t>(number) : static_cast<std::uint64_t>(number);
    do {
        *--p = static_cast<wchar_t>(L'0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (negative) *--p = L'-';
    return std::wstring(p, end);
}

void AppendStoredValue(std::wstring& out, std::wstring_view value)
{
    const auto lineBreaking = [](wchar_t c) { return c == L'\r' || c == L'\n' || c == L'\0'; };
    // Line breaks at either end become spaces, so they count as blanks here.
    const auto blank = [&](wchar_t c) { return IsProfileBlank(c) || lineBreaking(c); };
    const bool blankAtAnEnd = !value.empty() && (blank(value.front()) || blank(value.back()));
    const bool enclosedInQuotes =
        value.size() >= 2 && (value.front() == L'"' || value.front() == L'\'') && value.back() == value.front();
    const bool quoted = blankAtAnEnd || enclosedInQuotes;
    if (quoted) out += L'"';
    const std::size_t start = out.size();
    out += value;
    // Rare: look for the three characters among the few low ones first, in a
    // loop without early exit that the compiler vectorises.
    bool anyLow = false;
    for (wchar_t c : value)
        anyLow |= c <= L'\r';
    if (anyLow)
        for (auto it = out.begin() + static_cast<std::ptrdiff_t>(start); it != out.end(); ++it)
            if (lineBreaking(*it)) *it = L' ';
    if (quoted) out += L'"';
}

void AppendKeyLine(std::wstring& out, std::wstring_view key, std::wstring_view value)
{
    out += key;
    out += L'=';
    AppendStoredValue(out, value);
    out += L"\r\n";
}

std::wstring StoredValue(std::wstring_view value)
{
    std::wstring stored;
    AppendStoredValue(stored, value);
    return stored;
}

std::wstring FormatSettingsFile()
{
    const CData& d = theData;
    Writer out;
    out.Line(L"; Vorn.ini");
    out.Line(L"; Do not edit this file.");
    out.Line(L"");
    out.Line(L"[Settings]");
    for (const SettingDef& def : kSettingDefs) {
        if (!IsSettingWritten(def, d)) continue;
        if (def.number)
            out.Key(def.key, DecimalText(d.*def.number));
        else
            out.Key(def.key, Flag(def.alwaysWrittenFalse ? false : d.*def.flag));
    }
    for (int group = 1; group <= kGroupCount; ++group) {
        const bool expanded = d.groupExpanded[static_cast<std::size_t>(group - 1)];
        // The headings added after "Custom" are written only when collapsed,
        // so an older file is written back as it was.
        if (group - 1 > kCustomGroupKey && expanded) continue;
        out.Key(GroupKey(group), Flag(expanded));
    }

    out.Line(L"");
    out.Line(L"[Wallpaper folders]");
    int number = 0;
    for (const std::wstring& folder : d.wallpaperFolders)
        out.Key(DecimalText(++number), folder);

    for (int modifier = 0; modifier < kModifierCount; ++modifier) {
        out.Line(L"");
        out.Line(L"[" + std::wstring(kActionSections[static_cast<std::size_t>(modifier)]) + L"]");
        for (int zone = 0; zone < kZoneCount; ++zone)
            out.Key(ZoneName(EdgeZone(zone)),
                    d.ActionName(d.assignments[static_cast<std::size_t>(modifier)][static_cast<std::size_t>(zone)]));
    }

    out.Line(L"");
    out.Line(L"[Custom actions]");
    number = 0;
    for (int slot = 0; slot < CCustomActions::kSlotCount; ++slot) {
        const CCustomAction& action = theCustomActions[slot];
        if (action.IsFree()) continue;
        ++number;
        out.Key(Numbered(L"Name ", number), action.name);
        out.Key(Numbered(L"Description ", number), action.description);
        out.Key(Numbered(L"ActionA ", number), action.beginningAction);
        out.Key(Numbered(L"ActionB ", number), action.endingAction);
        WriteCustomActionKeys(out, number, action);
        out.Line(L"");
    }
    std::wstring text = out.Take();
    theButtons.AppendSections(text);
    return text;
}

void CData::LoadSettings()
{
    const auto writer = SystemFileWriter();
    LoadSettings(*writer);
}

void CData::LoadSettings(IFileWriter& writer)
{
    // A folder that cannot be used: not even the start folder's file is
    // read, since it is not the user's, and nothing is saved.
    if (settingsFolderProblem) {
        settingsUnreadable = true;
        fileProblems.Report(*settingsFolderProblem);
        LoadFromProfile(ProfileFile());
        return;
    }
    std::string bytes;
    FileError error = FileError::None;
    std::wstring fault = settingsPath;
    ReadResult read = ReadWholeFile(settingsPath, bytes, &error);
    bool recovered = false;
    if (read == ReadResult::Missing) {
        if (std::optional<LostSave> lost = TakeBackLostSave(settingsPath, writer, IsCompleteSettingsFile)) {
            recovered = lost->readError == FileError::None;
            // One that cannot be read may be the only copy: read as a file
            // that cannot be, so that no save replaces it.
            read = recovered ? ReadResult::Read : ReadResult::Failed;
            error = lost->readError;
            fault = lost->from;
            bytes = std::move(lost->bytes);
        }
    }
    TextEncoding encoding = TextEncoding::Ansi;
    const std::optional<std::wstring> text =
        read == ReadResult::Read ? DecodeSettingsBytes(bytes, &encoding) : std::wstring();
    if (!text) error = FileError::Undecodable;
    // A file that exists but cannot be read loads as defaults, like a missing
    // one, so that the program still starts; but it must not be overwritten.
    settingsUnreadable = read == ReadResult::Failed || !text;
    if (settingsUnreadable) fileProblems.Report(FileProblem{false, error, fault});
    if (recovered) fileProblems.Report(FileProblem{false, FileError::None, settingsPath, false, true});
    LoadFromProfile(text ? ProfileFile::Parse(*text) : ProfileFile());
    settingsEncoding = encoding;
}

void CData::LoadFromProfile(const ProfileFile& file)
{
    ResetToDefaults();

    for (const SettingDef& def : kSettingDefs) {
        const std::wstring value = file.Get(kSettings, def.key, def.missingValue);
        if (def.number)
            this->*def.number = SettingNumber(def, value);
        else
            this->*def.flag = ParseFlag(value.c_str());
    }
    ComputeSideBands();

    for (int group = 1; group <= kGroupCount; ++group)
        groupExpanded[static_cast<std::size_t>(group - 1)] =
            ParseFlag(file.Get(kSettings, GroupKey(group), kGroupExpandedMissingValue).c_str());

    // A gap in the numbering ends the list.
    for (int number = 1;; ++number) {
        std::wstring folder = file.Get(kWallpaperFolders, DecimalText(number), L"");
        if (folder.empty()) break;
        wallpaperFolders.push_back(std::move(folder));
    }

    // Slot k takes the keys numbered k + 1, so a gap leaves a free slot.
    std::optional<UnreadableKeys> unreadableKeys;
    for (int slot = 0; slot < CCustomActions::kSlotCount; ++slot) {
        CCustomAction& action = theCustomActions[slot];
        action.Clear();
        action.name = file.Get(kCustomActions, Numbered(L"Name ", slot + 1), L"");
        if (action.name.empty()) continue;
        action.description = file.Get(kCustomActions, Numbered(L"Description ", slot + 1), L"");
        action.beginningAction = file.Get(kCustomActions, Numbered(L"ActionA ", slot + 1), L"");
        action.endingAction = file.Get(kCustomActions, Numbered(L"ActionB ", slot + 1), L"");
        ReadCustomActionKeys(file, slot + 1, action, unreadableKeys);
    }
    if (unreadableKeys)
        fileProblems.Report(FileProblem{false, FileError::None, settingsPath, false, false, unreadableKeys});

    // After the custom actions, so that assignments can name them.
    for (int zone = 0; zone < kZoneCount; ++zone) {
        const auto z = static_cast<std::size_t>(zone);
        for (int modifier = 0; modifier < kModifierCount; ++modifier) {
            const wchar_t* fallback = modifier == Plain ? kDefaultPlainActions[z] : kDefaultOtherAction;
            assignments[static_cast<std::size_t>(modifier)][z] = FindActionIndex(
                file.Get(kActionSections[static_cast<std::size_t>(modifier)], ZoneName(EdgeZone(zone)), fallback));
        }
    }

    if (const HWND taskbar = theUtil.FindTaskbar()) theUtil.SetWindowTransparency(taskbar, taskbarTransparency);

    theButtons.LoadButtons(file);
    ScanWallpaperFiles();
}

void CData::SaveSettings()
{
    if (changeListener_) changeListener_();
    if (savesHeld_) {
        savePending_ = true;
        return;
    }
    if (!saveWindow_) {
        WriteNow();
        return;
    }
    if (savePending_) return;  // the timer writes the latest state
    const DWORD now = os::Clock().GetTickCount();
    const DWORD since = now - lastWriteTick_;
    if (!written_ || since >= kSaveIntervalMs) {
        WriteNow();
        return;
    }
    savePending_ = true;
    os::Timers().SetTimer(saveWindow_, kSaveTimerId, kSaveIntervalMs - since);
}

void CData::HoldSaves(bool hold)
{
    if (hold == savesHeld_) return;
    savesHeld_ = hold;
    if (hold) {
        // A write already waiting waits for the release too.
        if (savePending_ && saveWindow_) os::Timers().KillTimer(saveWindow_, kSaveTimerId);
        return;
    }
    if (!savePending_) return;
    // What waited goes as one save, at once or when the interval allows.
    savePending_ = false;
    SaveSettings();
}

void CData::DeferSavesTo(HWND window)
{
    if (!window) FlushSettings();
    saveWindow_ = window;
}

void CData::FlushSettings()
{
    if (saveWindow_) os::Timers().KillTimer(saveWindow_, kSaveTimerId);
    if (!savePending_) return;
    savePending_ = false;
    WriteNow();
}

void CData::WriteNow()
{
    FileError error = FileError::None;
    std::wstring fault;
    // Refused saves over an unreadable file were told at the load.
    if (!WriteSettingsFile(&error, &fault) && !settingsUnreadable)
        fileProblems.Report(FileProblem{true, error, fault.empty() ? settingsPath : fault});
    written_ = true;
    ++settingsWrites;
    lastWriteTick_ = os::Clock().GetTickCount();
}

bool CData::WriteSettingsFile(FileError* error, std::wstring* faultPath) const
{
    if (settingsUnreadable) {
        if (error) *error = FileError::Other;
        return false;
    }
    return WriteFileAtomically(settingsPath, EncodeSettingsText(FormatSettingsFile(), settingsEncoding), error,
                               faultPath);
}

}  // namespace vorn
