#pragma once
#include <optional>

// Holding the keyboard's NumLock toggle: the numeric keypad types digits into the board only while NumLock
// is on. Each platform has its own small layer; where none can reach the keyboard (Wayland without X, the
// offscreen platform) nothing happens.
namespace num_lock_control {

// Brings NumLock to the wanted state (true: on); does nothing when it already is.
void setNumLock(bool wanted);

// The NumLock state as the platform reports it; empty where it cannot be read.
std::optional<bool> numLockState();

} // namespace num_lock_control

// The platform layers behind the two calls above. Each answers false / empty when it cannot act.
namespace num_lock_platform {
std::optional<bool> readNumLock();
bool writeNumLock(bool on);
} // namespace num_lock_platform
