#pragma once
#include <QColor>
#include <QString>
#include <QWidget>

// One LED digit of the board. Every number on the board is a row of these; the options dialog has one more as
// a style sample. The program sets only its position, Size, Caption, style and colours; the control sizes itself.
class LedDigit : public QWidget {
    Q_OBJECT
    // The property names are the digit's own and are read by name: they keep their spelling.
    Q_PROPERTY(int Caption READ caption WRITE setCaption)
    Q_PROPERTY(int LedType READ ledType WRITE setLedType)
    Q_PROPERTY(int Size READ ledSize WRITE setSize)
    Q_PROPERTY(QColor LitColor READ litColor WRITE setLitColor)
    Q_PROPERTY(QColor BackColor READ backColor WRITE setBackColor)

public:
    explicit LedDigit(QWidget* parent = nullptr);

    // 0..9, or -1 when the digit is dark.
    int caption() const { return m_caption; }
    // A digit 0..9 shows that digit; any other number leaves the digit dark.
    void setCaption(int digit);
    // A one-character text holding a decimal digit shows that digit; any other text leaves the digit dark.
    void setCaption(const QString& text);

    // 0 "Lines" (seven segments), 1 "Dots" (5x7 matrix). Kept as given; every value but 1 draws as Lines.
    int ledType() const { return m_ledType; }
    void setLedType(int type);

    // The digit size; the control takes the box of that size as its own width and height.
    int ledSize() const { return m_size; }
    void setSize(double size);

    QColor litColor() const { return m_litColor; }
    void setLitColor(const QColor& color);
    QColor backColor() const { return m_backColor; }
    void setBackColor(const QColor& color);

    QString typeName() const { return QStringLiteral("Lumidig"); }

    QSize sizeHint() const override;

signals:
    // The board answers by moving the focus on to the digit's field box.
    void gotFocus();

protected:
    void paintEvent(QPaintEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    void setCaptionValue(int caption);

    int m_caption = 0;
    int m_ledType = 0;
    int m_size = 80;
    QColor m_litColor = QColor(255, 0, 0);
    QColor m_backColor = QColor(0, 0, 0);
};
