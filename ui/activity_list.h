// The activity window's words and bookkeeping, apart from the widgets
// (portable): what its list must do to catch up with the record, the text
// Copy puts on the clipboard, and the notice about keys Windows drops.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "engine/activity.h"

namespace vorn {

// How the list, whose rows are the record's events newest first, catches
// up: either it starts again from the record, or the newest `insert` events
// go on top and the rows from `keep` on (the events the ring dropped) go.
struct ActivityCatchUp {
    bool rebuild = false;
    std::size_t insert = 0;
    std::size_t keep = 0;
};
// `shownRecorded` is the record's Recorded() when the list last caught up.
ActivityCatchUp CatchUpActivity(std::uint64_t shownRecorded, const CActivityLog& log);

// The lines of the chosen rows (0 the newest event), or of every event when
// none is chosen, each ended by CR LF: what Copy puts on the clipboard.
// Empty when the record is.
std::wstring ActivityClipboardText(const CActivityLog& log, std::span<const std::size_t> rows);

// The tray notice told the first time keys go to a window of a program with
// higher rights, within the balloon's limits (a title of 63 characters and
// a text of 255).
struct HigherRightsNoticeText {
    std::wstring title;
    std::wstring text;
};
HigherRightsNoticeText HigherRightsNotice(const std::wstring& program);

}  // namespace vorn
