#include "board/ConsoleWindow.h"
#include "board/BoardWindow.h"
#include "board/ConsoleStatusLine.h"
#include "game/GameEventsModel.h"
#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

#include "core/display/ConsoleMarker.h"
#include "core/settings/Settings.h"
#include "display/BoardControls.h"

namespace {

// A frame of kConsoleMarkerThickness pixels; the window beneath shows through everywhere else (a mask), so
// the digits under it are never drawn twice.
class SelectionFrame : public QWidget {
public:
    explicit SelectionFrame(QWidget* parent) : QWidget(parent) {
        setObjectName(QStringLiteral("consoleSelectionFrame"));
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setFocusPolicy(Qt::NoFocus);
        hide();
    }

    void place(const QRect& field, int gap, const QColor& colour) {
        const int t = screens::kConsoleMarkerThickness;
        const QRect outer = field.adjusted(-(gap + t), -(gap + t), gap + t, gap + t);
        if (outer != geometry() || colour != m_colour || mask().isEmpty()) {
            m_colour = colour;
            setGeometry(outer);
            const QRect local(QPoint(0, 0), outer.size());
            setMask(QRegion(local).subtracted(QRegion(local.adjusted(t, t, -t, -t))));
            update();
            raise();
        }
        show();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), m_colour);
    }

private:
    QColor m_colour;
};

QColor fromBgr(OleColor colour) {
    return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

} // namespace

ConsoleWindow::ConsoleWindow(BoardWindow& board, ConsoleStatusLine* status, GameEventsModel& events, QWidget* parent)
    : QWidget(parent), m_board(board), m_held(&board) {
    setObjectName(QStringLiteral("console"));
    setWindowTitle(board.windowTitle());
    connect(&board, &BoardWindow::shownChanged, this, [this] {
        setWindowTitle(m_board.windowTitle());
        placeSelectionFrame(); // the options may have changed the colours
    });

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

    m_intermission = new QPushButton(tr("Intermission"), this);
    m_intermission->setObjectName(QStringLiteral("intermission"));
    m_intermission->setFocusPolicy(Qt::NoFocus);
    m_intermission->hide();
    connect(m_intermission, &QPushButton::clicked, this, [this] {
        if (m_startIntermission) {
            m_startIntermission();
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
    m_bottom = bottom;
    bottom->setContentsMargins(4, 4, 4, 4);
    bottom->addWidget(m_list, 1);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(m_save);
    buttons->addWidget(m_sheet);
    buttons->addWidget(m_intermission);
    buttons->addStretch(1);
    bottom->addLayout(buttons);
    layout->addLayout(bottom);
    m_frame = new SelectionFrame(this);
    connect(&board.model(), &BoardModel::changed, this, &ConsoleWindow::placeSelectionFrame);
    board.installEventFilter(this);
    for (PictureBoxControl* field : board.fieldBoxes()) {
        field->installEventFilter(this);
    }

    // The board at one and a half times its design size, the list beneath it.
    resize(board.width() * 3 / 2, board.height() * 3 / 2 + 200);
}

void ConsoleWindow::setGameSheet(const std::function<void()>& open, bool shown) {
    m_openSheet = open;
    m_sheet->setVisible(shown);
}

void ConsoleWindow::setIntermission(const std::function<void()>& start, bool shown) {
    m_startIntermission = start;
    m_intermission->setVisible(shown);
}

void ConsoleWindow::followSettings(const SettingsVariables& settings) {
    m_settings = &settings;
    placeSelectionFrame();
}

void ConsoleWindow::setRecordPanel(QWidget* panel) {
    m_panel = panel;
    panel->setParent(this);
    m_bottom->addWidget(panel, 3);
    // Room for the panel beside a readable event list (the program then fits the console to its screen).
    m_list->setMinimumWidth(220);
    resize(std::max(width(), 1360), height());
    // The board's field the panel took the keys from gets them back.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget* old, QWidget* now) {
        if (now != nullptr && m_panel != nullptr && m_panel->isAncestorOf(now) && old != nullptr && m_held &&
            m_held->isAncestorOf(old)) {
            m_keysFrom = old;
        }
    });
}

void ConsoleWindow::giveKeysToBoard() {
    QWidget* focused = QApplication::focusWidget();
    if (focused != nullptr && m_panel != nullptr && m_panel->isAncestorOf(focused)) {
        focused->clearFocus();
    }
    // The field that had them takes the keys again; with none, the console hands them to the board.
    if (m_keysFrom) {
        m_keysFrom->setFocus(Qt::OtherFocusReason);
    } else if (const std::optional<game::Field> selected = m_board.model().state().selected) {
        m_board.fieldBoxes()[static_cast<std::size_t>(*selected)]->setFocus(Qt::OtherFocusReason);
    } else {
        setFocus(Qt::OtherFocusReason);
    }
}

bool ConsoleWindow::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        // A click on the board takes the keyboard back from the official's record.
        if (m_panel != nullptr && QApplication::focusWidget() != nullptr &&
            m_panel->isAncestorOf(QApplication::focusWidget())) {
            giveKeysToBoard();
        }
        break;
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::Show:
    case QEvent::Hide:
        // The board lays its fields out anew when it is resized; the frame follows the field it surrounds.
        if (watched == m_held || qobject_cast<PictureBoxControl*>(watched) != nullptr) {
            placeSelectionFrame();
        }
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

void ConsoleWindow::placeSelectionFrame() {
    if (m_frame == nullptr || !m_held) {
        return;
    }
    const std::optional<game::Field> selected = m_board.model().state().selected;
    PictureBoxControl* box = nullptr;
    if (selected) {
        const std::string_view fieldName = game::fieldName(*selected);
        const QString name = QString::fromLatin1(fieldName.data(), static_cast<qsizetype>(fieldName.size()));
        for (PictureBoxControl* field : m_board.fieldBoxes()) {
            if (field->objectName() == name) {
                box = field;
            }
        }
    }
    if (box == nullptr || box->isHidden() || m_board.isHidden() || m_board.parentWidget() != this) {
        m_frame->hide();
        return;
    }
    static const SettingsVariables kDefaults = defaultSettings({}, '/');
    const SettingsVariables& s = m_settings != nullptr ? *m_settings : kDefaults;
    auto* frame = static_cast<SelectionFrame*>(m_frame);
    frame->place(QRect(box->mapTo(this, QPoint(0, 0)), box->size()), screens::consoleMarkerGap(s.LEDSelectedWidth),
                 fromBgr(screens::consoleMarkerColour(s.FormBack, s.LEDBack)));
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
