#pragma once
#include "core/feed/BoardState.h"
#include "core/feed/FeedLimits.h"
#include "core/feed/FeedOptions.h"
#include "feed/FeedNotice.h"
#include <QHostAddress>
#include <QObject>
#include <QTimer>
#include <memory>
#include <optional>
#include <string>

class frmScoreBoard;
class modCount;
struct SettingsVariables;
class FeedServer;
class FeedDirectory;

// Follows the board and hands every change to the feed server and the feed folder. The board knows
// nothing of it: the feed follows the game model's change signal and the board's signal for what it shows
// outside the game (a sound, the team names), looks once the event that changed them has been handled, and
// publishes only when what the board shows has changed. While a clock runs it also looks at each whole tenth of
// the engine's clock, when the remaining times it publishes turn.
class BoardFeed : public QObject {
    Q_OBJECT
public:
    BoardFeed(frmScoreBoard& board, modCount& engine, const SettingsVariables& settings, QObject* parent = nullptr);
    ~BoardFeed() override;

    // Starts what the plan asks for, telling each problem on the program's error output and through show
    // (the program shows it on the board's screen), each once. Null when the plan asks for nothing or nothing
    // could be started; the board runs on either way.
    static std::unique_ptr<BoardFeed> start(const FeedPlan& plan, frmScoreBoard& board, modCount& engine,
                                            const SettingsVariables& settings, FeedNotice::Show show = {});

    bool listen(const QHostAddress& address, quint16 port, QString* error = nullptr,
                const FeedLimits& limits = FeedLimits());
    bool writeTo(const QString& folder, QString* error = nullptr);
    // Where problems found while running (a file that cannot be written) are told.
    void setNotice(std::shared_ptr<FeedNotice> notice) { m_notice = std::move(notice); }

    // Reads the board now and publishes it when it changed.
    void refresh();

    FeedServer* server() const { return m_server.get(); }
    FeedDirectory* directory() const { return m_directory.get(); }

private:
    void refreshSoon();
    // Builds the board's layout document again after the board changed what it shows outside the game (the
    // options' colours, names, LED style); a new version goes into the state so browser boards fetch it.
    void refreshLayout();

    frmScoreBoard& m_board;
    modCount& m_engine;
    const SettingsVariables& m_settings;
    std::unique_ptr<FeedServer> m_server;
    std::unique_ptr<FeedDirectory> m_directory;
    std::shared_ptr<FeedNotice> m_notice = std::make_shared<FeedNotice>();
    std::optional<BoardState> m_last;
    // While a clock runs, the next whole tenth of the engine's clock, when the remaining times it publishes turn
    // (the board's tick wakes only when the shown digits change).
    QTimer m_nextTenth;
    bool m_refreshQueued = false;
    bool m_layoutStale = true;
    std::string m_layoutDocument;
    int m_layoutVersion = 0;
};
