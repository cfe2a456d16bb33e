#include "display/PublicScreenController.h"
#include "game/TranslatedText.h"
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>

PublicScreenController::PublicScreenController(QWidget* console, QObject* parent)
    : QObject(parent), m_console(console) {
    connect(qApp, &QGuiApplication::screenAdded, this, [this](QScreen* screen) {
        watch(screen);
        reconsider();
    });
    connect(qApp, &QGuiApplication::screenRemoved, this, [this](QScreen* screen) { screenLeaving(screen); });
    connect(qApp, &QGuiApplication::primaryScreenChanged, this, [this] { reconsider(); });
    for (QScreen* screen : QGuiApplication::screens())
        watch(screen);
    reconsider();
}

void PublicScreenController::watch(QScreen* screen) {
    // A screen that changes its mode or moves on the desktop may now overlap the console, or fit again.
    if (m_watched.contains(screen))
        return;
    m_watched.insert(screen);
    connect(screen, &QScreen::geometryChanged, this, &PublicScreenController::reconsider);
    connect(screen, &QObject::destroyed, this, [this, screen] { m_watched.remove(screen); });
}

void PublicScreenController::screenLeaving(QScreen* screen) {
    // The system still lists a screen while it announces its removal; the answer must already leave it out.
    m_leaving = screen;
    reconsider();
    m_leaving = nullptr;
}

void PublicScreenController::setWanted(const QString& name) {
    m_wanted = name;
    reconsider();
}

std::vector<screens::ScreenInfo> PublicScreenController::describe(const QList<QScreen*>& list) {
    std::vector<screens::ScreenInfo> out;
    out.reserve(static_cast<std::size_t>(list.size()));
    for (const QScreen* screen : list) {
        const QRect g = screen->geometry();
        out.push_back(screens::ScreenInfo{screen->name().toStdString(), g.x(), g.y(), g.width(), g.height()});
    }
    return out;
}

QList<std::pair<QString, QString>> PublicScreenController::screenChoices() {
    QList<std::pair<QString, QString>> out;
    const QList<QScreen*> list = QGuiApplication::screens();
    const std::vector<screens::ScreenInfo> infos = describe(list);
    for (std::size_t i : screens::offeredScreens(infos))
        out.append({QString::fromStdString(screens::screenLabel(infos[i])), QString::fromStdString(infos[i].name)});
    return out;
}

void PublicScreenController::reconsider() {
    QList<QScreen*> list = QGuiApplication::screens();
    if (m_leaving != nullptr)
        list.removeAll(m_leaving);

    std::optional<std::size_t> consoleIndex;
    if (m_console && m_console->windowHandle() != nullptr && m_consoleWindow != m_console->windowHandle()) {
        // The console's own window exists once it is shown; from then on its moves between screens count too.
        m_consoleWindow = m_console->windowHandle();
        connect(m_consoleWindow, &QWindow::screenChanged, this, [this] { reconsider(); });
    }
    if (m_console) {
        const qsizetype at = list.indexOf(m_console->screen());
        if (at >= 0)
            consoleIndex = static_cast<std::size_t>(at);
    }
    std::vector<screens::ScreenInfo> infos = describe(list);
    const screens::ScreenChoice choice = screens::choosePublicScreen(m_wanted.toStdString(), infos, consoleIndex);

    QList<QPointer<QScreen>> kept;
    for (QScreen* screen : list)
        kept.append(screen);
    // Any change of the screens counts: the public screen may have moved on the desktop with the same name
    // and size, or been replaced by another of the same name.
    const bool moved = !(choice == m_choice) || infos != m_infos || kept != m_screens;
    m_screens = kept;
    m_infos = std::move(infos);
    m_choice = choice;
    if (moved)
        emit choiceChanged();
}

QScreen* PublicScreenController::publicScreen() const {
    if (!m_choice.publicScreen || *m_choice.publicScreen >= static_cast<std::size_t>(m_screens.size()))
        return nullptr;
    return m_screens[static_cast<qsizetype>(*m_choice.publicScreen)];
}

QScreen* PublicScreenController::consoleTarget() const {
    if (!m_choice.consoleScreen || *m_choice.consoleScreen >= static_cast<std::size_t>(m_screens.size()))
        return nullptr;
    return m_screens[static_cast<qsizetype>(*m_choice.consoleScreen)];
}

QString PublicScreenController::note() const {
    return translated(m_choice.noteText);
}
