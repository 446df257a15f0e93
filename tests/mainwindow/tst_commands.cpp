// The command table as the window builds it: toolbar order and groups, one
// state for item and button, and the hints the buttons copy.
#include "TestSupport.h"
#include "mainwindow/Vantu.h"

#include <QAction>
#include <QToolBar>
#include <QToolButton>

class TestCommands : public QObject
{
    Q_OBJECT

private slots:
    void init() { FFixture = std::make_unique<TVantuFixture>(); }
    void cleanup() { FFixture.reset(); }

    void toolbarOrderAndGroups()
    {
        TfrmVantu w;
        QStringList seen;
        for (QAction *a : Find<QToolBar>(&w, "ToolBar1")->actions()) {
            if (a->isSeparator())
                seen << QStringLiteral("|");
            else if (auto *b = qobject_cast<QToolButton *>(
                         Find<QToolBar>(&w, "ToolBar1")->widgetForAction(a)))
                seen << b->objectName();
        }
        QCOMPARE(seen.join(u' '),
                 QStringLiteral("| btnVlastne btnDatabaza | btnPridat btnZmazat | btnSvet "
                                "btnSlovensko | btnVelkaNoc btnFazeMesiaca | btnTabulka "
                                "btnTabulkaMes"));
    }

    void stateSetsItemAndButton_data()
    {
        QTest::addColumn<int>("state");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<bool>("down");
        QTest::newRow("available") << int(TCommandState::Available) << true << false;
        QTest::newRow("unavailable") << int(TCommandState::Unavailable) << false << true;
        QTest::newRow("failed") << int(TCommandState::Failed) << false << false;
    }
    void stateSetsItemAndButton()
    {
        QFETCH(int, state);
        QFETCH(bool, enabled);
        QFETCH(bool, down);
        TfrmVantu w;
        auto *item = w.findChild<QAction *>(QStringLiteral("mnuSvet"));
        auto *button = Find<QToolButton>(&w, "btnSvet");
        w.SetCommandState(item, TCommandState(state));
        QCOMPARE(item->isEnabled(), enabled);
        QCOMPARE(button->isEnabled(), enabled);
        QCOMPARE(button->isChecked(), down);
    }

    void buttonsCopyTheirItemsHint_data()
    {
        QTest::addColumn<int>("language");
        QTest::newRow("sk") << 0;
        QTest::newRow("en") << 1;
        QTest::newRow("hu") << 2;
    }
    void buttonsCopyTheirItemsHint()
    {
        QFETCH(int, language);
        TfrmVantu w;
        w.ApplyLanguage(TLanguage(language));
        const std::pair<const char *, const char *> pairs[] = {
            {"mnuVlastne", "btnVlastne"},   {"mnuDatabaza", "btnDatabaza"},
            {"mnuPridat", "btnPridat"},     {"mnuZmazat", "btnZmazat"},
            {"mnuSvet", "btnSvet"},         {"mnuSlovensko", "btnSlovensko"},
            {"mnuVelkaNoc", "btnVelkaNoc"}, {"mnuFazaMesiaca", "btnFazeMesiaca"},
            {"mnuTabulka", "btnTabulka"},   {"mnuTabulkaMes", "btnTabulkaMes"}};
        for (const auto &[item, button] : pairs) {
            const QString hint = w.findChild<QAction *>(QString::fromLatin1(item))->statusTip();
            QVERIFY(!hint.isEmpty());
            QCOMPARE(Find<QToolButton>(&w, button)->statusTip(), hint);
        }
    }

private:
    std::unique_ptr<TVantuFixture> FFixture;
};

QTEST_MAIN(TestCommands)
#include "tst_commands.moc"
