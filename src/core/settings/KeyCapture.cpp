#include "core/settings/KeyCapture.h"

#include <algorithm>
#include <limits>

#include "core/input/KeyTables.h"
#include "core/settings/Settings.h"

namespace {

constexpr int kF1 = 112;
constexpr int kF2 = 113;

bool fitsKeyCode(int k) {
    return k >= std::numeric_limits<std::int16_t>::min() && k <= std::numeric_limits<std::int16_t>::max();
}

} // namespace

std::string keyCapturePromptText(const std::string& keyPrompt) {
    return "Press the key you would like to " + keyPrompt + ".";
}

bool isKeyAccepted(int k, std::int16_t assignedKey, const WorkingKeys& workingKeys) {
    if (!fitsKeyCode(k))
        return false;
    const auto key = static_cast<std::int16_t>(k);
    if (key == assignedKey)
        return true;
    if (keyCodeToStr(key).empty())
        return false;
    if (std::find(workingKeys.begin(), workingKeys.end(), key) != workingKeys.end())
        return false;
    return k != kF1 && k != kF2;
}

bool captureKeyPress(KeyCaptureExchange& exchange, int k, const WorkingKeys& workingKeys) {
    if (!isKeyAccepted(k, exchange.assignedKey, workingKeys))
        return false;
    exchange.chosenKey = std::to_string(k);
    return true;
}

std::optional<std::int16_t> chosenKeyCode(const KeyCaptureExchange& exchange) {
    const std::optional<std::int64_t> code = parseStoredInteger(
        exchange.chosenKey, std::numeric_limits<std::int16_t>::min(), std::numeric_limits<std::int16_t>::max());
    if (!code || *code == 0)
        return std::nullopt;
    return static_cast<std::int16_t>(*code);
}
