#include "FeedOptions.h"

std::string_view trimmedOption(std::string_view s) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!s.empty() && blank(s.front())) {
        s.remove_prefix(1);
    }
    while (!s.empty() && blank(s.back())) {
        s.remove_suffix(1);
    }
    return s;
}

std::optional<std::string> firstGivenOption(const std::optional<std::string>& preferred,
                                            const std::optional<std::string>& fallback) {
    for (const auto* v : {&preferred, &fallback}) {
        if (*v && !trimmedOption(**v).empty()) {
            return std::string(trimmedOption(**v));
        }
    }
    return std::nullopt;
}

std::optional<std::uint16_t> parseFeedPort(std::string_view text) {
    text = trimmedOption(text);
    if (text.empty() || text.size() > 5) {
        return std::nullopt;
    }
    std::uint32_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        value = value * 10 + static_cast<std::uint32_t>(c - '0');
    }
    if (value < 1 || value > 65535) {
        return std::nullopt;
    }
    return static_cast<std::uint16_t>(value);
}

FeedPlan planFeed(const FeedRequest& commandLine, const FeedRequest& store) {
    FeedPlan plan;
    plan.address = firstGivenOption(commandLine.address, store.address).value_or(kFeedLoopback);
    if (commandLine.directory) {
        plan.directory = std::string(trimmedOption(*commandLine.directory));
    }
    const std::optional<std::string> port = firstGivenOption(commandLine.port, store.port);
    if (!port) {
        return plan;
    }
    if (const auto value = parseFeedPort(*port)) {
        plan.listen = true;
        plan.port = *value;
    } else {
        plan.problems.push_back("The feed port \"" + *port +
                                "\" is not a number from 1 to 65535, so the feed does not listen.");
    }
    return plan;
}
