#include "WindowFit.h"

#include "grid/SheetView.h"

#include <QEvent>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QStyle>
#include <QWidget>

#include <algorithm>

namespace vel::gui {
namespace {

void fit(QWidget* window, const SheetView* sheet, FitHeight fitHeight)
{
    const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    const QRect room = screen->availableGeometry();
    // Before the window system framed the window its frame is unknown: allow for a title bar.
    int frameWidth = window->frameGeometry().width() - window->width();
    int frameHeight = window->frameGeometry().height() - window->height();
    if (frameHeight == 0)
        frameHeight = window->style()->pixelMetric(QStyle::PM_TitleBarHeight) + 8;
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

}  // namespace

void fitOnShow(QWidget* window, const SheetView* sheet, FitHeight height)
{
    window->installEventFilter(new FitOnShow(window, sheet, height));
}

}  // namespace vel::gui
