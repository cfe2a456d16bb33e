#pragma once
#include "core/game/GameEvents.h"
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Where the board is published through an MQTT broker: --mqtt URL and --mqtt-ca FILE on the command line, or the
// store's MqttSettings (Url, CaFile, User, Password); the user name and password may also come from the
// environment (RINKMASTER_MQTT_USER, RINKMASTER_MQTT_PASSWORD), which wins over the store. Absent or empty values
// ask nothing. The password is never part of any text made here.
struct MqttRequest {
    std::optional<std::string> url;
    std::optional<std::string> caFile;
    std::optional<std::string> user;
    std::optional<std::string> password;
};

// mqtt://host[:port]/prefix or mqtts://host[:port]/prefix.
struct MqttEndpoint {
    bool tls = false;
    std::string host;       // a name, an IPv4 address, or an IPv6 address without its brackets
    std::uint16_t port = 0; // 1883, or 8883 with TLS, unless one was given
    std::string prefix;     // the topics' first levels, without a slash at either end
    bool operator==(const MqttEndpoint&) const = default;
};

struct MqttUrlReading {
    std::optional<MqttEndpoint> endpoint;
    std::string problem; // why the text was refused: one sentence; empty when read
};

inline constexpr std::uint16_t kMqttPort = 1883;
inline constexpr std::uint16_t kMqttTlsPort = 8883;
inline constexpr std::size_t kMqttMaxPrefix = 200; // bytes

// Reads a broker URL. A user name or password in the URL is refused (they belong in the store or the
// environment, never on a command line), so are a query, a fragment, wildcards and empty topic levels.
MqttUrlReading parseMqttUrl(std::string_view text);

// What the program does about the broker.
struct MqttPlan {
    bool publish = false;
    MqttEndpoint endpoint;
    std::string caFile;                // empty: the system's certificates (with TLS)
    std::string user;                  // empty: no user name
    std::string password;              // only with a user name
    std::vector<std::string> problems; // sentences for the operator, none ever holding the password
};

inline constexpr const char* kMqttSection = "MqttSettings";
inline constexpr const char* kMqttUrlKey = "Url";
inline constexpr const char* kMqttCaFileKey = "CaFile";
inline constexpr const char* kMqttUserKey = "User";
inline constexpr const char* kMqttPasswordKey = "Password";
inline constexpr const char* kMqttUserVariable = "RINKMASTER_MQTT_USER";
inline constexpr const char* kMqttPasswordVariable = "RINKMASTER_MQTT_PASSWORD";

// The command line wins over the store for the URL and the CA file; the environment wins over the store for the
// user name and the password (the command line has neither). An unreadable URL leaves publishing off.
MqttPlan planMqtt(const MqttRequest& commandLine, const MqttRequest& store, const MqttRequest& environment);

// "mqtt://host:port/prefix" ([host] for IPv6), for messages: never a user name or password.
std::string mqttAddressText(const MqttEndpoint& endpoint);

// The topics under the prefix.
std::string mqttStateTopic(const MqttEndpoint& endpoint);
std::string mqttEventsTopic(const MqttEndpoint& endpoint);
std::string mqttStatusTopic(const MqttEndpoint& endpoint);

// The seconds to wait before connecting again after this many failures in a row: 1, 2, 4 ... up to 30.
int mqttRetrySeconds(int failures);

// While a clock runs the state goes out at most ten times a second: the milliseconds to wait before sending a
// changed state, given when the last one went out. With every clock stopped a change goes out at once.
inline constexpr std::int64_t kMqttRunningSpacingMillis = 100;
std::int64_t mqttStateDelay(std::optional<std::int64_t> lastSentMillis, std::int64_t nowMillis, bool clockRunning);

// One event of the game as the JSON object published on the events topic: its kind, its line of text with the
// teams named as the board names them, and its values.
std::string mqttEventJson(const game::GameEvent& event, std::string_view homeName, std::string_view visitorName);
