#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// What the command line (--feed PORT, --feed-address ADDR, --feed-dir DIR) or the store (section
// FeedSettings, keys Port and Address) ask of the feed. Absent or empty values ask nothing.
struct FeedRequest {
    std::optional<std::string> port;
    std::optional<std::string> address;
    std::optional<std::string> directory; // the command line's only: the store has no folder key
};

// What the program does about the feed.
struct FeedPlan {
    bool listen = false; // nothing listens unless a valid port was asked for
    std::uint16_t port = 0;
    std::string address;               // the loopback address unless one was given
    std::string directory;             // empty: no text files
    std::vector<std::string> problems; // sentences for the operator, one per value that was refused
};

inline constexpr const char* kFeedSection = "FeedSettings";
inline constexpr const char* kFeedPortKey = "Port";
inline constexpr const char* kFeedAddressKey = "Address";
inline constexpr const char* kFeedLoopback = "127.0.0.1";

// An option's text without the blanks around it.
std::string_view trimmedOption(std::string_view s);
// The first of two option values that says something (the command line's before the store's), trimmed.
std::optional<std::string> firstGivenOption(const std::optional<std::string>& preferred,
                                            const std::optional<std::string>& fallback);

// A TCP port 1..65535 written as plain decimal digits, blanks around allowed.
std::optional<std::uint16_t> parseFeedPort(std::string_view text);

// The command line wins over the store, value by value. An unreadable port leaves the feed off; the
// address is checked when the feed binds it.
FeedPlan planFeed(const FeedRequest& commandLine, const FeedRequest& store);
