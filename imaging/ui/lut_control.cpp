#include "imaging/ui/lut_control.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPolygonF>

#include <cmath>

namespace imaging {

CurveControl::CurveControl(QWidget* parent) : QWidget(parent)
{
    resize(131, 131);
    // The control paints every pixel from its own buffer.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void CurveControl::changed()
{
    update();
    emit OnChange(this);
}

void CurveControl::setDefaultLeftEdge(std::uint8_t level)
{
    if (m_curve.setDefaultLeftEdge(level))
        changed();
}

void CurveControl::setDefaultRightEdge(std::uint8_t level)
{
    if (m_curve.setDefaultRightEdge(level))
        changed();
}

void CurveControl::setEdge(int edge)
{
    m_edge = edge;
    if (Mode() == CurveMode::lmNodes)
        update();
}

void CurveControl::setGridColor(QRgb argb)
{
    if (std::exchange(m_gridColor, argb) != argb)
        update();
}

void CurveControl::setLineColor(QRgb argb)
{
    if (std::exchange(m_lineColor, argb) != argb)
        update();
}

void CurveControl::setNodeColor(QRgb argb)
{
    m_nodeColor = argb;
    if (Mode() == CurveMode::lmNodes)
        update();
}

void CurveControl::setGridCols(int count)
{
    if (count < 0)
        throw CurveError(kColumnsPositive);
    if (std::exchange(m_gridCols, count) != count)
        update();
}

void CurveControl::setGridRows(int count)
{
    if (count < 0)
        throw CurveError(kRowsPositive);
    if (std::exchange(m_gridRows, count) != count)
        update();
}

void CurveControl::setMode(CurveMode mode)
{
    if (m_curve.setMode(mode))
        changed();
}

void CurveControl::setNodes(const QString& text)
{
    m_curve.setNodes(text.toStdString());
    if (Mode() == CurveMode::lmNodes)
        changed();
}

void CurveControl::setNodeSize(int size)
{
    if (size < 0 || size > 16)
        throw CurveError(kHandleSizeRange);
    m_nodeSize = size;
    if (Mode() == CurveMode::lmNodes)
        update();
}

void CurveControl::setBackgndImage(const QImage& image)
{
    m_background = image;
    update();
}

void CurveControl::setColor(const QColor& color)
{
    m_color = color;
    update();
}

void CurveControl::ResetToDefaultLine()
{
    m_curve.ResetToDefaultLine();
    changed();
}

void CurveControl::LoadTable(const ToneLUT& source)
{
    m_curve.LoadTable(source);
    update();
}

void CurveControl::RebuildTable()
{
    m_curve.RebuildTable();
    if (m_curve.nodes().empty())
        changed();
    else
        update();
}

CurveNode CurveControl::curvePoint(QPoint position) const
{
    return curvePointAt(position.x(), position.y(), width(), height(), m_edge);
}

void CurveControl::paintBuffer()
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
    if (Mode() == CurveMode::lmCustom) {
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
    if (Mode() != CurveMode::lmNodes)
        return;
    for (const auto& n : nodes) {
        const int cx = static_cast<int>(std::nearbyint(n.x * w / 255.0)) + e;
        const int cy = e + h - static_cast<int>(std::nearbyint(n.y * h / 255.0));
        p.fillRect(cx - m_nodeSize, cy - m_nodeSize, 2 * m_nodeSize + 1, 2 * m_nodeSize + 1,
                   QColor::fromRgba(m_nodeColor));
    }
}

void CurveControl::paintEvent(QPaintEvent*)
{
    paintBuffer();
    QPainter(this).drawImage(0, 0, m_buffer);
}

void CurveControl::mousePressEvent(QMouseEvent* event)
{
    const CurveNode p = curvePoint(event->position().toPoint());
    m_activeNode = -1;
    if (Mode() == CurveMode::lmNodes) {
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

void CurveControl::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_dragging)
        return;
    const CurveNode p = curvePoint(event->position().toPoint());
    if (m_activeNode >= 0 && m_activeNode < static_cast<int>(m_curve.nodes().size())) {
        m_curve.moveNode(m_activeNode, p);
        m_curve.RebuildTable();
    } else if (Mode() == CurveMode::lmCustom) {
        m_curve.drawFreehand(p);
    }
    changed();
}

void CurveControl::mouseReleaseEvent(QMouseEvent*)
{
    m_dragging = false;
    m_activeNode = -1;
}

} // namespace imaging
