#pragma once
#include <QColor>
#include <QLabel>
#include <QWidget>
#include <vector>

// The pieces a board-like window is built from. Positions and sizes are in twips (15 to the pixel), as the
// board's layout is designed; a control sits on whole pixels, so a size read back is the pixel size times 15.
// Every control answers a type name that the colouring and scaling walks dispatch on.
namespace twips {
inline constexpr int kPerPixel = 15;
int toPixels(double twips);
double left(const QWidget* w);
double top(const QWidget* w);
double width(const QWidget* w);
double height(const QWidget* w);
void setLeft(QWidget* w, double value);
void setTop(QWidget* w, double value);
void setWidth(QWidget* w, double value);
void setHeight(QWidget* w, double value);
void place(QWidget* w, double left, double top, double width, double height);
// Points to pixels at the board's 96 pixels to the inch.
int pointsToPixels(double points);
} // namespace twips

QColor fromOleColor(std::int32_t bgr);
// The colour as the settings store it, 0x00BBGGRR.
std::int32_t toOleColor(const QColor& colour);

// One control of a board-like window, as the colouring and scaling walks see it.
struct BoardControlRef {
    QWidget* widget;
    QString typeName; // "Label", "PictureBox", "Image", "Shape", "Lumidig"
    QString name;     // shared by every element of a control array
};

// A window whose controls can be walked, coloured and scaled.
class LayoutWindow {
public:
    virtual ~LayoutWindow() = default;
    virtual QWidget* window() = 0;
    // Every control in the window's control order.
    virtual const std::vector<BoardControlRef>& controls() const = 0;
    // The size the layout scales with, in twips: the window's client area, so that the board fills a
    // maximised or full-screen window edge to edge (the frame and title bar around it do not scale).
    virtual double layoutWidthTwips() const = 0;
    virtual double layoutHeightTwips() const = 0;
};

// A rectangle, oval or circle: an outline and an optional fill. Never takes clicks.
class ShapeControl : public QWidget {
    Q_OBJECT
public:
    enum class Kind { Rectangle, Oval, Circle };
    ShapeControl(Kind kind, QWidget* parent);
    QString typeName() const { return QStringLiteral("Shape"); }
    Kind kind() const { return m_kind; }

    QColor fillColor() const { return m_fill; }
    void setFillColor(const QColor& c);
    bool filled() const { return m_filled; }
    void setFilled(bool filled);
    QColor borderColor() const { return m_border; }
    void setBorderColor(const QColor& c);
    double borderWidth() const { return m_borderWidth; }
    void setBorderWidth(double width);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Kind m_kind;
    QColor m_fill = Qt::black;
    bool m_filled = false;
    QColor m_border = Qt::black;
    double m_borderWidth = 1;
};

// A caption with a transparent background. Its font size is in points.
class LabelControl : public QLabel {
    Q_OBJECT
public:
    LabelControl(const QString& text, QWidget* parent);
    QString typeName() const { return QStringLiteral("Label"); }

    QColor foreColor() const { return m_fore; }
    void setForeColor(const QColor& c);
    double fontSize() const { return m_fontSize; }
    void setFontSize(double points);
    void setFontFace(const QString& family, bool bold);
    // An auto-sizing label takes the size of its text whenever the text or font changes.
    void setAutoSize(bool autoSize);
    void setCaption(const QString& text);

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    void fitToText();
    QColor m_fore = Qt::white;
    double m_fontSize = 8.25;
    bool m_autoSize = false;
};

// A filled box that can contain other controls. A field box takes the keyboard focus and hands its keys on
// as Windows key codes.
class PictureBoxControl : public QWidget {
    Q_OBJECT
public:
    explicit PictureBoxControl(QWidget* parent);
    QString typeName() const { return QStringLiteral("PictureBox"); }

    QColor backColor() const { return m_back; }
    void setBackColor(const QColor& c);
    void setFieldBox(bool field);

signals:
    void keyDown(int keyCode);
    void keyUp(int keyCode);
    void gotFocus();
    // The focus went elsewhere within the window (not to another window).
    void lostFocus();
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QColor m_back = Qt::black;
};

// An empty, transparent area that only takes clicks.
class ImageControl : public QWidget {
    Q_OBJECT
public:
    explicit ImageControl(QWidget* parent);
    QString typeName() const { return QStringLiteral("Image"); }

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
};
