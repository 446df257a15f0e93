// Helpers for the tests of the auxiliary windows: the program's pictures in
// the fixture's folder, and a way to act on a modal
// window while the command that opened it is running.
#pragma once

#include "TestSupport.h"

#include <QFile>
#include <QImage>
#include <QTest>
#include <functional>

namespace AuxTest
{

inline QString SourcePicture(const QString &name)
{
    return QStringLiteral(VANTU_SOURCE_DIR "/grafika/") + name;
}

// Copies of the named pictures under grafika/ in the fixture's folder.
inline bool PrepareFolder(const TVantuFixture &folder, const QStringList &pictures)
{
    if (!folder.Ready())
        return false;
    if (!QDir(folder.Path()).mkpath(QStringLiteral("grafika")))
        return false;
    for (const QString &name : pictures) {
        if (!QFile::copy(SourcePicture(name), folder.File(QStringLiteral("grafika/") + name)))
            return false;
    }
    return true;
}

// Runs action once on the first modal window of type T that the program
// runs: the window is shown (modal) instead of running its own event loop,
// the action acts on it, and its result goes back to the program.
template <typename T> class TWhenModal
{
public:
    explicit TWhenModal(std::function<void(T *)> action)
    {
        MessageTestHook::SetModalHandler([this, action](QDialog &dialog) {
            auto *w = qobject_cast<T *>(&dialog);
            if (!w || FDone)
                return int(QDialog::Rejected);
            FDone = true;
            dialog.setModal(true);
            dialog.show();
            if (!QTest::qWaitForWindowExposed(&dialog))
                return int(QDialog::Rejected);
            action(w);
            FClosed = !dialog.isVisible();
            return dialog.result();
        });
    }
    ~TWhenModal() { MessageTestHook::SetModalHandler(nullptr); }
    TWhenModal(const TWhenModal &) = delete;
    TWhenModal &operator=(const TWhenModal &) = delete;

    bool Done() const { return FDone; }
    // The action closed the window.
    bool Closed() const { return FClosed; }

private:
    bool FDone = false;
    bool FClosed = false;
};

// While it lives, another modal window is the active window, so a key sent to
// the window under test reaches it while it is not active (as a key does that
// comes before the window manager activates the window).
class TOtherWindowActive
{
public:
    explicit TOtherWindowActive(QWidget *window)
    {
        FWindow.setWindowModality(Qt::ApplicationModal);
        FWindow.setGeometry(0, 0, 40, 40);
        FWindow.show();
        FWindow.activateWindow();
        FActive = QTest::qWaitForWindowActive(&FWindow) && !window->isActiveWindow();
    }
    // Whether the other window did become the active one.
    bool Active() const { return FActive; }

private:
    QWidget FWindow;
    bool FActive = false;
};

// The visible pixels of a label's picture, comparable with a file's.
inline QImage Pixels(const QImage &image)
{
    return image.convertToFormat(QImage::Format_RGB32);
}

} // namespace AuxTest
