#include "Lumidig.h"
#include <QPainter>
#include <cmath>
Lumidig::Lumidig(QWidget* parent) : QWidget(parent) { setFocusPolicy(Qt::ClickFocus); setSize(80); }
void Lumidig::setCaption(int d) { d = (d >= 0 && d <= 9) ? d : -1; if (d != m_caption) { m_caption = d; update(); } }
void Lumidig::setCaption(const QString& t) { setCaption(t.size() == 1 && t[0].isDigit() ? t[0].digitValue() : -1); }
void Lumidig::setLedType(int t) { if (t != m_type) { m_type = t; update(); } }
void Lumidig::setSize(double s) { m_size = std::max(1, static_cast<int>(std::nearbyint(s))); resize(std::max(1, (int)std::lround(m_size * 0.55)), m_size); }
void Lumidig::setLitColor(const QColor& c) { if (c != m_lit) { m_lit = c; update(); } }
void Lumidig::setBackColor(const QColor& c) { if (c != m_back) { m_back = c; update(); } }
void Lumidig::focusInEvent(QFocusEvent* e) { QWidget::focusInEvent(e); emit gotFocus(); }
void Lumidig::paintEvent(QPaintEvent*) {
    QPainter p(this); p.fillRect(rect(), m_back);
    if (m_caption >= 0) { p.setPen(m_lit); QFont f = font(); f.setPixelSize(height()); p.setFont(f); p.drawText(rect(), Qt::AlignCenter, QString::number(m_caption)); }
}
