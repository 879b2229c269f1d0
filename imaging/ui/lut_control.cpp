#include "imaging/ui/lut_control.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPolygonF>

#include <cmath>

namespace imaging {

TLUTControl::TLUTControl(QWidget* parent) : QWidget(parent)
{
    resize(131, 131);
    // The control paints every pixel from its own buffer.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TLUTControl::changed()
{
    update();
    emit OnChange(this);
}

void TLUTControl::setDefaultLeftEdge(std::uint8_t level)
{
    if (m_curve.setDefaultLeftEdge(level))
        changed();
}

void TLUTControl::setDefaultRightEdge(std::uint8_t level)
{
    if (m_curve.setDefaultRightEdge(level))
        changed();
}

void TLUTControl::setEdge(int edge)
{
    m_edge = edge;
    if (Mode() == TLUTMode::lmNodes)
        update();
}

void TLUTControl::setGridColor(QRgb argb)
{
    if (std::exchange(m_gridColor, argb) != argb)
        update();
}

void TLUTControl::setLineColor(QRgb argb)
{
    if (std::exchange(m_lineColor, argb) != argb)
        update();
}

void TLUTControl::setNodeColor(QRgb argb)
{
    m_nodeColor = argb;
    if (Mode() == TLUTMode::lmNodes)
        update();
}

void TLUTControl::setGridCols(int count)
{
    if (count < 0)
        throw CurveError(kColumnsPositive);
    if (std::exchange(m_gridCols, count) != count)
        update();
}

void TLUTControl::setGridRows(int count)
{
    if (count < 0)
        throw CurveError(kRowsPositive);
    if (std::exchange(m_gridRows, count) != count)
        update();
}

void TLUTControl::setMode(TLUTMode mode)
{
    if (m_curve.setMode(mode))
        changed();
}

void TLUTControl::setNodes(const QString& text)
{
    m_curve.setNodes(text.toStdString());
    if (Mode() == TLUTMode::lmNodes)
        changed();
}

void TLUTControl::setNodeSize(int size)
{
    if (size < 0 || size > 16)
        throw CurveError(kHandleSizeRange);
    m_nodeSize = size;
    if (Mode() == TLUTMode::lmNodes)
        update();
}

void TLUTControl::setBackgndImage(const QImage& image)
{
    m_background = image;
    update();
}

void TLUTControl::setColor(const QColor& color)
{
    m_color = color;
    update();
}

void TLUTControl::ResetToDefaultLine()
{
    m_curve.ResetToDefaultLine();
    changed();
}

void TLUTControl::LoadTable(const ToneLUT& source)
{
    m_curve.LoadTable(source);
    update();
}

void TLUTControl::RebuildTable()
{
    m_curve.RebuildTable();
    if (m_curve.nodes().empty())
        changed();
    else
        update();
}

CurveNode TLUTControl::curvePoint(QPoint position) const
{
    return curvePointAt(position.x(), position.y(), width(), height(), m_edge);
}

void TLUTControl::paintBuffer()
{
    if (m_buffer.size() != size())
        m_buffer = QImage(size(), QImage::Format_ARGB32);
    m_buffer.fill(m_color);
    QPainter p(&m_buffer);
    const int e = m_edge;
    if (!m_background.isNull())
        p.drawImage(QRect(QPoint(e, e), QPoint(width() - e - 1, height() - e - 1)), m_background);
    bool drawDefault = true;
    if (OnCustomPaint)
        OnCustomPaint(this, m_buffer, drawDefault);
    if (!drawDefault)
        return;
    const int w = width() - 2 * e - 1;
    const int h = height() - 2 * e - 1;
    // A grid of 0 divisions has no inner lines (and must not divide by zero).
    p.setPen(QColor::fromRgba(m_gridColor));
    for (int k = 0; m_gridCols > 0 && k <= m_gridCols; ++k) {
        const int x = e + k * w / m_gridCols;
        p.drawLine(x, e, x, e + h);
    }
    for (int k = 0; m_gridRows > 0 && k <= m_gridRows; ++k) {
        const int y = e + k * h / m_gridRows;
        p.drawLine(e, y, e + w, y);
    }
    auto at = [&](double x, double y) { return QPointF(e + x * w / 255.0, e + h - y * h / 255.0); };
    QPolygonF line;
    const auto& nodes = m_curve.nodes();
    if (Mode() == TLUTMode::lmCustom) {
        for (int i = 0; i < 256; ++i)
            line << at(i, m_curve.table()[i] & 0xFF);
    } else {
        if (nodes.empty() || nodes.front().x != 0)
            line << at(0, DefaultLeftEdge());
        for (const auto& n : nodes)
            line << at(n.x, n.y);
        if (nodes.empty() || nodes.back().x != 255)
            line << at(255, DefaultRightEdge());
    }
    p.setPen(QColor::fromRgba(m_lineColor));
    p.drawPolyline(line);
    if (Mode() != TLUTMode::lmNodes)
        return;
    for (const auto& n : nodes) {
        const int cx = static_cast<int>(std::nearbyint(n.x * w / 255.0)) + e;
        const int cy = e + h - static_cast<int>(std::nearbyint(n.y * h / 255.0));
        p.fillRect(cx - m_nodeSize, cy - m_nodeSize, 2 * m_nodeSize + 1, 2 * m_nodeSize + 1,
                   QColor::fromRgba(m_nodeColor));
    }
}

void TLUTControl::paintEvent(QPaintEvent*)
{
    paintBuffer();
    QPainter(this).drawImage(0, 0, m_buffer);
}

void TLUTControl::mousePressEvent(QMouseEvent* event)
{
    const CurveNode p = curvePoint(event->position().toPoint());
    m_activeNode = -1;
    if (Mode() == TLUTMode::lmNodes) {
        if (event->button() == Qt::LeftButton) {
            m_activeNode = m_curve.addOrMoveNode(p, LutCurve::kMouseTolerance);
            m_dragging = true;
        } else {
            if (event->button() == Qt::RightButton)
                m_curve.deleteNear(p);
            m_dragging = false;
        }
        m_curve.RebuildTable();
        changed();
    } else if (event->button() == Qt::LeftButton) {
        m_dragging = true;
        m_curve.drawFreehand(p);
        changed();
    }
}

void TLUTControl::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_dragging)
        return;
    const CurveNode p = curvePoint(event->position().toPoint());
    if (m_activeNode >= 0 && m_activeNode < static_cast<int>(m_curve.nodes().size())) {
        m_curve.moveNode(m_activeNode, p);
        m_curve.RebuildTable();
    } else if (Mode() == TLUTMode::lmCustom) {
        m_curve.drawFreehand(p);
    }
    changed();
}

void TLUTControl::mouseReleaseEvent(QMouseEvent*)
{
    m_dragging = false;
    m_activeNode = -1;
}

} // namespace imaging
