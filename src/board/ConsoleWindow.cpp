#include "board/ConsoleWindow.h"
#include "board/ConsoleStatusLine.h"
#include "board/frmScoreBoard.h"
#include "game/GameEventsModel.h"
#include <QCloseEvent>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

ConsoleWindow::ConsoleWindow(frmScoreBoard& board, ConsoleStatusLine* status, GameEventsModel& events, QWidget* parent)
    : QWidget(parent), m_board(board), m_held(&board) {
    setObjectName(QStringLiteral("console"));
    setWindowTitle(board.windowTitle());
    connect(&board, &frmScoreBoard::shownChanged, this, [this] { setWindowTitle(m_board.windowTitle()); });

    m_list = new QTableView(this);
    m_list->setObjectName(QStringLiteral("eventList"));
    m_list->setModel(&events);
    m_list->setFocusPolicy(Qt::NoFocus);
    m_list->setSelectionMode(QAbstractItemView::NoSelection);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->verticalHeader()->hide();
    m_list->horizontalHeader()->setStretchLastSection(true);
    m_list->setColumnWidth(GameEventsModel::WallTime, 80);
    m_list->setColumnWidth(GameEventsModel::Period, 60);
    m_list->setColumnWidth(GameEventsModel::GameClock, 90);
    m_list->setMinimumHeight(150);
    connect(&events, &GameEventsModel::eventsAdded, m_list, [this] { m_list->scrollToBottom(); });

    m_save = new QPushButton(tr("Save events as CSV..."), this);
    m_save->setObjectName(QStringLiteral("saveEvents"));
    m_save->setFocusPolicy(Qt::NoFocus);
    connect(m_save, &QPushButton::clicked, this, [this, &events] { saveEventsAsCsv(this, events); });

    m_sheet = new QPushButton(tr("Game sheet..."), this);
    m_sheet->setObjectName(QStringLiteral("gameSheet"));
    m_sheet->setFocusPolicy(Qt::NoFocus);
    m_sheet->hide();
    connect(m_sheet, &QPushButton::clicked, this, [this] {
        if (m_openSheet) {
            m_openSheet();
        }
    });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    board.setParent(this);
    layout->addWidget(&board, 1);
    board.show();
    if (status != nullptr) {
        status->setParent(this);
        layout->addWidget(status);
        status->show();
    }
    auto* bottom = new QHBoxLayout;
    bottom->setContentsMargins(4, 4, 4, 4);
    bottom->addWidget(m_list, 1);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(m_save);
    buttons->addWidget(m_sheet);
    buttons->addStretch(1);
    bottom->addLayout(buttons);
    layout->addLayout(bottom);
    // The board at one and a half times its design size, the list beneath it.
    resize(board.width() * 3 / 2, board.height() * 3 / 2 + 200);
}

void ConsoleWindow::setGameSheet(const std::function<void()>& open, bool shown) {
    m_openSheet = open;
    m_sheet->setVisible(shown);
}

ConsoleWindow::~ConsoleWindow() {
    if (m_held && m_held->parentWidget() == this) {
        m_held->hide();
        m_held->setParent(nullptr);
    }
}

void ConsoleWindow::keyPressEvent(QKeyEvent* event) {
    // With no field selected the keys go to the board, as on the board's own window.
    QCoreApplication::sendEvent(&m_board, event);
}

void ConsoleWindow::closeEvent(QCloseEvent* event) {
    // Closing the console closes the board: the run ends as it does when the board's own window closes.
    m_board.close();
    event->accept();
}
