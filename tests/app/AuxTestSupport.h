// Helpers for the tests of the auxiliary windows: a working folder with the
// program's pictures and a small locality file, and a way to act on a modal
// window while the command that opened it is running.
#pragma once

#include "TestSupport.h"

#include <QFile>
#include <QImage>
#include <QTest>
#include <functional>

namespace AuxTest
{

// One valid record, so that the main window starts without a message.
inline const QByteArray LocalityFile =
    "<?xml version=\"1.0\"?>\n<SuborDat>"
    "<Riadok><Mesto>SK - Bratislava</Mesto><Hod>1</Hod><Min>0</Min><ZS1>48</ZS1><ZS2>9</ZS2>"
    "<ZS3>0</ZS3><ZS4>N</ZS4><ZD1>17</ZD1><ZD2>7</ZD2><ZD3>1</ZD3><ZD4>E</ZD4></Riadok>"
    "</SuborDat>";

inline QString SourcePicture(const QString &name)
{
    return QStringLiteral(VANTU_SOURCE_DIR "/grafika/") + name;
}

inline bool WriteBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return f.write(bytes) == bytes.size();
}

inline QByteArray ReadBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// lokality.xml and copies of the named pictures under grafika/.
inline bool PrepareFolder(const TScratchFolder &folder, const QStringList &pictures)
{
    if (!WriteBytes(folder.File(QStringLiteral("lokality.xml")), LocalityFile))
        return false;
    if (!QDir(folder.Path()).mkpath(QStringLiteral("grafika")))
        return false;
    for (const QString &name : pictures) {
        if (!QFile::copy(SourcePicture(name), folder.File(QStringLiteral("grafika/") + name)))
            return false;
    }
    return true;
}

// Runs action once on the first modal widget of type T that becomes active,
// polling while the code under test runs its own event loop.
template <typename T> class TWhenModal
{
public:
    explicit TWhenModal(std::function<void(T *)> action) : FAction(std::move(action))
    {
        FTimer.setInterval(10);
        QObject::connect(&FTimer, &QTimer::timeout, [this] {
            auto *w = qobject_cast<T *>(QApplication::activeModalWidget());
            if (!w || FDone)
                return;
            FDone = true;
            FTimer.stop();
            FAction(w);
        });
        FTimer.start();
    }
    bool Done() const { return FDone; }

private:
    QTimer FTimer;
    std::function<void(T *)> FAction;
    bool FDone = false;
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
