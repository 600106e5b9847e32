#pragma once

#include "Errors.h"
#include "ProgramFault.h"
#include "Prompter.h"

namespace vel::gui {

// Runs one command of a window: a core failure ends the command with the standard error box
// and leaves the window open. Returns false when the command failed.
template <class F>
bool runCommand(QWidget* window, F&& command)
{
    try {
        command();
        return true;
    } catch (const Error& e) {
        prompt().error(window, e.message());
    } catch (const std::exception& e) {
        prompt().error(window, programFault(e));
    }
    return false;
}

}  // namespace vel::gui
