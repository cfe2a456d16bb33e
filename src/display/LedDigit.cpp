#include "LedDigit.h"

#include "LedImageCache.h"
#include "core/display/LedGlyph.h"

#include <QPainter>

LedDigit::LedDigit(QWidget* parent) : QWidget(parent) {
    // The control paints every pixel itself, so Qt need not clear the background first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::ClickFocus);
    const LedBox box = ledBoxForSize(m_size);
    resize(box.width, box.height);
}

void LedDigit::setCaption(int digit) {
    setCaptionValue(ledCaptionFromNumber(digit));
}

void LedDigit::setCaption(const QString& text) {
    setCaptionValue(text.size() == 1 ? ledCaptionFromChar(text.at(0).unicode()) : kLedDark);
}

void LedDigit::setCaptionValue(int caption) {
    if (caption == m_caption) {
        return;
    }
    m_caption = caption;
    update();
}

void LedDigit::setLedType(int type) {
    if (type == m_ledType) {
        return;
    }
    m_ledType = type;
    update();
}

void LedDigit::setSize(double size) {
    const int rounded = ledSizeFromValue(size);
    if (rounded == m_size) {
        return;
    }
    m_size = rounded;
    const LedBox box = ledBoxForSize(m_size);
    // resize() schedules the repaint itself when the box really changes.
    resize(box.width, box.height);
}

void LedDigit::setLitColor(const QColor& color) {
    if (color == m_litColor) {
        return;
    }
    m_litColor = color;
    update();
}

void LedDigit::setBackColor(const QColor& color) {
    if (color == m_backColor) {
        return;
    }
    m_backColor = color;
    update();
}

QSize LedDigit::sizeHint() const {
    const LedBox box = ledBoxForSize(m_size);
    return {box.width, box.height};
}

void LedDigit::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    emit gotFocus();
}

void LedDigit::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    // A dark digit draws nothing at all: unlit segments vanish into the background, as on a real board.
    if (m_caption == kLedDark) {
        painter.fillRect(rect(), m_backColor);
        return;
    }
    const LedImageKey key{size(),    devicePixelRatioF(), ledStyleOf(m_ledType),
                          m_caption, m_litColor.rgba(),   m_backColor.rgba()};
    // The picture covers every pixel of the control, so it is copied, not blended.
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(QPoint(0, 0), LedImageCache::instance().image(key));
}
