#include "ui/actions_page_model.h"

#include "actions/custom_actions.h"

namespace vorn {

const std::array<RECT, kZoneCount> kDiagramZoneRects{{
    {9, 10, 29, 30},       // upper left corner
    {200, 10, 220, 30},    // upper right corner
    {9, 149, 29, 169},     // lower left corner
    {200, 149, 220, 169},  // lower right corner
    {9, 38, 19, 141},      // left side
    {40, 10, 189, 20},     // top side
    {210, 38, 220, 141},   // right side
    {40, 159, 189, 169},   // bottom side
}};

EdgeZone DiagramZoneAt(POINT p)
{
    for (int zone = 0; zone < kZoneCount; ++zone) {
        const RECT& r = kDiagramZoneRects[static_cast<std::size_t>(zone)];
        if (p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom) return EdgeZone(zone);
    }
    return NoZone;
}

std::wstring ZoneLabel(EdgeZone zone, ModifierKey modifier)
{
    std::wstring name = ZoneName(zone);
    for (wchar_t& c : name)
        c = FoldCase(c);
    const wchar_t* suffix = modifier == Shift ? L" with Shift key" : modifier == Ctrl ? L" with Ctrl key" : L"";
    return L"Action for " + name + suffix + L":";
}

namespace {

// One row per zone in EdgeZone order; columns in Arrow order: left, right,
// up, down.
constexpr EdgeZone kNeighbours[kZoneCount][4] = {
    {UpperLeftCorner, TopSide, UpperLeftCorner, LeftSide},        // upper left corner
    {TopSide, UpperRightCorner, UpperRightCorner, RightSide},     // upper right corner
    {LowerLeftCorner, BottomSide, LeftSide, LowerLeftCorner},     // lower left corner
    {BottomSide, LowerRightCorner, RightSide, LowerRightCorner},  // lower right corner
    {LeftSide, RightSide, UpperLeftCorner, LowerLeftCorner},      // left side
    {UpperLeftCorner, UpperRightCorner, TopSide, BottomSide},     // top side
    {LeftSide, RightSide, UpperRightCorner, LowerRightCorner},    // right side
    {LowerLeftCorner, LowerRightCorner, TopSide, BottomSide},     // bottom side
};

}  // namespace

EdgeZone NeighbourZone(EdgeZone zone, Arrow arrow)
{
    if (zone < 0 || zone >= kZoneCount) return zone;
    return kNeighbours[static_cast<std::size_t>(zone)][static_cast<std::size_t>(arrow)];
}

std::wstring ZoneValueText(EdgeZone zone, ModifierKey modifier)
{
    if (zone < 0 || zone >= kZoneCount) return {};
    const wchar_t* key = modifier == Shift ? L", Shift: " : modifier == Ctrl ? L", Ctrl: " : L": ";
    return ZoneName(zone) + std::wstring(key) + ZoneTip(zone, modifier);
}

std::vector<ActionTreeGroup> BuildActionTree()
{
    std::vector<ActionTreeGroup> groups;
    std::wstring group;
    int number = -1;
    for (ActionIndex index = 0; index < kBuiltInActionCount; ++index) {
        const ActionDef& action = theCatalogue[static_cast<std::size_t>(index)];
        if (group != action.group) {
            group = action.group;
            ++number;
            const int key = number < kCustomGroupKey ? number : number + 1;
            groups.push_back(ActionTreeGroup{group, GroupClosed, GroupOpen, {}, key});
        }
        // An action is stored by its name: one whose name a custom action
        // carries would come back as that custom action after a restart, so
        // the tree offers the custom one only.
        if (CustomShadowing(index) != kNoActionIndex) continue;
        groups.back().items.push_back(ActionTreeItem{action.name, index, BuiltInAction, BuiltInActionSelected});
    }
    std::erase_if(groups, [](const ActionTreeGroup& g) { return g.items.empty(); });
    ActionTreeGroup custom{L"Custom", CustomGroupClosed, CustomGroupOpen, {}, kCustomGroupKey};
    // The custom actions in use fill the first slots.
    for (int slot = 0; slot < theCustomActions.Count(); ++slot)
        custom.items.push_back(ActionTreeItem{theCustomActions[slot].name, kBuiltInActionCount + slot, CustomAction,
                                              CustomActionSelected});
    groups.push_back(std::move(custom));
    return groups;
}

std::wstring HeadingTip(const std::wstring& heading) { return heading + L" actions"; }

std::wstring ZoneTip(EdgeZone zone, ModifierKey modifier)
{
    if (zone < 0 || zone >= kZoneCount) return {};
    return ActionName(theData.assignments[static_cast<std::size_t>(modifier)][static_cast<std::size_t>(zone)]);
}

}  // namespace vorn
