#pragma once
#include "core/display/PublicScreen.h"
#include <QList>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <QString>
#include <vector>

class QScreen;
class QWidget;
class QWindow;

// Follows the screens the system reports and decides, with the rule in core, where the public board goes:
// on the screen named in the settings or on the command line, or nowhere and why. Every screen that comes,
// goes, changes its area or becomes the primary one asks the question again; choiceChanged() says when the
// answer moved. It places nothing itself: the windows follow the answer.
class PublicScreenController : public QObject {
    Q_OBJECT
public:
    // console is the window the scorekeeper types in; its screen is kept free of the public board.
    explicit PublicScreenController(QWidget* console, QObject* parent = nullptr);

    // The screen asked for (already trimmed of the command line's and the store's blanks, or not: both work).
    void setWanted(const QString& name);
    QString wanted() const { return m_wanted; }

    const screens::ScreenChoice& choice() const { return m_choice; }
    // The screen for the public board, or null when it is not shown.
    QScreen* publicScreen() const;
    // The screen the console should move to so that it stays in sight, or null when it may stay.
    QScreen* consoleTarget() const;
    // Where the public board is, or why it is not shown: one line for the console, in the program's language.
    QString note() const;

    // The screens as the rule sees them, in the system's order.
    static std::vector<screens::ScreenInfo> describe(const QList<QScreen*>& screens);
    // "HDMI-1 1920x1080" for each screen the system reports now that the options offer, with its name.
    static QList<std::pair<QString, QString>> screenChoices();

public slots:
    // Asks the question again with the screens present now.
    void reconsider();

signals:
    void choiceChanged();

private:
    void watch(QScreen* screen);
    void screenLeaving(QScreen* screen);

    QPointer<QWidget> m_console;
    QPointer<QWindow> m_consoleWindow;
    QString m_wanted;
    QList<QPointer<QScreen>> m_screens; // the list the choice's indexes point into
    std::vector<screens::ScreenInfo> m_infos;
    screens::ScreenChoice m_choice;
    QSet<QScreen*> m_watched;     // screens whose changes are followed, each once
    QScreen* m_leaving = nullptr; // a screen being removed: still listed by the system while it goes
};
