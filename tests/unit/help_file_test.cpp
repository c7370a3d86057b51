// The user manual, res/help.htm, lists every built-in action under its group,
// with the name and description written exactly as the catalogue has them.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <string_view>

#include "actions/catalogue.h"

namespace vorn {
namespace {

// The manual in the checkout. A Windows build run under Wine reaches that
// Linux path through the Z: drive.
std::string ReadHelpFile()
{
    const std::string path = std::string(VORN_SOURCE_DIR) + "/res/help.htm";
    std::ifstream in(path, std::ios::binary);
    if (!in && path.front() == '/') in.open("Z:" + path, std::ios::binary);
    std::ostringstream text;
    if (in) text << in.rdbuf();
    return text.str();
}

// UTF-8 of `text` as HTML content: & < > escaped, everything else kept.
std::string Html(std::wstring_view text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        auto c = static_cast<char32_t>(text[i]);
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size())  // a surrogate pair (16-bit wchar_t)
            c = 0x10000 + ((c - 0xD800) << 10) + (static_cast<char32_t>(text[++i]) - 0xDC00);
        if (c == U'&' || c == U'<' || c == U'>') {
            out += (c == U'&') ? "&amp;" : (c == U'<') ? "&lt;" : "&gt;";
        } else if (c < 0x80) {
            out += static_cast<char>(c);
        } else {
            const int more = c < 0x800 ? 1 : c < 0x10000 ? 2 : 3;  // continuation bytes
            const char32_t lead[] = {0, 0xC0, 0xE0, 0xF0};
            out += static_cast<char>(lead[more] | (c >> (6 * more)));
            for (int k = more - 1; k >= 0; --k)
                out += static_cast<char>(0x80 | ((c >> (6 * k)) & 0x3F));
        }
    }
    return out;
}

// Each group is an <h3> heading, in catalogue order; each action is a row
// <tr><td>name</td><td>description</td>… between its group's heading and the next.
TEST(HelpFile, ListsEveryActionUnderItsGroupExactly)
{
    const std::string html = ReadHelpFile();
    ASSERT_FALSE(html.empty()) << "cannot read " << VORN_SOURCE_DIR << "/res/help.htm";
    std::size_t sectionEnd = 0;
    std::size_t searchFrom = 0;
    for (std::size_t i = 0; i < theCatalogue.size(); ++i) {
        const ActionDef& action = theCatalogue[i];
        if (i == 0 || std::wstring_view(action.group) != theCatalogue[i - 1].group) {
            const std::string heading = ">" + Html(action.group) + "</h3>";
            const std::size_t at = html.find(heading, searchFrom);
            ASSERT_NE(at, std::string::npos)
                << "no <h3> heading, or one out of catalogue order, for group \"" << Html(action.group) << '"';
            searchFrom = at + heading.size();
            sectionEnd = html.find("<h3", searchFrom);
        }
        const std::string row = "<tr><td>" + Html(action.name) + "</td><td>" + Html(action.description) + "</td>";
        EXPECT_LT(html.find(row, searchFrom), sectionEnd)
            << "action " << i << " \"" << Html(action.name) << "\" has no exact row under its group; expected " << row;
    }
}

}  // namespace
}  // namespace vorn
