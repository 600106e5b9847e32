#include "Shooter.h"

#include "WindowFit.h"
#include "grid/SheetModel.h"
#include "grid/SheetView.h"

#include <QApplication>
#include <QDialog>
#include <QEventLoop>
#include <QHash>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <functional>
#include <vector>

namespace vel::screens {
namespace {

// What a clerk's 1366×768 screen leaves for a window under the task bar.
constexpr int ScreenWidth = 1366;
constexpr int ScreenHeight = 728;
constexpr int CaptionHeight = 26;

QString describe(QWidget* w)
{
    QString text = w->windowTitle();
    if (auto* box = qobject_cast<QMessageBox*>(w))
        text += QStringLiteral(" | ") + box->text();
    return text;
}

void closeWindow(QWidget* w)
{
    if (auto* dialog = qobject_cast<QDialog*>(w))
        dialog->reject();
    else
        w->close();
}

}  // namespace

Shooter::Shooter(QString folder) : folder_(std::move(folder)) {}

Shooter Shooter::checkingFrames()
{
    Shooter s({});
    s.checking_ = true;
    return s;
}

namespace {

// The texts of a window shown in part: labels on one line, and the cells of its sheets below
// their wrapping title rows.
QStringList cutTexts(const QWidget* window)
{
    QStringList cut;
    for (const QLabel* label : window->findChildren<QLabel*>())
        if (label->isVisible() && !label->wordWrap() && !label->text().isEmpty() &&
            label->minimumSizeHint().width() > label->width())
            cut << label->text();
    for (const vel::gui::SheetView* view : window->findChildren<vel::gui::SheetView*>()) {
        const vel::Sheet* sheet = view->sheetModel()->sheet();
        if (!view->isVisible() || !sheet)
            continue;
        for (int r = view->headerRows() + 1; r <= sheet->lastUsedRow(); ++r)
            for (int c = 1; c <= sheet->maxCol(); ++c)
                if (!sheet->columnHidden(c) && view->textCut(r, c))
                    cut << sheet->text(r, c);
    }
    return cut;
}

}  // namespace

void Shooter::checkFrame(QWidget* window, const QString& name)
{
    settle(50);
    const QRect room = window->screen()->availableGeometry();
    const QRect frame = vel::gui::framedGeometry(window);
    if (!room.contains(frame))
        failures_ << QStringLiteral("%1 (%2): frame %3,%4 %5×%6 leaves the screen's %7×%8")
                         .arg(name, window->windowTitle())
                         .arg(frame.x())
                         .arg(frame.y())
                         .arg(frame.width())
                         .arg(frame.height())
                         .arg(room.width())
                         .arg(room.height());
    if (window->width() < vel::gui::titleRoom(window))
        failures_ << QStringLiteral("%1 (%2): %3 wide, its title needs %4")
                         .arg(name, window->windowTitle())
                         .arg(window->width())
                         .arg(vel::gui::titleRoom(window));
    for (const QString& cut : cutTexts(window))
        failures_ << QStringLiteral("%1 (%2): \"%3\" is cut").arg(name, window->windowTitle(), cut);
    saved_ << name;
}

void Shooter::settle(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

QImage Shooter::framed(QWidget* window)
{
    if (window->width() > ScreenWidth || window->height() > ScreenHeight - CaptionHeight)
        window->resize(std::min(window->width(), ScreenWidth),
                       std::min(window->height(), ScreenHeight - CaptionHeight));
    settle();
    const QPixmap inside = window->grab();
    QImage out(inside.width() + 2, inside.height() + CaptionHeight + 1, QImage::Format_RGB32);
    out.fill(QColor(60, 90, 140));
    QPainter p(&out);
    p.drawPixmap(1, CaptionHeight, inside);
    QFont f = window->font();
    f.setBold(true);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRect(10, 0, out.width() - 20, CaptionHeight), Qt::AlignVCenter | Qt::AlignLeft,
               window->windowTitle());
    return out;
}

void Shooter::save(QWidget* window, const QString& name)
{
    if (checking_)
        checkFrame(window, name);
    else
        saveImage(framed(window), name);
}

void Shooter::saveWithMenu(QWidget* window, QMenu* menu, const QString& name)
{
    if (checking_)
        return;  // the window itself is checked on its own
    QImage picture = framed(window);
    auto* bar = static_cast<QMainWindow*>(window)->menuBar();
    const QPoint at = bar->mapTo(window, bar->actionGeometry(menu->menuAction()).bottomLeft());
    menu->popup(window->mapToGlobal(at));
    settle();
    const QPixmap dropped = menu->grab();
    menu->hide();
    QPainter p(&picture);
    p.drawPixmap(at.x() + 1, at.y() + CaptionHeight, dropped);
    p.end();
    // Only the corner the menu drops into: the rest of the window is in the main picture.
    const int width = std::max(360, at.x() + dropped.width() + 60);
    const int height = at.y() + CaptionHeight + dropped.height() + 20;
    saveImage(picture.copy(0, 0, std::min(width, picture.width()), std::min(height, picture.height())),
              name);
}

void Shooter::saveImage(const QImage& image, const QString& name)
{
    // A window is mostly flat colour: the 256 commonest colours of the picture, every other pixel
    // (the edges of smoothed letters) taking the nearest of them, keep it to a few tens of
    // kilobytes with no visible change.
    QHash<QRgb, int> counts;
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            ++counts[line[x]];
    }
    std::vector<std::pair<int, QRgb>> byCount;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        byCount.emplace_back(it.value(), it.key());
    std::sort(byCount.begin(), byCount.end(), std::greater<>());
    QList<QRgb> palette;
    for (size_t i = 0; i < byCount.size() && i < 256; ++i)
        palette << byCount[i].second;
    const QImage small = image.convertToFormat(QImage::Format_Indexed8, palette,
                                               Qt::ThresholdDither | Qt::AvoidDither);
    const QString path = folder_ + '/' + name + ".png";
    if (small.save(path, "PNG", 9))
        saved_ << name;
    else
        failures_ << QStringLiteral("cannot write %1").arg(path);
}

void Shooter::throughModals(const QString& what, const std::function<void()>& open,
                            std::vector<Step> steps)
{
    size_t next = 0;
    QList<QPointer<QWidget>> handled;
    int idleTicks = 0;
    QTimer timer;
    timer.setInterval(100);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        QWidget* top = QApplication::activeModalWidget();
        const bool seen = top && handled.contains(QPointer<QWidget>(top));
        if (!top || !top->isVisible() || seen) {
            // A window that never comes (or one left waiting) must not hang the run.
            if (++idleTicks > 300) {
                failures_ << QStringLiteral("%1: waited in vain for step %2").arg(what).arg(next + 1);
                if (top)
                    closeWindow(top);
            }
            return;
        }
        idleTicks = 0;
        handled << top;
        if (next >= steps.size() || !describe(top).contains(steps[next].match)) {
            failures_ << QStringLiteral("%1: unexpected window \"%2\"").arg(what, describe(top));
            closeWindow(top);
            return;
        }
        const Step step = steps[next++];
        if (!step.picture.isEmpty())
            save(top, step.picture);
        else if (checking_)
            checkFrame(top, step.match);
        // Acting may open the next window modally: not from inside this timer's call.
        QPointer<QWidget> target(top);
        QTimer::singleShot(0, [target, step] {
            if (!target)
                return;
            if (step.act)
                step.act(target);
            else
                closeWindow(target);
        });
    });
    timer.start();
    open();
    timer.stop();
    if (next < steps.size())
        failures_ << QStringLiteral("%1: \"%2\" never came").arg(what, steps[next].match);
}

}  // namespace vel::screens
