#include <gtest/gtest.h>

#include "actions/custom_actions.h"
#include "tests/fake/fixture.h"

namespace vorn {
namespace {

class CustomActionsTest : public ::testing::Test {
protected:
    void Name(int slot, const wchar_t* name) { store[slot].name = name; }
    CCustomActions store;
};

TEST_F(CustomActionsTest, EmptyStore)
{
    EXPECT_EQ(store.Count(), 0);
    EXPECT_EQ(store.FirstFreeSlot(), 0);
    EXPECT_EQ(store.FindSlot(L"Anything"), -1);
    EXPECT_EQ(store.FindSlot(L""), 0);  // an empty name finds the first free slot
}

TEST_F(CustomActionsTest, CountsAndFindsWithGaps)
{
    Name(0, L"Backup");
    Name(2, L"Mail");
    EXPECT_EQ(store.Count(), 2);
    EXPECT_EQ(store.FirstFreeSlot(), 1);
    EXPECT_EQ(store.FindSlot(L"Mail"), 2);
    EXPECT_EQ(store.FindSlot(L""), 1);
}

TEST_F(CustomActionsTest, FindSlotIgnoresCaseOfAsciiLettersOnly)
{
    Name(3, L"Backup Now");
    EXPECT_EQ(store.FindSlot(L"backup now"), 3);
    EXPECT_EQ(store.FindSlot(L"BACKUP NOW"), 3);
    EXPECT_EQ(store.FindSlot(L"Backup Now "), -1);
    Name(4, L"\u00c4pfel");
    EXPECT_EQ(store.FindSlot(L"\u00c4PFEL"), 4);
    EXPECT_EQ(store.FindSlot(L"\u00e4pfel"), -1);
}

TEST_F(CustomActionsTest, SlotNinetyNineIsNeverCountedSearchedOrFree)
{
    Name(99, L"Hidden");
    EXPECT_EQ(store.Count(), 0);
    EXPECT_EQ(store.FindSlot(L"Hidden"), -1);
    for (int slot = 0; slot < 99; ++slot)
        store[slot].name = L"A" + std::to_wstring(slot);
    EXPECT_EQ(store.Count(), 99);
    EXPECT_EQ(store.FirstFreeSlot(), -1);
    store[99].name.clear();
    EXPECT_EQ(store.FirstFreeSlot(), -1);
    EXPECT_EQ(store.FindSlot(L"a98"), 98);
}

TEST_F(CustomActionsTest, SlotAccessIsBoundsChecked)
{
    EXPECT_EQ(store.Slot(-1), nullptr);
    EXPECT_EQ(store.Slot(100), nullptr);
    EXPECT_EQ(store.Slot(99), &store[99]);
}

TEST_F(CustomActionsTest, ClearEmptiesEveryField)
{
    store[5] = CCustomAction{L"N", L"D", L"A", L"B"};
    store.Clear();
    EXPECT_TRUE(store[5].name.empty() && store[5].description.empty() && store[5].beginningAction.empty() &&
                store[5].endingAction.empty());
}

// The names actions are stored by: the catalogue's and the custom slots'.
class ActionNamesTest : public fake::DesktopTest {
protected:
    void NameSlot(int slot, const wchar_t* name, const wchar_t* description = L"")
    {
        theCustomActions[slot].name = name;
        theCustomActions[slot].description = description;
    }
};

struct LookupCase {
    const wchar_t* name;
    ActionIndex expected;
};

TEST_F(ActionNamesTest, FindActionIndexComparesWholeNamesExactly)
{
    NameSlot(0, L"Backup");
    NameSlot(1, L"Mail");
    NameSlot(2, L"Cascade");  // shadowed by the built-in name
    const LookupCase cases[] = {
        {L"Cascade", 21},
        {L"cascade", kNoActionIndex},
        {L"", kNoActionIndex},
        {L" Cascade", kNoActionIndex},
        {L"Cascade ", kNoActionIndex},
        {L"No action", 94},
        {L"no action", 94},
        {L"Backup", kBuiltInActionCount},
        {L"Mail", kBuiltInActionCount + 1},
        {L"Task view", 95},
        {L"Mute", 106},
        {L"Volume down", kBuiltInActionCount - 1},
        {L"mail", kNoActionIndex},
        {L"Screen saver on", 0},
        {L"Vorn settings", 93},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FindActionIndex(c.name), c.expected) << testing::PrintToString(std::wstring(c.name));
}

TEST_F(ActionNamesTest, CustomActionsNamedLikeTheLaterBuiltInsWinTheirNamesAndTheOlderBuiltInsDoNot)
{
    NameSlot(0, L"Cascade");
    NameSlot(1, L"Task view");
    NameSlot(2, L"Volume down");
    const LookupCase cases[] = {
        {L"Cascade", 21},                           // an older built-in: the built-in
        {L"Task view", kBuiltInActionCount + 1},    // the first later built-in
        {L"Volume down", kBuiltInActionCount + 2},  // the last one
        {L"Start menu", 96},                        // no custom action of its name
        {L"No action", kNoActionIndex},             // the last older built-in
    };
    for (const auto& c : cases)
        EXPECT_EQ(FindActionIndex(c.name), c.expected) << testing::PrintToString(std::wstring(c.name));
}

TEST_F(ActionNamesTest, FindActionIndexSeesOnlyTheFirstCountSlots)
{
    // A hand-edited file numbered 1 and 3: slots 0 and 2 named, Count 2.
    NameSlot(0, L"First");
    NameSlot(2, L"Third");
    EXPECT_EQ(FindActionIndex(L"First"), kBuiltInActionCount);
    EXPECT_EQ(FindActionIndex(L"Third"), kNoActionIndex);
    NameSlot(99, L"Last");
    EXPECT_EQ(FindActionIndex(L"Last"), kNoActionIndex);
}

TEST_F(ActionNamesTest, FindActionIndexNeverNamesAFreeSlot)
{
    // Slot 0 free, slot 1 named: Count is 1, and slot 0 lies within it.
    NameSlot(1, L"Second");
    EXPECT_EQ(FindActionIndex(L""), kNoActionIndex);
}

TEST_F(ActionNamesTest, ActionNameAndDescription)
{
    NameSlot(0, L"Backup", L"Copies the documents");
    NameSlot(1, L"Mail", L"Opens the mail");
    EXPECT_EQ(ActionName(94), L"No action");
    EXPECT_EQ(ActionName(0), L"Screen saver on");
    EXPECT_EQ(ActionName(kBuiltInActionCount + 1), L"Mail");
    EXPECT_EQ(ActionDescription(kBuiltInActionCount), L"Copies the documents");
    EXPECT_EQ(ActionName(95), L"Task view");
    EXPECT_EQ(ActionName(kBuiltInActionCount - 1), L"Volume down");
    EXPECT_EQ(ActionDescription(21), L"Cascade all active windows");
    EXPECT_EQ(ActionName(kBuiltInActionCount + 2), L"");  // a free slot
    // Out of the index space: nothing, rather than reading past the store.
    EXPECT_EQ(ActionName(-1), L"");
    EXPECT_EQ(ActionName(kBuiltInActionCount + 100), L"");
    EXPECT_EQ(ActionDescription(1000), L"");
}

}  // namespace
}  // namespace vorn
