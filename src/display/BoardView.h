#pragma once
#include "core/display/LayoutScaling.h"
#include "core/game/GameModel.h"
#include "core/settings/Settings.h"
#include "display/BoardControls.h"
#include "display/LedDigit.h"
#include <QWidget>
#include <array>
#include <vector>

class BoardModel;

// What a drawing of the board is for.
enum class BoardViewRole {
    // The scorekeeper's board: the field boxes take the focus, keys and clicks, and the selected field is framed.
    Board,
    // The public board: a picture of the game only. No focus, key or click, never the selection marker.
    PublicBoard,
};

// The board drawn: every control with the board's layout, captions, colours and LED style, and the game of a
// BoardModel drawn on them (digits, colons, penalty and goal lights, the selected field's marker). It keeps
// nothing of the game and changes nothing in it: the board's window reads its field boxes' signals.
// Controls carry the board's object names; outside the view, find them by name.
class BoardView : public QWidget, public LayoutWindow {
    Q_OBJECT
public:
    BoardView(const SettingsVariables& settings, const BoardModel& model, BoardViewRole role,
              QWidget* parent = nullptr);

    BoardViewRole role() const { return m_role; }
    // Whether the options show the penalised players' numbers beside the penalty boxes.
    bool showsPlayerNumbers() const { return m_settings.ShowPlayerNumbers; }

    // Names, colours and LED style again after the options have changed, and the game drawn with them.
    void refreshFromSettings();
    // The team names (sized by the window), the other captions and the LED style.
    void updateLabels();
    // Every control's colours from the settings.
    void updateFormColors();
    // Draws the model: digits, colons, penalty and goal lights, the marker.
    void drawModel();
    // Takes where every control is now as the layout the window stretches from.
    void recordLayout();
    // A team-name point size scaled to the window's outer size.
    double scaledSize(int points) const;

    // The marker frames the model's selected field while shown (the board shows it when a field takes the focus
    // and hides it when the fields move). A public board never shows it.
    void setMarkerShown(bool shown);

    // Outer window size in twips, the size the team-name scaling is computed from: a standard window frame
    // around the client area, so that the design's 9600 x 7200 window gives the design's point sizes.
    double outerWidthTwips() const;
    double outerHeightTwips() const;
    double layoutWidthTwips() const override;
    double layoutHeightTwips() const override;
    QWidget* window() override { return this; }
    const std::vector<BoardControlRef>& controls() const override { return m_controls; }
    const layout_scaling::LayoutTable& layoutTable() const { return m_layout; }

    // The nine field boxes in tab order (the order of game::Field).
    std::array<PictureBoxControl*, game::kFieldCount> fieldBoxes() const { return m_fields; }
    PictureBoxControl* fieldBox(game::Field field) const { return m_fields[static_cast<std::size_t>(field)]; }
    // The clickable goal lights and their captions.
    ImageControl* homeGoalCover() const { return m_homeGoalCover; }
    ImageControl* visitorGoalCover() const { return m_visitorGoalCover; }
    LabelControl* homeGoalLabel() const { return m_homeGoalLabel; }
    LabelControl* visitorGoalLabel() const { return m_visitorGoalLabel; }

signals:
    // The team names or their sizes changed.
    void labelsChanged();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    // One number of the board: a row of LED digits in the group's own index order.
    struct DigitRow {
        game::DigitGroup group = game::DigitGroup::Time;
        QString name;
        std::vector<LedDigit*> digits;
        void draw(const game::GameState& state) const;
        void colour(const QColor& lit, const QColor& back) const;
    };

    // A penalised player's number beside the penalty box.
    struct PlayerNumber {
        PictureBoxControl* box = nullptr;
        std::array<LedDigit*, 2> digits{}; // index 0 units
    };

    void buildControls();
    void placeMarker();
    void colourControls(const QStringList& exceptions);
    template <class T, class... Args> T* add(const QString& name, QWidget* parent, Args&&... args);
    LedDigit* addDigit(DigitRow& row, QWidget* parent, double left, double top, double size);

    const SettingsVariables& m_settings;
    const BoardModel& m_model;
    BoardViewRole m_role;
    bool m_markerShown = false;
    std::vector<BoardControlRef> m_controls;
    layout_scaling::LayoutTable m_layout;

    std::array<PictureBoxControl*, game::kFieldCount> m_fields{};
    PictureBoxControl* m_homeNameBox = nullptr;
    PictureBoxControl* m_visitorNameBox = nullptr;
    DigitRow m_timeDigits, m_homeDigits, m_visitorDigits, m_periodDigits;
    std::array<DigitRow, game::kPenaltyCount> m_penaltyDigits; // by clock number - 1
    std::array<ShapeControl*, 2> m_clockColon{};
    std::array<std::array<ShapeControl*, 2>, game::kPenaltyCount> m_penaltyColons{}; // by clock number - 1
    std::array<ShapeControl*, game::kPenaltyCount> m_penaltyLights{};                // home two, then visitor two
    std::array<PlayerNumber, game::kPenaltyCount> m_players{};                       // by clock number - 1
    ShapeControl* m_homeGoalLight = nullptr;
    ShapeControl* m_visitorGoalLight = nullptr;
    ShapeControl* m_marker = nullptr;
    ShapeControl* m_clockFrame = nullptr;
    ShapeControl* m_outerFrame = nullptr;
    ImageControl* m_homeGoalCover = nullptr;
    ImageControl* m_visitorGoalCover = nullptr;
    LabelControl* m_homeName = nullptr;
    LabelControl* m_visitorName = nullptr;
    LabelControl* m_homeGoalLabel = nullptr;
    LabelControl* m_visitorGoalLabel = nullptr;
};
