#include "LobbyWindow.h"

#include "TableWindow.h"
#include "WineWindowClass.h"
#include "client/Win32Messages.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>

#include <cstdio>

namespace kestrova::sim {

namespace {

// The list child shows its part of the lobby picture.
class ListArea final : public QWidget {
public:
    ListArea(QWidget* parent, const QImage& picture) : QWidget(parent), picture_(picture) {
        setAttribute(Qt::WA_NativeWindow);
        setAttribute(Qt::WA_OpaquePaintEvent);
        setGeometry(LobbyRenderer::listWindowRect());
    }

protected:
    void paintEvent(QPaintEvent* /*event*/) override {
        QPainter painter(this);
        painter.drawImage(QPoint(0, 0), picture_, LobbyRenderer::listWindowRect());
    }

private:
    const QImage& picture_;
};

int virtualKeyOf(int qtKey) {
    switch (qtKey) {
        case Qt::Key_Home:
            return win32::VK_HOME;
        case Qt::Key_Up:
            return win32::VK_UP;
        case Qt::Key_Down:
            return win32::VK_DOWN;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return win32::VK_RETURN;
        default:
            return 0;
    }
}

}  // namespace

LobbyWindow::LobbyWindow(Lobby lobby, const BitmapFont& font, ClientLatency latency)
    : lobby_(std::move(lobby)), state_(lobby_.size()), renderer_(font), delayed_(latency, state_) {
    since_.start();
    redraw_.setSingleShot(true);
    redraw_.setTimerType(Qt::PreciseTimer);
    connect(&redraw_, &QTimer::timeout, this, &LobbyWindow::refresh);
    setWindowTitle(QStringLiteral("Everest Poker - Lobby"));
    setFixedSize(LobbyRenderer::kWindowWidth, LobbyRenderer::kWindowHeight);
    setWineWindowClass(*this);
    setAttribute(Qt::WA_OpaquePaintEvent);
    picture_ = renderer_.render(lobby_, state_);
    listArea_ = new ListArea(this, picture_);
    qApp->installEventFilter(this);
}

void LobbyWindow::refresh() {
    const long long now = since_.elapsed();
    delayed_.update(state_, now);
    picture_ = renderer_.render(lobby_, delayed_.at(now));
    update();
    listArea_->update();
    // The next step of a late redraw.
    if (const std::optional<long long> next = delayed_.nextChange(now))
        redraw_.start(static_cast<int>(*next - now));
}

bool LobbyWindow::eventFilter(QObject* watched, QEvent* event) {
    // Take each event once, where it first arrives: at the QWindow.
    if (!watched->isWindowType()) {
        return false;
    }
    const QWindow* window = static_cast<QWindow*>(watched);
    switch (event->type()) {
        case QEvent::KeyPress: {
            const int vk = virtualKeyOf(static_cast<QKeyEvent*>(event)->key());
            if (vk == 0) {
                return false;
            }
            if (state_.keyDown(vk) == LobbyState::Action::OpenSelectedTable) {
                openSelectedTable();
            }
            refresh();
            return true;
        }
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease: {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() != Qt::LeftButton) {
                return false;
            }
            QPoint point = mouse->position().toPoint();
            if (window == windowHandle()) {
                point -= LobbyRenderer::listWindowRect().topLeft();
            } else if (window != listArea_->windowHandle()) {
                return false;  // a table window
            }
            if (event->type() == QEvent::MouseButtonPress) {
                buttonDown_ = true;
                return true;
            }
            const bool completed = buttonDown_;
            buttonDown_ = false;
            if (completed && point.y() >= 0 &&
                state_.click(point.x(), point.y()) == LobbyState::Action::OpenSelectedTable) {
                openSelectedTable();
            }
            refresh();
            return true;
        }
        default:
            return false;
    }
}

void LobbyWindow::openSelectedTable() {
    const int row = state_.selectedRow();
    if (row < 0 || row >= lobby_.size()) {
        return;
    }
    const QString name = QString::fromStdString(lobby_.table(row).name);
    if (TableWindow* open = tables_.value(name); open != nullptr) {
        open->raise();
        return;
    }
    auto* table = new TableWindow(name, renderer_);
    tables_.insert(name, table);
    table->show();
    std::printf("opened %s\n", name.toUtf8().constData());
    std::fflush(stdout);
}

void LobbyWindow::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.drawImage(QPoint(0, 0), picture_);
}

}  // namespace kestrova::sim
