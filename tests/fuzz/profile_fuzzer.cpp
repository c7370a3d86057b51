// Feeds arbitrary bytes to the settings reader and the whole load, then checks
// that what was loaded is within its ranges and survives a save and a load.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "actions/custom_actions.h"
#include "app/settings_store.h"
#include "settings/data.h"
#include "settings/profile.h"
#include "settings/setting_table.h"
#include "settings/settings_file.h"
#include "settings/text_encoding.h"

namespace {

void Require(bool condition)
{
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace vorn;
    static const bool installed = (InstallSettingsStore(), true);
    (void)installed;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const ProfileFile file = ProfileFile::FromBytes(bytes);
    (void)file.Get(L"", L"", L"  ");

    theData.LoadFromProfile(file);
    for (const SettingDef& def : kSettingDefs)
        if (def.number) Require(theData.*def.number >= def.low && theData.*def.number <= def.high);
    for (const auto& row : theData.assignments)
        for (ActionIndex index : row)
            Require(index >= 0 && index < kBuiltInActionCount + CCustomActions::kUsableSlots);

    // A load puts each button section at the head of the list, so a save
    // writes them in the opposite order: two rounds give the same text.
    const std::wstring text = FormatSettingsFile();
    theData.LoadFromProfile(ProfileFile::FromBytes(EncodeSettingsText(text)));
    theData.LoadFromProfile(ProfileFile::FromBytes(EncodeSettingsText(FormatSettingsFile())));
    Require(FormatSettingsFile() == text);
    return 0;
}
