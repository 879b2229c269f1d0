// The curve behind the curve control: a sorted node list and the tone table computed
// from it, or a table set or drawn directly. Plain C++; imaging/ui/lut_control.h paints
// it and turns the mouse into calls on it.
#pragma once

#include "core/message.h"

#include "core/translatable.h"

#include "imaging/kernels/imaging.h"

#include <string>
#include <string_view>
#include <vector>

namespace imaging {

// Fixed texts of the curve's errors, shared by the code and its tests. "%s" stands for
// the offending character.
inline constexpr std::string_view kColumnsPositive = QT_TRANSLATE_NOOP("Paginor", "Number of columns should be positive");
inline constexpr std::string_view kRowsPositive = QT_TRANSLATE_NOOP("Paginor", "Number of rows should be positive");
inline constexpr std::string_view kHandleSizeRange = QT_TRANSLATE_NOOP("Paginor", "Handle size should be in [0..16] range");
inline constexpr std::string_view kUnexpectedEnd = QT_TRANSLATE_NOOP("Paginor", "Unexpected string end");
inline constexpr std::string_view kOpenExpected = QT_TRANSLATE_NOOP("Paginor", "'(' expected but found '%1'");
inline constexpr std::string_view kCommaExpected = QT_TRANSLATE_NOOP("Paginor", "',' expected but '%1' found");
inline constexpr std::string_view kCloseExpected = QT_TRANSLATE_NOOP("Paginor", "')' expected but '%1' found");
inline constexpr std::string_view kNumberExpected = QT_TRANSLATE_NOOP("Paginor", "Number expected");
inline constexpr std::string_view kNumberInvalid = QT_TRANSLATE_NOOP("Paginor", "Number is invalid");

// A malformed node text or an out-of-range property.
class CurveError : public ImagingError {
public:
    using ImagingError::ImagingError;
};

// One node: input level X, output level Y, both 0..255.
struct CurveNode {
    int x = 0;
    int y = 0;
    bool operator==(const CurveNode&) const = default;
};

enum class CurveMode {
    lmNodes = 0,  // the table follows the nodes; the user edits nodes
    lmCustom = 1, // the table is loaded or drawn directly; nodes are ignored
};

// The node text: "(X, Y), (X, Y)". Throws CurveError with the texts above.
std::vector<CurveNode> parseNodes(std::string_view text);
std::string formatNodes(const std::vector<CurveNode>& nodes);

// The message (a form with "%1") with its %1 filled in by c.
core::Message withCharacter(std::string_view message, char c);

class LutCurve {
public:
    // Mouse edits grab a node this near (in curve levels); parsed text replaces only
    // nodes at the same input level.
    static constexpr int kMouseTolerance = 6;

    LutCurve();

    const ToneLUT& table() const { return m_table; }
    const std::vector<CurveNode>& nodes() const { return m_nodes; }
    CurveMode mode() const { return m_mode; }
    int defaultLeftEdge() const { return m_leftEdge; }
    int defaultRightEdge() const { return m_rightEdge; }

    // Each returns whether the table may have changed (the control then fires OnChange).
    bool setMode(CurveMode mode);
    bool setDefaultLeftEdge(int level);
    bool setDefaultRightEdge(int level);
    // Parses text and replaces the nodes; on an error the nodes stay as they were.
    void setNodes(std::string_view text);
    std::string nodesText() const { return formatNodes(m_nodes); }

    void ResetToDefaultLine();
    void RebuildTable();
    // Switches to lmCustom without the checks of setMode and takes the table as it is.
    void LoadTable(const ToneLUT& table);

    // Adds a node at p or moves the one near it (tolerance t); returns its index.
    int addOrMoveNode(CurveNode p, int tolerance);
    // Dragging: node k to p, kept strictly between its neighbours where they allow.
    void moveNode(int k, CurveNode p);
    // Removes the node nearest p within the mouse tolerance; false when there is none.
    bool deleteNear(CurveNode p);
    // Custom mode's pen: sets X-1..X+1 to Y and blends the two entries either side.
    void drawFreehand(CurveNode p);

    int nearestByDistance(CurveNode p, int tolerance) const;
    int nearestByLevel(CurveNode p, int tolerance) const;

private:
    void drawSegment(CurveNode a, CurveNode b);

    std::vector<CurveNode> m_nodes;
    ToneLUT m_table{};
    CurveMode m_mode = CurveMode::lmNodes;
    int m_leftEdge = 0;
    int m_rightEdge = 255;
};

// A mouse position in a control of width x height pixels, drawn edge pixels in from
// each side, as curve levels.
CurveNode curvePointAt(int x, int y, int width, int height, int edge);

} // namespace imaging
