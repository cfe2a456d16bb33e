#include "MqttOptions.h"
#include "core/feed/FeedOptions.h"
#include "core/feed/StateDocument.h"
#include <algorithm>

namespace {

bool lowerEquals(std::string_view text, std::string_view lower) {
    if (text.size() != lower.size()) {
        return false;
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
        if (c != lower[i]) {
            return false;
        }
    }
    return true;
}

bool isHostChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
           c == '_';
}

bool isIpv6Char(char c) {
    return (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F') || (c >= '0' && c <= '9') || c == ':' || c == '.';
}

// Well-formed UTF-8: no stray continuation byte, no overlong form, no surrogate, nothing past U+10FFFF.
bool isValidUtf8(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const auto byte = static_cast<unsigned char>(text[i]);
        int length = 0;
        std::uint32_t code = 0;
        if (byte < 0x80) {
            ++i;
            continue;
        }
        if (byte >= 0xc2 && byte <= 0xdf) {
            length = 2;
            code = byte & 0x1fu;
        } else if (byte >= 0xe0 && byte <= 0xef) {
            length = 3;
            code = byte & 0x0fu;
        } else if (byte >= 0xf0 && byte <= 0xf4) {
            length = 4;
            code = byte & 0x07u;
        } else {
            return false;
        }
        if (i + static_cast<std::size_t>(length) > text.size()) {
            return false;
        }
        for (int k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]);
            if ((next & 0xc0u) != 0x80u) {
                return false;
            }
            code = (code << 6) | (next & 0x3fu);
        }
        if ((length == 3 && (code < 0x800 || (code >= 0xd800 && code <= 0xdfff))) ||
            (length == 4 && (code < 0x10000 || code > 0x10ffff))) {
            return false;
        }
        i += static_cast<std::size_t>(length);
    }
    return true;
}

MqttUrlReading refused(std::string problem) {
    return MqttUrlReading{std::nullopt, std::move(problem)};
}

// The prefix's rules: one or more levels, none empty, no wildcard, no control character, valid UTF-8, not a
// broker's own topic ($SYS).
std::string prefixProblem(std::string_view prefix) {
    if (prefix.empty()) {
        return "it names no topic prefix after the address (for example mqtt://broker/rink1)";
    }
    if (prefix.size() > kMqttMaxPrefix) {
        return "its topic prefix is longer than " + std::to_string(kMqttMaxPrefix) + " bytes";
    }
    if (prefix.find_first_of("#+") != std::string_view::npos) {
        return "its topic prefix holds a wildcard (# or +)";
    }
    if (prefix.front() == '/' || prefix.back() == '/' || prefix.find("//") != std::string_view::npos) {
        return "its topic prefix has an empty level";
    }
    if (prefix.front() == '$') {
        return "its topic prefix starts with $, which brokers keep for themselves";
    }
    if (std::any_of(prefix.begin(), prefix.end(),
                    [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7f; })) {
        return "its topic prefix holds a control character";
    }
    if (!isValidUtf8(prefix)) {
        return "its topic prefix is not valid UTF-8";
    }
    return {};
}

// The text as it may be shown: a user name and password written into it are left out.
std::string withoutCredentials(std::string_view url) {
    const std::size_t start = url.find("://");
    const std::size_t from = start == std::string_view::npos ? 0 : start + 3;
    const std::size_t end = std::min(url.find('/', from), url.size());
    const std::size_t at = url.substr(0, end).rfind('@');
    if (at == std::string_view::npos || at < from) {
        return std::string(url);
    }
    return std::string(url.substr(0, from)) + "..." + std::string(url.substr(at));
}

} // namespace

MqttUrlReading parseMqttUrl(std::string_view text) {
    text = trimmedOption(text);
    MqttEndpoint endpoint;
    const std::size_t schemeEnd = text.find("://");
    if (schemeEnd == std::string_view::npos) {
        return refused("it does not start with mqtt:// or mqtts://");
    }
    const std::string_view scheme = text.substr(0, schemeEnd);
    if (lowerEquals(scheme, "mqtt")) {
        endpoint.tls = false;
    } else if (lowerEquals(scheme, "mqtts")) {
        endpoint.tls = true;
    } else {
        return refused("it does not start with mqtt:// or mqtts://");
    }
    std::string_view rest = text.substr(schemeEnd + 3);
    if (rest.find_first_of('?') != std::string_view::npos) {
        return refused("it holds a query (?), which a broker address has not");
    }
    const std::size_t slash = rest.find('/');
    const std::string_view authority = rest.substr(0, slash);
    const std::string_view prefix = slash == std::string_view::npos ? std::string_view() : rest.substr(slash + 1);
    if (authority.find('@') != std::string_view::npos) {
        return refused("it holds a user name or password: give them in the settings or the environment instead");
    }
    std::string_view hostPart;
    std::string_view portPart;
    bool portGiven = false;
    if (!authority.empty() && authority.front() == '[') {
        const std::size_t close = authority.find(']');
        if (close == std::string_view::npos) {
            return refused("its IPv6 address has no closing ]");
        }
        hostPart = authority.substr(1, close - 1);
        const std::string_view after = authority.substr(close + 1);
        if (!after.empty()) {
            if (after.front() != ':') {
                return refused("it holds something after the IPv6 address that is not a port");
            }
            portPart = after.substr(1);
            portGiven = true;
        }
        if (hostPart.empty() || hostPart.find(':') == std::string_view::npos ||
            !std::all_of(hostPart.begin(), hostPart.end(), isIpv6Char)) {
            return refused("the address in brackets is not an IPv6 address");
        }
    } else {
        const std::size_t colon = authority.find(':');
        hostPart = authority.substr(0, colon);
        if (colon != std::string_view::npos) {
            portPart = authority.substr(colon + 1);
            portGiven = true;
        }
        if (hostPart.empty()) {
            return refused("it names no broker");
        }
        if (hostPart.size() > 253 || !std::all_of(hostPart.begin(), hostPart.end(), isHostChar)) {
            return refused("the broker's name is not a host name or an IP address");
        }
    }
    endpoint.host = std::string(hostPart);
    if (portGiven) {
        const bool digitsOnly = !portPart.empty() && std::all_of(portPart.begin(), portPart.end(),
                                                                 [](char c) { return c >= '0' && c <= '9'; });
        const std::optional<std::uint16_t> port = digitsOnly ? parseFeedPort(portPart) : std::nullopt;
        if (!port) {
            return refused("its port is not a number from 1 to 65535");
        }
        endpoint.port = *port;
    } else {
        endpoint.port = endpoint.tls ? kMqttTlsPort : kMqttPort;
    }
    if (const std::string problem = prefixProblem(prefix); !problem.empty()) {
        return refused(problem);
    }
    endpoint.prefix = std::string(prefix);
    return MqttUrlReading{std::move(endpoint), {}};
}

MqttPlan planMqtt(const MqttRequest& commandLine, const MqttRequest& store, const MqttRequest& environment) {
    MqttPlan plan;
    const std::optional<std::string> url = firstGivenOption(commandLine.url, store.url);
    if (!url) {
        return plan;
    }
    const MqttUrlReading reading = parseMqttUrl(*url);
    if (!reading.endpoint) {
        plan.problems.push_back("The broker address \"" + withoutCredentials(url->substr(0, 300)) +
                                "\" cannot be used: " + reading.problem + ". The board is not published.");
        return plan;
    }
    plan.publish = true;
    plan.endpoint = *reading.endpoint;
    plan.caFile = firstGivenOption(commandLine.caFile, store.caFile).value_or(std::string());
    if (!plan.caFile.empty() && !plan.endpoint.tls) {
        plan.problems.push_back("The CA file is used only with mqtts:// addresses; the connection to " +
                                mqttAddressText(plan.endpoint) + " is not encrypted.");
        plan.caFile.clear();
    }
    plan.user = firstGivenOption(environment.user, store.user).value_or(std::string());
    // A password is taken as it is written: blanks may belong to it.
    std::optional<std::string> password =
        environment.password && !environment.password->empty()
            ? environment.password
            : (store.password && !store.password->empty() ? store.password : std::nullopt);
    if (password) {
        if (plan.user.empty()) {
            plan.problems.emplace_back("A broker password is set without a user name, so it is not used.");
        } else {
            plan.password = *password;
        }
    }
    return plan;
}

std::string mqttAddressText(const MqttEndpoint& endpoint) {
    const bool ipv6 = endpoint.host.find(':') != std::string::npos;
    return std::string(endpoint.tls ? "mqtts://" : "mqtt://") + (ipv6 ? "[" : "") + endpoint.host + (ipv6 ? "]" : "") +
           ":" + std::to_string(endpoint.port) + "/" + endpoint.prefix;
}

std::string mqttStateTopic(const MqttEndpoint& endpoint) {
    return endpoint.prefix + "/state";
}

std::string mqttEventsTopic(const MqttEndpoint& endpoint) {
    return endpoint.prefix + "/events";
}

std::string mqttStatusTopic(const MqttEndpoint& endpoint) {
    return endpoint.prefix + "/status";
}

int mqttRetrySeconds(int failures) {
    if (failures <= 1) {
        return 1;
    }
    if (failures >= 6) {
        return 30;
    }
    return std::min(30, 1 << (failures - 1));
}

std::int64_t mqttStateDelay(std::optional<std::int64_t> lastSentMillis, std::int64_t nowMillis, bool clockRunning) {
    if (!clockRunning || !lastSentMillis || nowMillis < *lastSentMillis) {
        return 0;
    }
    return std::max<std::int64_t>(0, *lastSentMillis + kMqttRunningSpacingMillis - nowMillis);
}

std::string mqttEventJson(const game::GameEvent& event, std::string_view homeName, std::string_view visitorName) {
    const char* side = event.side == game::Side::Home ? "home" : event.side == game::Side::Visitor ? "visitor" : "";
    std::string out = "{\"kind\":";
    out += jsonString(game::eventKindName(event.kind));
    out += ",\"text\":" + jsonString(game::eventText(event, homeName, visitorName));
    out += ",\"wallMillis\":" + std::to_string(event.wallMillis);
    out += ",\"period\":" + std::to_string(event.period);
    out += ",\"gameClock\":" + jsonSeconds(event.gameClock);
    out += ",\"side\":" + jsonString(side);
    out += ",\"penaltyClock\":" + std::to_string(event.penaltyClock);
    out += ",\"before\":" + std::to_string(event.before);
    out += ",\"after\":" + std::to_string(event.after);
    out += ",\"time\":" + jsonSeconds(event.time);
    out += ",\"home\":{\"name\":" + jsonString(homeName) + ",\"score\":" + std::to_string(event.homeScore) + "}";
    out +=
        ",\"visitor\":{\"name\":" + jsonString(visitorName) + ",\"score\":" + std::to_string(event.visitorScore) + "}}";
    return out;
}
