#pragma once
// A way for whoever owns the thread (a window toolkit, say) to keep doing its own light work
// while a serial call waits in the kernel. The serial layer knows nothing about who listens.

#include <functional>

namespace platform::comm {

// While a hook is set, ReadFile and WriteFile call it on the waiting thread about every 40 ms
// that the thread spends waiting, also when each byte arrives before 40 ms have passed.
// Without a hook they wait in one piece.
// Passing an empty function removes the hook.
void SetWaitHook(std::function<void()> hook);

}  // namespace platform::comm
