#include "WindowFit.h"

#include "grid/SheetView.h"

#include <QApplication>
#include <QEvent>
#include <QFontMetrics>
#include <QPointer>
#include <QScreen>
#include <QStyle>
#include <QWidget>

#include <algorithm>

namespace vel::gui {
namespace {

QRect roomOf(const QWidget* window)
{
    const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    return screen->availableGeometry();
}

// The frame around the client area; before the window system framed the window, room for a
// title bar and borders.
QMargins frameOf(const QWidget* window)
{
    const QRect frame = window->frameGeometry();
    const QRect inside = window->geometry();
    if (frame.height() > inside.height())
        return {inside.left() - frame.left(), inside.top() - frame.top(),
                frame.right() - inside.right(), frame.bottom() - inside.bottom()};
    const int border = 4;
    return {border, window->style()->pixelMetric(QStyle::PM_TitleBarHeight) + border, border,
            border};
}

void fit(QWidget* window, const SheetView* sheet, FitHeight fitHeight)
{
    const QRect room = roomOf(window);
    const QMargins frame = frameOf(window);
    const int frameWidth = frame.left() + frame.right();
    const int frameHeight = frame.top() + frame.bottom();
    int width = window->width();
    int height = window->height();
    if (sheet) {
        width = std::max(sheet->fullWidth() + window->width() - sheet->width(),
                         window->minimumSizeHint().width());
        if (fitHeight == FitHeight::UsedRows)
            height = std::max(sheet->usedHeight() + window->height() - sheet->height(),
                              window->minimumSizeHint().height());
    }
    window->resize(std::min(width, room.width() - frameWidth),
                   std::min(height, room.height() - frameHeight));
}

// The dialog places itself when it handles its show event; this runs just before.
class FitOnShow : public QObject {
public:
    FitOnShow(QWidget* window, const SheetView* sheet, FitHeight height)
        : QObject(window), sheet_(sheet), height_(height)
    {
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show && !event->spontaneous())
            fit(static_cast<QWidget*>(watched), sheet_, height_);
        return false;
    }

private:
    QPointer<const SheetView> sheet_;
    FitHeight height_;
};

class TitleRoom : public QObject {
public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::Show || !watched->isWidgetType())
            return false;
        auto* window = static_cast<QWidget*>(watched);
        const Qt::WindowType type = window->windowType();
        if (!window->isWindow() || (type != Qt::Window && type != Qt::Dialog))
            return false;
        const int room = titleRoom(window);
        if (window->minimumWidth() < room) {
            window->setMinimumWidth(room);
            window->setMaximumWidth(std::max(window->maximumWidth(), room));
        }
        return false;
    }
};

}  // namespace

void fitOnShow(QWidget* window, const SheetView* sheet, FitHeight height)
{
    window->installEventFilter(new FitOnShow(window, sheet, height));
}

QRect framedGeometry(const QWidget* window)
{
    return window->geometry().marginsAdded(frameOf(window));
}

int titleRoom(const QWidget* window)
{
    if (window->windowTitle().isEmpty())
        return 0;
    QFont bold = window->font();
    bold.setBold(true);
    // The icon and the three buttons take about a title bar's height each, the margins one more.
    return QFontMetrics(bold).horizontalAdvance(window->windowTitle()) +
           5 * window->style()->pixelMetric(QStyle::PM_TitleBarHeight);
}

void keepTitlesWhole(QApplication& app)
{
    app.installEventFilter(new TitleRoom(&app));
}

void placeOver(QWidget* window, const QWidget* over)
{
    fit(window, nullptr, FitHeight::Keep);
    const QRect room = roomOf(over ? over : window);
    const QRect frame = QRect(QPoint(), window->size()).marginsAdded(frameOf(window));
    const QPoint centre = over ? over->frameGeometry().center() : room.center();
    const int x = std::clamp(centre.x() - frame.width() / 2, room.left(),
                             std::max(room.left(), room.right() + 1 - frame.width()));
    const int y = std::clamp(centre.y() - frame.height() / 2, room.top(),
                             std::max(room.top(), room.bottom() + 1 - frame.height()));
    window->move(x, y);
}

}  // namespace vel::gui
