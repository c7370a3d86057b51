#include <gtest/gtest.h>

#include "actions/custom_actions.h"

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

}  // namespace
}  // namespace vorn
