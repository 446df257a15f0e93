// The message helper: a real QMessageBox with the caller's caption, icon,
// text, buttons and default, its buttons named in the language in force.
#include "common/Messages.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QTimer>

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
};

QTEST_MAIN(TestMessages)
#include "tst_messages.moc"
