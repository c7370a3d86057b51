// What runs an action for a floating button: the main window's edge engine,
// handed to the buttons' windows so that they need nothing else of it.
#pragma once

#include "actions/catalogue.h"
#include "platform/win.h"

namespace vorn {

class IActionRunner {
public:
    // The action's beginning or ending phase, on `target` (the foreground
    // window when null).
    virtual void RunAction(ActionIndex index, bool endingPhase, HWND target) = 0;

protected:
    ~IActionRunner() = default;
};

}  // namespace vorn
