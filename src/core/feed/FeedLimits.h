#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// How much the feed takes from its clients before it lets go of them. The feed serves a few fixed
// resources to browsers and streaming software on the same machine; anything beyond these bounds is a
// broken or hostile client, and the board must never wait for one or hold memory for one.
struct FeedLimits {
    // A request line and its headers; the feed takes no request bodies. Generous for a browser that has
    // collected many cookies for the loopback host, small enough that a client cannot fill memory.
    std::int64_t maxRequestBytes = std::int64_t{32} * 1024;
    // From a connection's opening (or the first byte of its next request) to the answer: a client that
    // trickles a request or opens a connection and says nothing is closed.
    std::int64_t requestDeadlineMs = 10'000;
    // A kept-alive connection that asks nothing more.
    std::int64_t idleTimeoutMs = 60'000;
    // Answers written to one HTTP connection and not yet taken by its client. A client that keeps asking and
    // never reads would otherwise make the feed hold every answer.
    std::int64_t maxUnsentAnswerBytes = std::int64_t{256} * 1024;
    // HTTP connections at once (live sockets not counted). When every slot is taken, a new connection pushes
    // out the oldest idle one, else the oldest trickle; with neither, it is closed on arrival.
    int maxConnections = 512;
    // Of those, slots kept for requests that arrive whole: connections whose request comes in pieces (a
    // trickle that holds a slot as long as it may) take no more than maxConnections - reservedConnections, so
    // the overlay's own requests are served however many of them there are.
    int reservedConnections = 128;
    // A peer address with this many HTTP connections makes room for its next one from its own idle ones.
    // The bound never refuses while the feed has room: the loopback address is shared by the operator's own
    // overlay and by any local process, and a refusal there would shut out the real client.
    int maxConnectionsPerPeer = 32;
    // A new connection counts as idle only after this long without its first request, so a client that has
    // just connected is not pushed out before it has had the moment it needs to ask.
    std::int64_t firstRequestGraceMs = 1'000;
    // Live sockets at once.
    int maxLiveClients = 512;
    // Unsent bytes queued for one live client before it counts as not reading and is dropped.
    std::int64_t maxClientBacklogBytes = std::int64_t{64} * 1024;
    // Largest frame or message a live client may send; the feed reads none of them.
    std::int64_t maxIncomingMessageBytes = 1024;
    // Frames a live client may send (it has no reason to send any but pongs): a burst of up to frameBurst,
    // then maxFramesPerSecond on average. A client past that is flooding and is closed.
    int maxFramesPerSecond = 50;
    int frameBurst = 100;
    // Live clients are pinged; one that has not answered a ping for pongTimeoutMs has stopped reading.
    std::int64_t pingIntervalMs = 5'000;
    std::int64_t pongTimeoutMs = 15'000;
};

// One HTTP connection from its opening until it is answered or upgraded to a live socket.
class ConnectionGuard {
public:
    enum class Verdict { Keep, TooLarge, TimedOut, NotReading };

    ConnectionGuard(const FeedLimits& limits, std::int64_t nowMs);
    // The connection holds bufferedBytes that do not yet make a complete request, and unsentBytes of
    // answers its client has not taken yet.
    // wholeRequest: what is buffered holds a request's every header line. A request whose first bytes came
    // without the rest is trickling until it is answered.
    Verdict received(std::int64_t bufferedBytes, std::int64_t unsentBytes, std::int64_t nowMs,
                     bool wholeRequest = true);
    bool trickling() const { return m_trickling; }
    // Bytes of a request have arrived since the last answer.
    bool heard() const { return m_heard; }
    // An answer went out: the connection is idle until its next request.
    void answered(std::int64_t nowMs);
    // Deadlines and unread answers, checked from time to time.
    Verdict check(std::int64_t unsentBytes, std::int64_t nowMs) const;
    // Nothing of a request has arrived since the last answer (or, for a new connection, for the grace after
    // its opening), and no answer is still on its way: the connection can go without anybody losing anything.
    bool idle(std::int64_t unsentBytes, std::int64_t nowMs) const;
    // When the connection last heard from its client or answered it.
    std::int64_t lastActivityMs() const { return m_lastActivity; }

private:
    FeedLimits m_limits;
    bool m_waitingForRequest = true;
    bool m_heard = false; // bytes arrived since the last answer
    bool m_answeredOnce = false;
    bool m_trickling = false; // the pending request did not arrive whole
    std::int64_t m_opened;
    std::int64_t m_since; // start of the pending request, or of the idle spell
    std::int64_t m_lastActivity;
};

// An open HTTP connection as the admission of a new one sees it.
struct ConnectionSlot {
    std::string peer; // the client's address
    bool idle = false;
    std::int64_t lastActivityMs = 0;
    bool trickling = false; // holds a request that came in pieces
};

// What to do with a new connection from peer, given the ones open now: take it, take it after
// closing open[drop], or close it. A peer at its own bound makes room from its own idle connections; a full
// feed makes room from anybody's, but never for a peer at its bound. The idle connection quiet for longest
// goes first (of equals, the earlier in open); with none idle, a full feed pushes out the trickling connection
// quiet for longest (a peer at its bound: its own).
struct Admission {
    bool admit = false;
    std::optional<std::size_t> drop;
};
Admission admitConnection(const std::vector<ConnectionSlot>& open, const std::string& peer, const FeedLimits& limits);

// Whether one more connection may trickle its request while tricklingNow others do.
bool mayTrickle(int tricklingNow, const FeedLimits& limits);

// Bytes the feed writes for one text message of payloadBytes to a live client (server frames carry no mask).
std::int64_t textFrameBytes(std::int64_t payloadBytes);

// One live client: answers to pings and the bytes still queued for it.
class LiveClientWatch {
public:
    enum class Verdict { Keep, NotReading, Silent, Flooding };

    LiveClientWatch(const FeedLimits& limits, std::int64_t nowMs);
    bool pingDue(std::int64_t nowMs) const;
    void pinged(std::int64_t nowMs);
    void answered(std::int64_t nowMs);
    Verdict check(std::int64_t backlogBytes, std::int64_t nowMs) const;
    // The client sent a frame: Flooding once it is past the frame rate.
    Verdict frameReceived(std::int64_t nowMs);
    // The client's socket has had writtenBytes written in all, of which the feed's own messages made sentBytes:
    // the rest answered the client's pings (a pong for each) or its close. Those answers count against the frame
    // rate like any frame, each two bytes as one frame (an empty ping's pong), so a client cannot make the feed
    // answer faster than it may send.
    Verdict answersWritten(std::int64_t writtenBytes, std::int64_t sentBytes, std::int64_t nowMs);

private:
    FeedLimits m_limits;
    std::int64_t m_lastPing;
    std::int64_t m_lastAnswer;
    // Frames it may still send, in thousandths of a frame, refilled at maxFramesPerSecond.
    std::int64_t m_frameAllowance;
    std::int64_t m_allowanceAt;
    std::int64_t m_answerBytesCharged = 0;
};
