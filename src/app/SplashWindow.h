#pragma once
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QWidget>
#include <functional>

// What the start-up window hands on: the board, the help viewer, the options dialog, the settings.
struct SplashServices {
    std::function<void()> loadSettings;
    std::function<void()> showScoreBoard;
    std::function<void()> openHelp;
    std::function<void()> openOptions; // modal; returns when the dialog has closed
    std::function<void()> endProgram;  // the start-up window closed without going on to the board
};

// The frameless start-up window: name, version, logo, the two hints, Help and Options. A click anywhere but
// the buttons goes on to the scoreboard; so do Enter and Space, unless a button has been given the focus with
// Tab (then they press that button).
class SplashWindow : public QWidget {
    Q_OBJECT
public:
    explicit SplashWindow(SplashServices services, QWidget* parent = nullptr);

    void goScore();
    // Top-left corner for a screen of the given size, in twips.
    // "Version 1.0.0", in the user's language.
    static QString versionText();
    static QPoint placement(int screenWidthTwips, int screenHeightTwips, int windowWidthTwips);

    QFrame* splashFrame = nullptr;
    QLabel* nameLabel = nullptr;
    QLabel* madeByLabel = nullptr;
    QLabel* versionLabel = nullptr;
    QWidget* logo = nullptr;
    QLabel* clickLabel = nullptr;
    QLabel* label1 = nullptr;
    QLabel* label2 = nullptr;
    QPushButton* helpButton = nullptr;
    QPushButton* optionsButton = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void formLoad();
    SplashServices m_services;
    bool m_goingOn = false;
};

// The product logo, drawn rather than loaded: a small scoreboard face.
class RinkmasterLogo : public QWidget {
    Q_OBJECT
public:
    explicit RinkmasterLogo(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};
