#pragma once
// While a handler waits for the timer the window must keep painting yet take no input. Held
// input is the toolkit's event queue pumped with every user event set aside (keys, clicks,
// pointer motion, the close box) and put back, in order, when the hold ends: what the user did
// meanwhile then acts, after the exchange, as on a desktop where a busy program catches up.

#include <vector>

typedef union _GdkEvent GdkEvent;

namespace afx::wx {

class HeldInput {
  public:
    HeldInput() = default;
    HeldInput(const HeldInput&) = delete;
    HeldInput& operator=(const HeldInput&) = delete;
    ~HeldInput();  // drops what is still held

    // Handles whatever the toolkit has pending (painting, resizing, mapping) except input.
    void Pump();
    // Hands the held events over, in order.
    std::vector<GdkEvent*> Take();
    // Gives events to the toolkit as if they had just arrived, and frees them.
    static void Deliver(std::vector<GdkEvent*>& events);

  private:
    static void Sort(GdkEvent* event, void* self);
    static void DeliverOne(GdkEvent* event, void* unused);
    std::vector<GdkEvent*> held_;
};

}  // namespace afx::wx
