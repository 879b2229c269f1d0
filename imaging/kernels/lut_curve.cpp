#include "imaging/kernels/lut_curve.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace imaging {

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Reads the node text token by token; every token may be followed by blanks.
class NodeReader {
public:
    explicit NodeReader(std::string_view text) : m_text(text) { skipBlanks(); }

    bool atEnd() const { return m_at >= m_text.size(); }

    void expect(char token, std::string_view message)
    {
        const char c = current();
        if (c != token)
            throw CurveError(withCharacter(message, c));
        ++m_at;
        skipBlanks();
    }

    int number()
    {
        if (!isDigit(current()))
            throw CurveError(kNumberExpected);
        std::int64_t value = 0;
        for (; !atEnd() && isDigit(m_text[m_at]); ++m_at) {
            value = value * 10 + (m_text[m_at] - '0');
            // Beyond 32 bits the old conversion refused the number; below that any
            // level above 255 is the top level.
            if (value > INT32_MAX)
                throw CurveError(kNumberInvalid);
        }
        skipBlanks();
        return static_cast<int>(std::min<std::int64_t>(value, 255));
    }

private:
    char current() const
    {
        if (atEnd())
            throw CurveError(kUnexpectedEnd);
        return m_text[m_at];
    }

    void skipBlanks()
    {
        while (!atEnd() && isBlank(m_text[m_at]))
            ++m_at;
    }

    std::string_view m_text;
    std::size_t m_at = 0;
};

int clampLevel(int v)
{
    return std::clamp(v, 0, 255);
}

// A node index as the int the callers keep (the list holds at most 256 nodes).
int indexOf(std::size_t i)
{
    return static_cast<int>(i);
}

} // namespace

core::Message withCharacter(std::string_view message, char c)
{
    return {message, std::string(1, c)};
}

std::vector<CurveNode> parseNodes(std::string_view text)
{
    std::vector<CurveNode> points;
    NodeReader reader(text);
    while (!reader.atEnd()) {
        reader.expect('(', kOpenExpected);
        CurveNode p;
        p.x = reader.number();
        reader.expect(',', kCommaExpected);
        p.y = reader.number();
        reader.expect(')', kCloseExpected);
        points.push_back(p);
        if (!reader.atEnd())
            reader.expect(',', kCommaExpected);
    }
    return points;
}

std::string formatNodes(const std::vector<CurveNode>& nodes)
{
    std::string text;
    for (const auto& n : nodes) {
        if (!text.empty())
            text += ", ";
        text += "(" + std::to_string(n.x) + ", " + std::to_string(n.y) + ")";
    }
    return text;
}

LutCurve::LutCurve()
{
    ResetToDefaultLine();
}

bool LutCurve::setMode(CurveMode mode)
{
    if (mode == m_mode)
        return false;
    m_mode = mode;
    if (mode == CurveMode::lmNodes)
        RebuildTable();
    return true;
}

bool LutCurve::setDefaultLeftEdge(int level)
{
    m_leftEdge = clampLevel(level);
    if (m_mode != CurveMode::lmNodes)
        return false;
    RebuildTable();
    return true;
}

bool LutCurve::setDefaultRightEdge(int level)
{
    m_rightEdge = clampLevel(level);
    if (m_mode != CurveMode::lmNodes)
        return false;
    RebuildTable();
    return true;
}

void LutCurve::setNodes(std::string_view text)
{
    const auto points = parseNodes(text);
    LutCurve parsed;
    for (const auto& p : points)
        parsed.addOrMoveNode(p, 0);
    m_nodes = std::move(parsed.m_nodes);
    if (m_mode == CurveMode::lmNodes)
        RebuildTable();
}

void LutCurve::ResetToDefaultLine()
{
    m_nodes.clear();
    for (int i = 0; i < 256; ++i)
        m_table[i] = m_leftEdge + i * (m_rightEdge - m_leftEdge) / 255;
}

void LutCurve::drawSegment(CurveNode a, CurveNode b)
{
    // Two nodes at one input level (squeezed between neighbours one level apart) make
    // a vertical step: the entry takes the later node's level.
    if (b.x == a.x) {
        m_table[clampLevel(a.x)] = clampLevel(b.y);
        return;
    }
    for (int i = a.x; i <= b.x; ++i)
        m_table[clampLevel(i)] = clampLevel(a.y + (i - a.x) * (b.y - a.y) / (b.x - a.x));
}

void LutCurve::RebuildTable()
{
    if (m_nodes.empty()) {
        ResetToDefaultLine();
        return;
    }
    if (m_nodes.front().x > 0)
        drawSegment({0, m_leftEdge}, m_nodes.front());
    for (std::size_t k = 1; k < m_nodes.size(); ++k)
        drawSegment(m_nodes[k - 1], m_nodes[k]);
    if (m_nodes.back().x < 255)
        drawSegment(m_nodes.back(), {255, m_rightEdge});
}

void LutCurve::LoadTable(const ToneLUT& table)
{
    m_mode = CurveMode::lmCustom;
    m_table = table;
}

int LutCurve::nearestByDistance(CurveNode p, int tolerance) const
{
    double best = 1000000.0;
    int found = -1;
    for (std::size_t i = 0; i < m_nodes.size(); ++i) {
        const double d = std::hypot(double(m_nodes[i].x - p.x), double(m_nodes[i].y - p.y));
        if (d < best) {
            best = d;
            found = indexOf(i);
        }
    }
    return found >= 0 && best <= tolerance ? found : -1;
}

int LutCurve::nearestByLevel(CurveNode p, int tolerance) const
{
    int best = 1000000;
    int found = -1;
    for (std::size_t i = 0; i < m_nodes.size(); ++i) {
        const int d = std::abs(m_nodes[i].x - p.x);
        if (d < best) {
            best = d;
            found = indexOf(i);
        }
    }
    return found >= 0 && best <= tolerance ? found : -1;
}

int LutCurve::addOrMoveNode(CurveNode p, int tolerance)
{
    p = {clampLevel(p.x), clampLevel(p.y)};
    if (m_nodes.empty()) {
        m_nodes.push_back(p);
        return 0;
    }
    int k = nearestByDistance(p, tolerance);
    if (k < 0)
        k = nearestByLevel(p, tolerance);
    if (k >= 0) {
        CurveNode& n = m_nodes[k];
        n = p;
        if (k > 0 && m_nodes[k - 1].x >= n.x)
            n.x = m_nodes[k - 1].x + 1;
        if (k + 1 < indexOf(m_nodes.size()) && m_nodes[k + 1].x <= n.x)
            n.x = m_nodes[k + 1].x - 1;
        return k;
    }
    const auto at = std::find_if(m_nodes.begin(), m_nodes.end(), [&](const CurveNode& n) { return n.x > p.x; });
    const auto inserted = m_nodes.insert(at, p);
    return indexOf(static_cast<std::size_t>(inserted - m_nodes.begin()));
}

void LutCurve::moveNode(int k, CurveNode p)
{
    if (k < 0 || k >= indexOf(m_nodes.size()))
        return;
    p = {clampLevel(p.x), clampLevel(p.y)};
    m_nodes[k] = p;
    if (k > 0 && m_nodes[k - 1].x >= p.x)
        m_nodes[k].x = m_nodes[k - 1].x + 1;
    if (k + 1 < indexOf(m_nodes.size()) && p.x >= m_nodes[k + 1].x)
        m_nodes[k].x = m_nodes[k + 1].x - 1;
}

bool LutCurve::deleteNear(CurveNode p)
{
    const int k = nearestByDistance(p, kMouseTolerance);
    if (k < 0)
        return false;
    m_nodes.erase(m_nodes.begin() + k);
    return true;
}

void LutCurve::drawFreehand(CurveNode p)
{
    if (p.x < 0 || p.x > 255)
        return;
    auto set = [&](int i, auto value) {
        if (i >= 0 && i <= 255)
            m_table[i] = value(m_table[i]);
    };
    for (int d = -1; d <= 1; ++d)
        set(p.x + d, [&](int) { return p.y; });
    for (int d : {-2, 2})
        set(p.x + d, [&](int old) { return (p.y + old) / 2; });
    for (int d : {-3, 3})
        set(p.x + d, [&](int old) { return (p.y + 3 * old) / 4; });
}

CurveNode curvePointAt(int x, int y, int width, int height, int edge)
{
    const int w = width - 2 * edge;
    const int h = height - 2 * edge;
    if (w < 2 || h < 2)
        return {0, 0};
    const double cx = std::nearbyint(double(x - edge) * 255.0 / double(w - 1));
    const double cy = 255.0 - std::nearbyint(double(y - edge) * 255.0 / double(h - 1));
    return {static_cast<int>(std::clamp(cx, 0.0, 255.0)), static_cast<int>(std::clamp(cy, 0.0, 255.0))};
}

} // namespace imaging
