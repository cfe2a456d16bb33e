#pragma once
#include <QWidget>
class Lumidig : public QWidget {
    Q_OBJECT
public:
    explicit Lumidig(QWidget* parent = nullptr);
    int Caption() const { return m_caption; }
    void setCaption(int digit);
    void setCaption(const QString& text);
    int LedType() const { return m_type; }
    void setLedType(int type);
    int Size() const { return m_size; }
    void setSize(double size);
    QColor LitColor() const { return m_lit; }
    void setLitColor(const QColor& c);
    QColor BackColor() const { return m_back; }
    void setBackColor(const QColor& c);
    QString typeName() const { return QStringLiteral("Lumidig"); }
signals:
    void gotFocus();
protected:
    void paintEvent(QPaintEvent*) override;
    void focusInEvent(QFocusEvent*) override;
private:
    int m_caption = 0, m_type = 0, m_size = 80;
    QColor m_lit = Qt::red, m_back = Qt::black;
};
