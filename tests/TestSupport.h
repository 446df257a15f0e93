// Helpers shared by the tests: answering modal message boxes, a fresh working
// folder for each test, and small file and widget look-ups.
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

// What a message box looked like when it was answered.
struct TSeenBox {
    QString caption;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
};

// Answers the next modal message boxes, in order, with the given buttons,
// recording each one. Poll-based, so it works for boxes opened anywhere in
// the code under test (also inside constructors).
class TBoxAnswerer
{
public:
    explicit TBoxAnswerer(QList<QMessageBox::StandardButton> answers) : FAnswers(std::move(answers))
    {
        FTimer.setInterval(10);
        QObject::connect(&FTimer, &QTimer::timeout, [this] { Poll(); });
        FTimer.start();
    }

    const QList<TSeenBox> &Seen() const { return FSeen; }
    int Remaining() const { return FAnswers.size(); }

private:
    void Poll()
    {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box || box == FLast || FAnswers.isEmpty())
            return;
        FLast = box;
        TSeenBox seen;
        seen.caption = box->windowTitle();
        seen.text = box->text();
        seen.icon = box->icon();
        seen.buttons = box->standardButtons();
        if (QPushButton *d = box->defaultButton())
            seen.defaultButton = box->standardButton(d);
        FSeen.append(seen);
        QAbstractButton *button = box->button(FAnswers.takeFirst());
        if (button)
            button->click();
        else
            box->reject();
    }

    QTimer FTimer;
    QList<QMessageBox::StandardButton> FAnswers;
    QList<TSeenBox> FSeen;
    QPointer<QMessageBox> FLast;
};

// A fresh folder that is both the program folder and the working folder.
class TScratchFolder
{
public:
    TScratchFolder() : FPrevious(QDir::currentPath()) { QDir::setCurrent(FDir.path()); }
    ~TScratchFolder() { QDir::setCurrent(FPrevious); }

    QString Path() const { return FDir.path(); }
    QString File(const QString &name) const { return FDir.filePath(name); }

private:
    QTemporaryDir FDir;
    QString FPrevious;
};

// Text written in UTF-8 in the test's source.
inline QString U(const char *text)
{
    return QString::fromUtf8(text);
}

// The child of w of that type and object name, or null.
template <typename T> T *Find(QWidget *w, const char *name)
{
    return w->findChild<T *>(QString::fromLatin1(name));
}

// The file's bytes; empty when it cannot be read.
inline QByteArray ReadFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Fails the running test when the file cannot be created.
inline void WriteFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}
