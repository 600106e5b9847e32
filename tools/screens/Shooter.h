#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

class QImage;
class QMenu;
class QWidget;

namespace vel::screens {

// One window expected on top while a command runs: matched by a piece of its title or, for a
// message box, of its text; saved as `picture` unless that is empty; then handled by `act`,
// or closed as the Esc key would close it.
struct Step {
    QString match;
    QString picture;
    std::function<void(QWidget*)> act;
};

// Saves windows as PNG pictures for the manual, as a clerk sees them on a 1366×768 screen.
class Shooter {
public:
    explicit Shooter(QString folder);
    // Saves no picture: checks instead that the frame of every window reached lies inside the
    // screen's free area, a window outside counted as a failure.
    static Shooter checkingFrames();

    // Lets the window lay itself out, fits it to the screen and saves it as folder/NAME.png.
    void save(QWidget* window, const QString& name);
    // The window with one of its menus dropped down, as the clerk sees it after a click.
    void saveWithMenu(QWidget* window, QMenu* menu, const QString& name);

    // Runs `open`, which shows modal windows one above another, and takes them in the order of
    // `steps`. A window that matches no step is closed and counted as a failure, so a refusal
    // shown where a window was expected cannot pass unnoticed.
    void throughModals(const QString& what, const std::function<void()>& open,
                       std::vector<Step> steps);

    // Waits while events are handled, so that windows finish loading and painting.
    static void settle(int ms = 150);

    const QStringList& failures() const { return failures_; }
    // The pictures saved, or the windows checked.
    const QStringList& saved() const { return saved_; }

private:
    void checkFrame(QWidget* window, const QString& name);
    // The window drawn with a plain caption bar, the way the window system would frame it.
    QImage framed(QWidget* window);
    void saveImage(const QImage& image, const QString& name);

    QString folder_;
    bool checking_ = false;
    QStringList failures_;
    QStringList saved_;
};

}  // namespace vel::screens
