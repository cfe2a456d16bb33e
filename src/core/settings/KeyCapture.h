#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

// What the options dialog and the key window hand each other while one command key is being chosen.
// The options dialog owns one and passes it to the key window, so two dialogs (or two tests) never share
// a hidden global.
struct KeyCaptureExchange {
    // The action, as a phrase completing "Press the key you would like to ".
    std::string keyPrompt;
    // The key the action has now in the options dialog's working copy.
    std::int16_t assignedKey = 0;
    // The answer: the accepted key code as decimal text, "0" when no key was accepted.
    std::string chosenKey = "0";
};

// The seven command keys as the options dialog holds them while it is open, in the order
// start/stop clock, reset clock, clear, clock switch, penalty clock, buzzer, horn.
using WorkingKeys = std::array<std::int16_t, 7>;
enum CommandKeyIndex : std::size_t {
    StartStopClockKeyIndex = 0,
    ResetClockKeyIndex,
    ClearKeyIndex,
    ClockSwitchKeyIndex,
    SepTimeKeyIndex,
    BuzzerKeyIndex,
    HornKeyIndex,
};

// The key window's prompt for an action.
std::string keyCapturePromptText(const std::string& keyPrompt);

// Whether the key window takes key code k for the action that has assignedKey now. The action's own key is
// always taken again. Any other key is refused when it has no display name (those keys type into the board's
// fields or cannot be shown), when another command already has it (two commands on one key would fire
// together), or when it is F1 or F2 (help and options on the board).
bool isKeyAccepted(int k, std::int16_t assignedKey, const WorkingKeys& workingKeys);

// A key press in the key window: true when accepted, with chosenKey set to its code; false when refused,
// leaving the exchange as it was.
bool captureKeyPress(KeyCaptureExchange& exchange, int k, const WorkingKeys& workingKeys);

// The key the window chose: nothing when chosenKey is "0" or not a key code.
std::optional<std::int16_t> chosenKeyCode(const KeyCaptureExchange& exchange);
