// The message helper: a real QMessageBox with the caller's caption, icon,
// text, buttons and default, its buttons named in the language in force.
#include "common/MessageLanguage.h"
#include "common/Messages.h"

#include <QApplication>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWindow>

class TestMessages : public QObject
{
    Q_OBJECT

private slots:
    void buttonsSpeakTheLanguage_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<QStringList>("texts"); // Yes, No, Cancel
        QTest::newRow("sk") << 0 << QStringList{"&Áno", "&Nie", "&Zrušiť"};
        QTest::newRow("en") << 1 << QStringList{"&Yes", "&No", "&Cancel"};
        QTest::newRow("hu") << 2 << QStringList{"&Igen", "&Nem", "&Mégse"};
    }
    void buttonsSpeakTheLanguage()
    {
        QFETCH(int, language);
        QFETCH(QStringList, texts);
        SetMessageLanguage(TLanguage(language));
        QStringList seen;
        QString caption, text;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QAbstractButton *defaultButton = nullptr;
        QAbstractButton *noButton = nullptr;
        QTimer::singleShot(0, this, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            QVERIFY(box);
            caption = box->windowTitle();
            text = box->text();
            icon = box->icon();
            for (auto b : {QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel})
                seen << box->button(b)->text();
            defaultButton = box->defaultButton();
            noButton = box->button(QMessageBox::No);
            box->button(QMessageBox::Cancel)->click();
        });
        const auto answer = ShowMessage(
            nullptr, QStringLiteral(" Caption"), QMessageBox::Question, QStringLiteral("Text?"),
            QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::No);
        QCOMPARE(answer, QMessageBox::Cancel);
        QCOMPARE(seen, texts);
        QCOMPARE(caption, QStringLiteral(" Caption"));
        QCOMPARE(text, QStringLiteral("Text?"));
        QCOMPARE(icon, QMessageBox::Question);
        QCOMPARE(defaultButton, noButton);
        SetMessageLanguage(TLanguage::Slovak);
    }

    // Every standard button in the program's words, not Qt's (whose Slovak
    // catalogue lacks some): what a box would show otherwise is English.
    void everyButtonInTheLanguage_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<int>("button");
        QTest::addColumn<QString>("text");
        QTest::newRow("sk Save") << 0 << int(QMessageBox::Save) << "&Uložiť";
        QTest::newRow("sk Close") << 0 << int(QMessageBox::Close) << "&Zavrieť";
        QTest::newRow("sk Retry") << 0 << int(QMessageBox::Retry) << "&Skúsiť znova";
        QTest::newRow("hu Discard") << 2 << int(QMessageBox::Discard) << "&Elvetés";
        QTest::newRow("hu Abort") << 2 << int(QMessageBox::Abort) << "Me&gszakítás";
        QTest::newRow("en Yes to All") << 1 << int(QMessageBox::YesToAll) << "Yes to &All";
    }
    void everyButtonInTheLanguage()
    {
        QFETCH(int, language);
        QFETCH(int, button);
        QFETCH(QString, text);
        const auto which = QMessageBox::StandardButton(button);
        SetMessageLanguage(TLanguage(language));
        QString seen;
        QTimer::singleShot(0, this, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            QVERIFY(box);
            seen = box->button(which)->text();
            box->button(which)->click();
        });
        QCOMPARE(ShowMessage(nullptr, QStringLiteral(" Caption"), QMessageBox::Question,
                             QStringLiteral("Text?"), which),
                 which);
        SetMessageLanguage(TLanguage::Slovak);
        QCOMPARE(seen, text);
    }

    // Qt puts the application's name on a window with an empty title; a box
    // with no caption must show nothing there, on the real X11 window too.
    void emptyCaptionShowsNoTitle_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<bool>("blank");
        QTest::newRow("no caption") << QString() << true;
        QTest::newRow("caption") << QStringLiteral(" Caption") << false;
    }
    void emptyCaptionShowsNoTitle()
    {
        QFETCH(QString, caption);
        QFETCH(bool, blank);
        QCoreApplication::setApplicationName(QStringLiteral("VantuName"));
        QString title, onScreen;
        QTimer::singleShot(0, this, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            QVERIFY(box);
            title = box->windowHandle()->title();
            if (QGuiApplication::platformName() == u"xcb") {
                QProcess xprop;
                xprop.start(QStringLiteral("xprop"),
                            {QStringLiteral("-id"), QString::number(box->winId()),
                             QStringLiteral("_NET_WM_NAME")});
                if (xprop.waitForFinished(5000))
                    onScreen = QString::fromUtf8(xprop.readAllStandardOutput()).trimmed();
            }
            box->button(QMessageBox::Ok)->click();
        });
        ShowMessage(nullptr, caption, QMessageBox::Critical, QStringLiteral("Program aborted"));
        if (!blank) {
            QCOMPARE(title, caption);
            return;
        }
        QVERIFY2(!title.isEmpty() && title.trimmed().isEmpty(), qPrintable(title));
        if (!onScreen.isEmpty())
            QCOMPARE(onScreen, QStringLiteral("_NET_WM_NAME(UTF8_STRING) = \" \""));
    }
};

QTEST_MAIN(TestMessages)
#include "tst_messages.moc"
