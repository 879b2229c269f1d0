// The curve control: a grid, the curve and its nodes, edited with the mouse (nodes in
// lmNodes mode, a freehand pen in lmCustom mode). The curve itself is imaging::LutCurve;
// this paints it into an ARGB off-screen image and copies that to the screen.
#pragma once

#include "imaging/kernels/lut_curve.h"

#include <QColor>
#include <QImage>
#include <QWidget>

#include <functional>

namespace imaging {

class CurveControl : public QWidget {
    Q_OBJECT
public:
    // Called before the grid and curve are drawn into bitmap; clearing drawDefault
    // leaves them out.
    using CustomPaintHandler = std::function<void(CurveControl* sender, QImage& bitmap, bool& drawDefault)>;

    explicit CurveControl(QWidget* parent = nullptr);

    int DefaultLeftEdge() const { return m_curve.defaultLeftEdge(); }
    int DefaultRightEdge() const { return m_curve.defaultRightEdge(); }
    void setDefaultLeftEdge(std::uint8_t level);
    void setDefaultRightEdge(std::uint8_t level);
    int Edge() const { return m_edge; }
    void setEdge(int edge);
    QRgb GridColor() const { return m_gridColor; }
    QRgb LineColor() const { return m_lineColor; }
    QRgb NodeColor() const { return m_nodeColor; }
    void setGridColor(QRgb argb);
    void setLineColor(QRgb argb);
    void setNodeColor(QRgb argb);
    int GridCols() const { return m_gridCols; }
    int GridRows() const { return m_gridRows; }
    // Negative counts throw CurveError(kColumnsPositive / kRowsPositive).
    void setGridCols(int count);
    void setGridRows(int count);
    CurveMode Mode() const { return m_curve.mode(); }
    void setMode(CurveMode mode);
    QString Nodes() const { return QString::fromStdString(m_curve.nodesText()); }
    // Throws CurveError for a malformed text, leaving the nodes as they were.
    void setNodes(const QString& text);
    int NodeSize() const { return m_nodeSize; }
    // Throws CurveError(kHandleSizeRange) outside 0..16.
    void setNodeSize(int size);
    const QImage& BackgndImage() const { return m_background; }
    void setBackgndImage(const QImage& image);
    QColor Color() const { return m_color; }
    void setColor(const QColor& color);

    CustomPaintHandler OnCustomPaint;

    void ResetToDefaultLine();
    void ReadTable(ToneLUT& destination) const { destination = m_curve.table(); }
    void LoadTable(const ToneLUT& source);
    void RebuildTable();

    const LutCurve& curve() const { return m_curve; }
    // The last painted off-screen image (tests read the drawing from it).
    const QImage& buffer() const { return m_buffer; }

signals:
    // After every change of the curve.
    void OnChange(imaging::CurveControl* sender);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void paintBuffer();
    CurveNode curvePoint(QPoint position) const;
    void changed();

    LutCurve m_curve;
    int m_edge = 1;
    QRgb m_gridColor = qRgba(127, 127, 127, 255);
    QRgb m_lineColor = qRgba(0, 0, 0, 255);
    QRgb m_nodeColor = qRgba(0, 0, 255, 255);
    int m_gridCols = 8;
    int m_gridRows = 8;
    int m_nodeSize = 2;
    QImage m_background;
    QColor m_color = Qt::white;
    QImage m_buffer;
    int m_activeNode = -1;
    bool m_dragging = false;
};

} // namespace imaging
