#include "BoardControls.h"
#include "input/KeyTranslate.h"
#include <QKeyEvent>
#include <QPainter>
#include <cmath>

namespace twips {

int toPixels(double value) {
    return static_cast<int>(std::lround(value / kPerPixel));
}
double left(const QWidget* w) {
    return w->x() * kPerPixel;
}
double top(const QWidget* w) {
    return w->y() * kPerPixel;
}
double width(const QWidget* w) {
    return w->width() * kPerPixel;
}
double height(const QWidget* w) {
    return w->height() * kPerPixel;
}
void setLeft(QWidget* w, double value) {
    w->move(toPixels(value), w->y());
}
void setTop(QWidget* w, double value) {
    w->move(w->x(), toPixels(value));
}
void setWidth(QWidget* w, double value) {
    w->resize(std::max(1, toPixels(value)), w->height());
}
void setHeight(QWidget* w, double value) {
    w->resize(w->width(), std::max(1, toPixels(value)));
}
void place(QWidget* w, double l, double t, double wd, double h) {
    w->setGeometry(toPixels(l), toPixels(t), std::max(1, toPixels(wd)), std::max(1, toPixels(h)));
}
int pointsToPixels(double points) {
    return std::max(1, static_cast<int>(std::lround(points * 96.0 / 72.0)));
}

} // namespace twips

QColor fromOleColor(std::int32_t bgr) {
    const auto v = static_cast<std::uint32_t>(bgr);
    return QColor(static_cast<int>(v & 0xFF), static_cast<int>((v >> 8) & 0xFF), static_cast<int>((v >> 16) & 0xFF));
}

std::int32_t toOleColor(const QColor& colour) {
    const QColor rgb = colour.toRgb();
    return static_cast<std::int32_t>(rgb.red() | (rgb.green() << 8) | (rgb.blue() << 16));
}

ShapeControl::ShapeControl(Kind kind, QWidget* parent) : QWidget(parent), m_kind(kind) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void ShapeControl::setFillColor(const QColor& c) {
    if (c != m_fill) {
        m_fill = c;
        update();
    }
}

void ShapeControl::setFilled(bool filled) {
    if (filled != m_filled) {
        m_filled = filled;
        update();
    }
}

void ShapeControl::setBorderColor(const QColor& c) {
    if (c != m_border) {
        m_border = c;
        update();
    }
}

void ShapeControl::setBorderWidth(double width) {
    width = std::max(1.0, width);
    if (width != m_borderWidth) {
        m_borderWidth = width;
        update();
    }
}

void ShapeControl::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing, m_kind != Kind::Rectangle);
    // The outline lies inside the control's box, as wide as BorderWidth pixels.
    const double bw = std::round(m_borderWidth);
    QRectF box(0, 0, width(), height());
    if (m_kind == Kind::Circle) {
        const double side = std::min(box.width(), box.height());
        box = QRectF(box.center().x() - side / 2, box.center().y() - side / 2, side, side);
    }
    const QRectF outline = box.adjusted(bw / 2, bw / 2, -bw / 2, -bw / 2);
    p.setPen(QPen(m_border, bw, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(m_filled ? QBrush(m_fill) : Qt::NoBrush);
    if (m_kind == Kind::Rectangle) {
        p.drawRect(outline);
    } else {
        p.drawEllipse(outline);
    }
}

LabelControl::LabelControl(const QString& text, QWidget* parent) : QLabel(text, parent) {
    setAttribute(Qt::WA_TranslucentBackground);
    setAutoFillBackground(false);
    setWordWrap(false);
    // Captions and team names are typed by users: a name with tags shows its tags, never rich text.
    setTextFormat(Qt::PlainText);
    setForeColor(m_fore);
}

void LabelControl::setForeColor(const QColor& c) {
    m_fore = c;
    QPalette pal = palette();
    pal.setColor(QPalette::WindowText, c);
    setPalette(pal);
}

void LabelControl::setFontSize(double points) {
    m_fontSize = std::max(1.0, points);
    QFont f = font();
    f.setPixelSize(twips::pointsToPixels(m_fontSize));
    setFont(f);
    fitToText();
}

void LabelControl::setFontFace(const QString& family, bool bold) {
    QFont f = font();
    f.setFamily(family);
    f.setBold(bold);
    f.setPixelSize(twips::pointsToPixels(m_fontSize));
    setFont(f);
    fitToText();
}

void LabelControl::setAutoSize(bool autoSize) {
    m_autoSize = autoSize;
    fitToText();
}

void LabelControl::setCaption(const QString& text) {
    setText(text);
    fitToText();
}

void LabelControl::fitToText() {
    if (m_autoSize) {
        const QFontMetrics fm(font());
        resize(std::max(1, fm.horizontalAdvance(text())), std::max(1, fm.height()));
    }
}

void LabelControl::mousePressEvent(QMouseEvent* event) {
    QLabel::mousePressEvent(event);
    emit clicked();
}

PictureBoxControl::PictureBoxControl(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureBoxControl::setBackColor(const QColor& c) {
    if (c != m_back) {
        m_back = c;
        update();
    }
}

void PictureBoxControl::setFieldBox(bool field) {
    setFocusPolicy(field ? Qt::StrongFocus : Qt::NoFocus);
}

void PictureBoxControl::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    p.fillRect(event->rect(), m_back);
}

void PictureBoxControl::keyPressEvent(QKeyEvent* event) {
    if (focusPolicy() == Qt::NoFocus) {
        QWidget::keyPressEvent(event);
        return;
    }
    // A key Windows has no code for is no key to the board.
    if (const int keyCode = windowsKeyCode(event); keyCode != 0) {
        emit keyDown(keyCode);
    }
    event->accept();
}

void PictureBoxControl::keyReleaseEvent(QKeyEvent* event) {
    if (focusPolicy() == Qt::NoFocus || event->isAutoRepeat()) {
        QWidget::keyReleaseEvent(event);
        return;
    }
    if (const int keyCode = windowsKeyCode(event); keyCode != 0) {
        emit keyUp(keyCode);
    }
    event->accept();
}

void PictureBoxControl::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    emit gotFocus();
}

void PictureBoxControl::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    if (event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason) {
        emit lostFocus();
    }
}

void PictureBoxControl::mousePressEvent(QMouseEvent* event) {
    QWidget::mousePressEvent(event);
    emit clicked();
}

ImageControl::ImageControl(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TranslucentBackground);
}

void ImageControl::mousePressEvent(QMouseEvent* event) {
    QWidget::mousePressEvent(event);
    emit clicked();
}
