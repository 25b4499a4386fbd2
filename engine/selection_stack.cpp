// The selection stack that keeps the first clicked tile until the second click.
#include "engine/engine.h"

namespace tessaly {

namespace {
constexpr int32_t StackSlots = 10;
}

void Engine::InitStack() {
    stackTop_ = 1;
}

bool Engine::StackIsEmpty() const {
    return stackTop_ == 1;
}

// The game pushes one cell and pops it before the next push; a push onto a full stack is
// dropped rather than written past the slots.
void Engine::PushCell(TCell c) {
    if (stackTop_ > StackSlots) return;
    stackSlot_[static_cast<size_t>(stackTop_)] = c;
    ++stackTop_;
}

// Reading an empty stack gives slot 0, which is never written and stays (0, 0).
TCell Engine::PeekCell() const {
    if (StackIsEmpty()) return stackSlot_[0];
    return stackSlot_[static_cast<size_t>(stackTop_ - 1)];
}

TCell Engine::PopCell() {
    if (StackIsEmpty()) return stackSlot_[0];
    --stackTop_;
    return stackSlot_[static_cast<size_t>(stackTop_)];
}

}  // namespace tessaly
