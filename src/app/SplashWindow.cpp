#include "SplashWindow.h"
#include "display/BoardControls.h"
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>

namespace {

constexpr int kWindowWidthTwips = 6240;
constexpr int kWindowHeightTwips = 3240;

QLabel* label(QWidget* parent, const QString& text, double l, double t, double w, double h, Qt::Alignment align) {
    auto* lbl = new QLabel(text, parent);
    twips::place(lbl, l, t, w, h);
    lbl->setAlignment(align | Qt::AlignTop);
    return lbl;
}

void setLabelFont(QLabel* lbl, const QString& family, double points) {
    QFont f(family);
    f.setPixelSize(twips::pointsToPixels(points));
    // A hint line stays whole on one line: where the face is wider than the one the window was drawn with,
    // the text steps down a pixel at a time until it fits its label.
    while (f.pixelSize() > 8 && QFontMetrics(f).horizontalAdvance(lbl->text()) > lbl->width()) {
        f.setPixelSize(f.pixelSize() - 1);
    }
    lbl->setFont(f);
}

} // namespace

SplashWindow::SplashWindow(SplashServices services, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), m_services(std::move(services)) {
    setObjectName(QStringLiteral("frmSplash"));
    setWindowTitle(QStringLiteral("Rinkmaster"));
    resize(twips::toPixels(kWindowWidthTwips), twips::toPixels(3210));

    splashFrame = new QFrame(this);
    splashFrame->setFrameShape(QFrame::Box);
    splashFrame->setFrameShadow(QFrame::Sunken);
    twips::place(splashFrame, 120, 0, 6000, 3120);

    nameLabel = label(splashFrame, QStringLiteral("Rinkmaster"), 120, 240, 5775, 735, Qt::AlignHCenter);
    setLabelFont(nameLabel, QStringLiteral("Times New Roman"), 24);
    madeByLabel = label(splashFrame, tr("by Kestrelsoft"), 4200, 840, 1575, 255, Qt::AlignRight);
    versionLabel = label(splashFrame, versionText(), 3600, 1080, 2175, 375, Qt::AlignRight);
    setLabelFont(versionLabel, QStringLiteral("Times New Roman"), 15.75);
    logo = new RinkmasterLogo(splashFrame);
    twips::place(logo, 120, 1080, 2250, 1905);
    clickLabel = label(splashFrame, tr("Click to continue."), 2520, 1080, 1335, 255, Qt::AlignLeft);
    label1 =
        label(splashFrame, tr("Press ' F1 ' to view Help from the scoreboard."), 2640, 1680, 3255, 255, Qt::AlignLeft);
    label2 = label(splashFrame, tr("Press ' F2 ' to set Options from the scoreboard."), 2640, 1920, 3255, 375,
                   Qt::AlignLeft);
    for (QLabel* small : {madeByLabel, clickLabel}) {
        setLabelFont(small, QStringLiteral("Arial"), 8.25);
    }
    for (QLabel* hint : {label1, label2}) {
        setLabelFont(hint, QStringLiteral("Arial Narrow"), 8.25);
    }
    helpButton = new QPushButton(tr("&Help"), splashFrame);
    twips::place(helpButton, 3120, 2520, 1215, 375);
    optionsButton = new QPushButton(tr("&Options"), splashFrame);
    twips::place(optionsButton, 4560, 2520, 1215, 375);
    connect(helpButton, &QPushButton::clicked, this, [this] {
        if (m_services.openHelp) {
            m_services.openHelp();
        }
    });
    connect(optionsButton, &QPushButton::clicked, this, [this] {
        if (m_services.openOptions) {
            m_services.openOptions();
        }
    });
    // Every part of the window except the two buttons goes on to the board.
    for (QWidget* w :
         {static_cast<QWidget*>(splashFrame), logo, static_cast<QWidget*>(nameLabel),
          static_cast<QWidget*>(madeByLabel), static_cast<QWidget*>(versionLabel), static_cast<QWidget*>(clickLabel),
          static_cast<QWidget*>(label1), static_cast<QWidget*>(label2)}) {
        w->installEventFilter(this);
    }
    // The window itself holds the keyboard when it opens, so that Enter or Space goes on to the board; Tab
    // still reaches the two buttons.
    setFocusPolicy(Qt::StrongFocus);
    setFocus();
    formLoad();
}

QString SplashWindow::versionText() {
    return tr("Version %1.%2.%3")
        .arg(RINKMASTER_VERSION_MAJOR)
        .arg(RINKMASTER_VERSION_MINOR)
        .arg(RINKMASTER_VERSION_PATCH);
}

QPoint SplashWindow::placement(int screenWidthTwips, int screenHeightTwips, int windowWidthTwips) {
    // The window sits above the screen's centre: the vertical placement reckons with 5880, not its own height.
    return {(screenWidthTwips - windowWidthTwips) / 2, (screenHeightTwips - 5880) / 2};
}

void SplashWindow::formLoad() {
    resize(width(), twips::toPixels(kWindowHeightTwips));
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect geo = screen->geometry();
        const QPoint at =
            placement(geo.width() * twips::kPerPixel, geo.height() * twips::kPerPixel, width() * twips::kPerPixel);
        move(geo.x() + twips::toPixels(at.x()), geo.y() + twips::toPixels(at.y()));
    }
    twips::setHeight(splashFrame, 3120);
    versionLabel->setText(versionText());
    if (m_services.loadSettings) {
        m_services.loadSettings();
    }
}

void SplashWindow::goScore() {
    if (m_goingOn) {
        return;
    }
    m_goingOn = true;
    if (m_services.showScoreBoard) {
        m_services.showScoreBoard();
    }
    close();
}

bool SplashWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress) {
        goScore();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void SplashWindow::mousePressEvent(QMouseEvent* event) {
    event->accept();
    goScore();
}

void SplashWindow::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (key != Qt::Key_Return && key != Qt::Key_Enter && key != Qt::Key_Space) {
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
    // A button chosen with Tab takes Enter as Space; anywhere else both go on to the board.
    if (auto* button = qobject_cast<QPushButton*>(focusWidget())) {
        button->click();
        return;
    }
    goScore();
}

void SplashWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    if (!m_goingOn && m_services.endProgram) {
        m_services.endProgram();
    }
}

RinkmasterLogo::RinkmasterLogo(QWidget* parent) : QWidget(parent) {}

void RinkmasterLogo::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    // Drawn in a 150 x 127 box and scaled to the control.
    p.scale(width() / 150.0, height() / 127.0);
    // The rink: white ice with rounded corners, blue lines, a red centre line and a faceoff circle.
    QPainterPath rink;
    rink.addRoundedRect(QRectF(6, 30, 138, 90), 30, 30);
    p.fillPath(rink, QColor(236, 244, 250));
    p.setPen(QPen(QColor(40, 70, 140), 2));
    p.drawPath(rink);
    p.setPen(QPen(QColor(40, 90, 200), 3));
    p.drawLine(QPointF(52, 31), QPointF(52, 119));
    p.drawLine(QPointF(98, 31), QPointF(98, 119));
    p.setPen(QPen(QColor(210, 30, 40), 3));
    p.drawLine(QPointF(75, 31), QPointF(75, 119));
    p.setPen(QPen(QColor(40, 90, 200), 1.5));
    p.drawEllipse(QPointF(75, 75), 14, 14);
    // The board above the ice: a dark panel with red LED digits.
    QPainterPath board;
    board.addRoundedRect(QRectF(30, 4, 90, 40), 6, 6);
    p.fillPath(board, QColor(64, 64, 64));
    p.setPen(QPen(Qt::white, 1.5));
    p.drawPath(board);
    p.fillRect(QRectF(38, 10, 74, 28), Qt::black);
    QFont f(QStringLiteral("Arial"));
    f.setBold(true);
    f.setPixelSize(24);
    p.setFont(f);
    p.setPen(QColor(255, 30, 30));
    p.drawText(QRectF(38, 10, 74, 28), Qt::AlignCenter, QStringLiteral("20:00"));
    // A puck at centre ice.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(20, 20, 20));
    p.drawEllipse(QPointF(75, 75), 6, 4);
}
