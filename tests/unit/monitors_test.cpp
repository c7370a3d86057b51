// The connected monitors as the page and the engine know them: by device path,
// numbered primary first, then left to right, whatever order the display
// configuration lists its paths in.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/monitors.h"
#include "tests/fake/fixture.h"

namespace vorn {
namespace {

using fake::FakeMonitor;

struct IdentityCase {
    const char* name;
    std::vector<FakeMonitor> monitors;
    bool configFails;
    bool configReversed;
    // Expected, in number order: the monitor's left edge, path and friendly name.
    std::vector<std::pair<int, std::wstring>> paths;
    std::vector<std::wstring> names;
};

FakeMonitor At(int left, int top, int width, int height, std::wstring path, std::wstring name = L"")
{
    const RECT r{left, top, left + width, top + height};
    return FakeMonitor{r, r, std::move(path), std::move(name)};
}

class ConnectedMonitorsTest : public fake::DesktopTest, public ::testing::WithParamInterface<IdentityCase> {};

TEST_P(ConnectedMonitorsTest, NamesEachMonitorByWhatItIs)
{
    const IdentityCase& c = GetParam();
    desktop.SetMonitors(c.monitors);
    desktop.displayConfigFails = c.configFails;
    desktop.displayConfigReversed = c.configReversed;
    const std::vector<ConnectedMonitor> monitors = ConnectedMonitors();
    ASSERT_EQ(monitors.size(), c.paths.size()) << c.name;
    for (std::size_t i = 0; i < monitors.size(); ++i) {
        EXPECT_EQ(monitors[i].number, static_cast<int>(i) + 1) << c.name;
        EXPECT_EQ(monitors[i].rect.left, c.paths[i].first) << c.name << " #" << i + 1;
        EXPECT_EQ(monitors[i].devicePath, c.paths[i].second) << c.name << " #" << i + 1;
        EXPECT_EQ(monitors[i].friendlyName, c.names[i]) << c.name << " #" << i + 1;
        EXPECT_EQ(monitors[i].primary, i == 0) << c.name << " #" << i + 1;
    }
}

// In the first case the system lists the primary last, and a monitor stands left of it.
INSTANTIATE_TEST_SUITE_P(
    Identity, ConnectedMonitorsTest,
    ::testing::Values(
        IdentityCase{"primary first, then left to right",
                     {At(-1280, 0, 1280, 1024, L"\\\\?\\left"), At(1920, 0, 1280, 1024, L"\\\\?\\right", L"Right"),
                      At(0, 0, 1920, 1080, L"\\\\?\\main", L"Main")},
                     false,
                     false,
                     {{0, L"\\\\?\\main"}, {-1280, L"\\\\?\\left"}, {1920, L"\\\\?\\right"}},
                     {L"Main", L"", L"Right"}},
        IdentityCase{"a column is numbered top to bottom",
                     {At(0, 0, 1920, 1080, L"\\\\?\\main"), At(1920, 1080, 800, 600, L"\\\\?\\low"),
                      At(1920, -600, 800, 600, L"\\\\?\\high")},
                     false,
                     false,
                     {{0, L"\\\\?\\main"}, {1920, L"\\\\?\\high"}, {1920, L"\\\\?\\low"}},
                     {L"", L"", L""}},
        IdentityCase{"paths listed in another order still join their monitors",
                     {At(0, 0, 1920, 1080, L"\\\\?\\main", L"Main"), At(1920, 0, 1280, 1024, L"\\\\?\\second", L"Two")},
                     false,
                     true,
                     {{0, L"\\\\?\\main"}, {1920, L"\\\\?\\second"}},
                     {L"Main", L"Two"}},
        IdentityCase{"without the configuration the adapter's name stands in",
                     {At(0, 0, 1920, 1080, L"\\\\?\\main", L"Main"), At(1920, 0, 1280, 1024, L"\\\\?\\second")},
                     true,
                     false,
                     {{0, L"\\\\.\\DISPLAY1"}, {1920, L"\\\\.\\DISPLAY2"}},
                     {L"", L""}},
        IdentityCase{"a monitor the configuration does not list",
                     {At(0, 0, 1920, 1080, L"\\\\?\\main"), At(1920, 0, 1280, 1024, L"")},
                     false,
                     false,
                     {{0, L"\\\\?\\main"}, {1920, L"\\\\.\\DISPLAY2"}},
                     {L"", L""}}),
    [](const ::testing::TestParamInfo<IdentityCase>& info) { return "Case" + std::to_string(info.index); });

}  // namespace
}  // namespace vorn
