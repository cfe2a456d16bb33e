#pragma once
#include "core/rules/GameReport.h"
#include <QWidget>
#include <functional>
#include <optional>

class OfficialRecord;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

// The off-ice official's part of the console: strength and running penalties at a glance, and the record's
// entries (goal details, penalties, shots, timeouts, goalkeepers, the header, corrections), each appended to the
// game's record file at once. It never takes the board's keys: its buttons take no focus, and its fields take
// the keyboard only when clicked into; Esc, a click on the board or recording the entry gives it back to the board.
class RecordPanel : public QWidget {
    Q_OBJECT
public:
    // The windows the panel opens, replaceable in tests.
    struct Dialogs {
        std::function<bool(QWidget*, const QString&)> confirm;
        // The folder for the report and the time style; nothing when cancelled.
        std::function<std::optional<std::pair<QString, SheetTimeStyle>>(QWidget*)> reportPlace;
        std::function<bool(QWidget*, RecordHeader&)> editHeader;
        std::function<void(QWidget*, const QString&)> tell;
    };

    explicit RecordPanel(OfficialRecord& record, QWidget* parent = nullptr);

    void setDialogs(Dialogs dialogs) { m_dialogs = std::move(dialogs); }
    // Gives the keyboard back to the board (Esc in a field of the panel).
    void setGiveBackKeys(std::function<void()> giveBack) { m_giveBack = std::move(giveBack); }
    // Clears the board for a new game (End game).
    void setClearBoard(std::function<void()> clear) { m_clearBoard = std::move(clear); }
    void setTeamNames(const QString& home, const QString& visitor);

    // The seq of the entry selected in the record's list (0: none).
    std::uint64_t selectedEntry() const;

public slots:
    void refresh();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* numberField(const char* name, const QString& tip);
    QPushButton* button(const char* name, const QString& text);
    int number(const QLineEdit* field) const;
    void recordGoal();
    void recordPenalty();
    void recordShot(bool home);
    void recordTimeout();
    void recordGoalkeeper();
    void editHeader();
    void writeReport();
    void endGame();
    void giveBackKeys();
    QString entryText(const RecordEntry& entry) const;

    OfficialRecord& m_record;
    Dialogs m_dialogs;
    std::function<void()> m_giveBack;
    std::function<void()> m_clearBoard;
    QString m_home = QStringLiteral("Home");
    QString m_visitor = QStringLiteral("Visitor");
    std::uint64_t m_lastGoalSeen = 0;

    QLabel* m_strength = nullptr;
    QListWidget* m_penalties = nullptr;
    QComboBox* m_team = nullptr;
    QLineEdit* m_scorer = nullptr;
    QLineEdit* m_assist1 = nullptr;
    QLineEdit* m_assist2 = nullptr;
    QCheckBox* m_emptyNet = nullptr;
    QCheckBox* m_penaltyShot = nullptr;
    QLineEdit* m_player = nullptr;
    QLineEdit* m_servedBy = nullptr;
    QComboBox* m_infraction = nullptr;
    QComboBox* m_kind = nullptr;
    QLineEdit* m_keeperIn = nullptr;
    QLineEdit* m_keeperOut = nullptr;
    QPushButton* m_shotHome = nullptr;
    QPushButton* m_shotVisitor = nullptr;
    QListWidget* m_entries = nullptr;
    QComboBox* m_release = nullptr; // which of the penalties tied for least time the latest goal ends
    std::uint64_t m_releaseGoal = 0;
};
