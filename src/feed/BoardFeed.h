#pragma once
#include "core/feed/BoardState.h"
#include "core/feed/FeedLimits.h"
#include "core/feed/FeedOptions.h"
#include "feed/FeedNotice.h"
#include <QHostAddress>
#include <QObject>
#include <QTimer>
#include <functional>
#include <memory>
#include <optional>
#include <string>

class BoardWindow;
class ClockEngine;
struct SettingsVariables;
class FeedServer;
class FeedDirectory;

// Follows the board and hands every change to the feed server and the feed folder. The board knows
// nothing of it: the feed follows the game model's change signal and the board's signal for what it shows
// outside the game (a sound, the team names), looks once the event that changed them has been handled, and
// publishes only when what the board shows has changed. While the game clock shows tenths and runs it also looks
// at each whole tenth of the engine's clock; above a minute each shown change brings the new remaining times.
// It can start before the board opens: until it follows a board it publishes the fresh board.
class BoardFeed : public QObject {
    Q_OBJECT
public:
    BoardFeed(BoardWindow& board, ClockEngine& engine, const SettingsVariables& settings, QObject* parent = nullptr);
    // A feed with no board yet: it publishes the board as it will open, with the settings' team names.
    BoardFeed(ClockEngine& engine, const SettingsVariables& settings, QObject* parent = nullptr);
    ~BoardFeed() override;

    // From now on the feed follows this board (once; the board outlives the feed).
    void follow(BoardWindow& board);

    // Starts what the plan asks for, telling each problem on the program's error output and through show
    // (the program shows it on the board's screen), each once. Null when the plan asks for nothing or nothing
    // could be started; the board runs on either way.
    static std::unique_ptr<BoardFeed> start(const FeedPlan& plan, BoardWindow& board, ClockEngine& engine,
                                            const SettingsVariables& settings, FeedNotice::Show show = {});
    // The same with no board yet (board null): follow() it once it opens.
    static std::unique_ptr<BoardFeed> start(const FeedPlan& plan, BoardWindow* board, ClockEngine& engine,
                                            const SettingsVariables& settings, FeedNotice::Show show = {});

    bool listen(const QHostAddress& address, quint16 port, QString* error = nullptr,
                const FeedLimits& limits = FeedLimits());
    bool writeTo(const QString& folder, QString* error = nullptr);
    // Where problems found while running (a file that cannot be written) are told.
    void setNotice(std::shared_ptr<FeedNotice> notice) { m_notice = std::move(notice); }

    // Reads the board now and publishes it when it changed.
    void refresh();
    // What the official's record adds to the state (the strength, the penalties): nothing while the penalty
    // rules are off.
    void setRecordReader(std::function<std::optional<RecordState>()> reader) { m_recordReader = std::move(reader); }

    FeedServer* server() const { return m_server.get(); }
    FeedDirectory* directory() const { return m_directory.get(); }
    // The feed looks at the clocks at each whole tenth (the game clock runs under a minute).
    bool watchesTenths() const { return m_nextTenth.isActive(); }

private:
    void refreshSoon();
    // Builds the board's layout document again after the board changed what it shows outside the game (the
    // options' colours, names, LED style); a new version goes into the state so browser boards fetch it.
    void refreshLayout();

    BoardWindow* m_board = nullptr;
    ClockEngine& m_engine;
    const SettingsVariables& m_settings;
    std::unique_ptr<FeedServer> m_server;
    std::unique_ptr<FeedDirectory> m_directory;
    std::shared_ptr<FeedNotice> m_notice = std::make_shared<FeedNotice>();
    std::optional<BoardState> m_last;
    // While the game clock runs under a minute, the next whole tenth of the engine's clock, when its shown tenth
    // turns (the board's tick brings every other change).
    QTimer m_nextTenth;
    bool m_refreshQueued = false;
    bool m_layoutStale = true;
    std::string m_layoutDocument;
    int m_layoutVersion = 0;
    std::function<std::optional<RecordState>()> m_recordReader;
};
