#pragma once
#include "core/settings/Settings.h"
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The public board's drawing as data, for a browser to draw it as the program does: every control's design
// rectangle (twips, in its container), its kind and colours, the captions in the program's language, the LED
// glyphs of the chosen style in their logical box, and which part of the state document lights each digit and
// light. Served as /board/layout.json; the page scales it to its window with the board's own stretch rules.

enum class LayoutControlType { Shape, Label, Box, Digit };
enum class LayoutShapeKind { Rectangle, Oval, Circle };
enum class LayoutAlign { Left, Center, Right };

struct LayoutControl {
    std::string name; // the board's control name, shared by every element of a control array
    int element = 0;  // position among the controls of that name, in control order
    LayoutControlType type = LayoutControlType::Box;
    int parent = -1; // index of the containing control in the list, -1 for the window
    std::int64_t left = 0, top = 0, width = 0, height = 0; // twips; a digit's box comes from its size
    std::int64_t size = 0;                                 // a digit's Size
    // Shapes.
    LayoutShapeKind kind = LayoutShapeKind::Rectangle;
    std::int64_t borderWidth = 0; // pixels at the recorded size
    OleColor border = 0;
    std::optional<OleColor> fill; // none: not filled
    // Labels.
    std::string text; // UTF-8, as the board shows it
    std::int64_t fontPoints = 0;
    std::int64_t textWidth = 0; // the caption at its recorded font, twips
    bool bold = false;
    std::string family;
    LayoutAlign align = LayoutAlign::Left;
    bool alignTop = true; // else centred vertically
    OleColor fore = 0;
    // Boxes and digits.
    OleColor back = 0;
    OleColor lit = 0; // a digit's lit colour
    bool hidden = false;
};

struct BoardLayout {
    std::int64_t origWidth = 0; // the client area the positions were recorded at, twips
    std::int64_t origHeight = 0;
    std::int64_t frameWidth = 0; // what the window's frame adds to the client area, twips (team-name fit)
    std::int64_t frameHeight = 0;
    std::vector<LayoutControl> controls;
    std::string lostText; // what the page shows while it hears nothing from the board, in the board's language
};

// The state document's part that lights a control ("clock.digits.2", "home.goalLight", ...) and the colours
// it takes lit and dark; none for a control the state does not change. The selection marker has no binding and
// is never drawn.
struct LayoutBinding {
    std::string path;
    std::string test; // "digit": the path holds a caption; "true": lit when true; "shown": lit when not dark (-1)
    OleColor on = 0;
    OleColor off = 0;
};
std::optional<LayoutBinding> layoutBinding(const LayoutControl& control, const SettingsVariables& settings);

// Whether the page draws the control at all: never the selection marker, nor anything hidden or without area.
bool layoutDrawn(const LayoutControl& control);

// A colour as CSS, "#rrggbb", from the store's 0x00BBGGRR.
std::string cssColour(OleColor colour);

// The document. Keys keep a fixed order, so equal layouts give the same text.
std::string boardLayoutDocument(const BoardLayout& layout, const SettingsVariables& settings);
