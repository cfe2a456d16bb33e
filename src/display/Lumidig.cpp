#include "Lumidig.h"

#include "core/display/LedGlyph.h"

#include <QPaintEvent>
#include <QPainter>
#include <QPolygonF>

Lumidig::Lumidig(QWidget* parent) : QWidget(parent) {
    // The control paints every pixel itself, so Qt need not clear the background first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::ClickFocus);
    const LedBox box = ledBoxForSize(m_size);
    resize(box.width, box.height);
}

void Lumidig::setCaption(int digit) { setCaptionValue(ledCaptionFromNumber(digit)); }

void Lumidig::setCaption(const QString& text) {
    setCaptionValue(text.size() == 1 ? ledCaptionFromChar(text.at(0).unicode()) : kLedDark);
}

void Lumidig::setCaptionValue(int caption) {
    if (caption == m_caption) {
        return;
    }
    m_caption = caption;
    m_pathValid = false;
    update();
}

void Lumidig::setLedType(int type) {
    if (type == m_ledType) {
        return;
    }
    m_ledType = type;
    m_pathValid = false;
    update();
}

void Lumidig::setSize(double size) {
    const int rounded = ledSizeFromValue(size);
    if (rounded == m_size) {
        return;
    }
    m_size = rounded;
    const LedBox box = ledBoxForSize(m_size);
    // resize() schedules the repaint itself when the box really changes.
    resize(box.width, box.height);
}

void Lumidig::setLitColor(const QColor& color) {
    if (color == m_litColor) {
        return;
    }
    m_litColor = color;
    update();
}

void Lumidig::setBackColor(const QColor& color) {
    if (color == m_backColor) {
        return;
    }
    m_backColor = color;
    update();
}

QSize Lumidig::sizeHint() const {
    const LedBox box = ledBoxForSize(m_size);
    return {box.width, box.height};
}

void Lumidig::resizeEvent(QResizeEvent* event) {
    m_pathValid = false;
    QWidget::resizeEvent(event);
}

void Lumidig::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    emit gotFocus();
}

const QPainterPath& Lumidig::litPath() {
    if (m_pathValid) {
        return m_path;
    }
    m_path = QPainterPath();
    const LedGridFit fit(width(), height());
    if (m_ledType == kLedTypeDots) {
        const double r = fit.dotRadius();
        for (int row = 0; row < kLedDotRows; ++row) {
            for (int column = 0; column < kLedDotColumns; ++column) {
                if (ledDotLit(m_caption, row, column)) {
                    const LedPoint c = fit.dotCentre(row, column);
                    m_path.addEllipse(QPointF(c.x, c.y), r, r);
                }
            }
        }
    } else {
        for (int s = 0; s < kLedSegmentCount; ++s) {
            const auto segment = static_cast<LedSegment>(s);
            if (!ledSegmentLit(m_caption, segment)) {
                continue;
            }
            QPolygonF polygon;
            for (const LedPoint& corner : ledSegmentPolygon(segment)) {
                const LedPoint p = fit.map(corner);
                polygon << QPointF(p.x, p.y);
            }
            m_path.addPolygon(polygon);
            m_path.closeSubpath();
        }
    }
    m_pathValid = true;
    return m_path;
}

void Lumidig::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.fillRect(rect(), m_backColor);
    // A dark digit draws nothing at all: unlit segments vanish into the background, as on a real board.
    if (m_caption == kLedDark) {
        return;
    }
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillPath(litPath(), m_litColor);
}
