// The one way a modal window runs, so that tests can act on it instead.
#pragma once

#include <functional>

class QDialog;

// Runs a modal window and returns its result.
int ExecModal(QDialog &dialog);

namespace MessageTestHook
{
// Test seam: a modal window is handed to this function instead of being
// run; an empty function runs windows again (MessageTestHook::Reset does it
// too).
void SetModalHandler(std::function<int(QDialog &)> handler);
} // namespace MessageTestHook
