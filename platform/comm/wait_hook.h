#pragma once
// A way for whoever owns the thread (a window toolkit, say) to keep doing its own light work
// while a serial call waits in the kernel. The serial layer knows nothing about who listens.

#include <functional>

namespace platform::comm {

// While a hook is set, ReadFile and WriteFile wait in slices of about 40 ms and call the hook
// between slices on the waiting thread. Without a hook they wait in one piece.
// Passing an empty function removes the hook.
void SetWaitHook(std::function<void()> hook);

}  // namespace platform::comm
