// The free-typing integer spin field.
#include "mainwindow/SpinEdit.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <QtTest>

class TestSpinEdit : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void typedText_data();
    void typedText();
    void enterClampsLikeFocusOut();
    void everyKeystrokeIsAChange();
    void arrows_data();
    void arrows();
    void pageKeysStepOnce();
    void wheelSteps();
    void readOnlyDoesNotStep();
    void programmaticText();
    void setValueClamps_data();
    void setValueClamps();

private:
    void TypeInto(const QString &text);
    void LeaveField();

    QWidget *m_window = nullptr;
    TSpinEdit *m_spin = nullptr;
    QLineEdit *m_other = nullptr;
};

void TestSpinEdit::init()
{
    m_window = new QWidget;
    auto *layout = new QVBoxLayout(m_window);
    m_spin = new TSpinEdit(m_window);
    m_other = new QLineEdit(m_window);
    layout->addWidget(m_spin);
    layout->addWidget(m_other);
    m_window->show();
    QApplication::setActiveWindow(m_window);
    QVERIFY(QTest::qWaitForWindowActive(m_window));
    m_spin->setFocus();
    QTRY_VERIFY(m_spin->hasFocus());
}

void TestSpinEdit::cleanup()
{
    delete m_window;
    m_window = nullptr;
}

void TestSpinEdit::TypeInto(const QString &text)
{
    m_spin->SetText(QString());
    QTest::keyClicks(m_spin, text);
}

void TestSpinEdit::LeaveField()
{
    m_other->setFocus();
    QTRY_VERIFY(m_other->hasFocus());
}

void TestSpinEdit::typedText_data()
{
    QTest::addColumn<int>("lo");
    QTest::addColumn<int>("hi");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("valueWhileTyping");
    QTest::addColumn<QString>("textAfterLeaving");

    QTest::newRow("letters count as minimum") << 0 << 45 << "abc" << 0 << "abc";
    QTest::newRow("letters, negative minimum") << -12 << 12 << "x" << -12 << "x";
    QTest::newRow("above range until leaving") << 0 << 90 << "95" << 95 << "90";
    QTest::newRow("below range until leaving") << 0 << 59 << "-5" << -5 << "0";
    QTest::newRow("hours above") << -12 << 12 << "13" << 13 << "12";
    QTest::newRow("hours below") << -12 << 12 << "-13" << -13 << "-12";
    QTest::newRow("far above") << 0 << 180 << "12345" << 12345 << "180";
    QTest::newRow("in range off the step") << 0 << 45 << "20" << 20 << "20";
    QTest::newRow("at upper bound") << 0 << 90 << "90" << 90 << "90";
    QTest::newRow("plus sign") << 0 << 59 << "+7" << 7 << "+7";
    QTest::newRow("blanks around") << 0 << 59 << " 8 " << 8 << " 8 ";
    QTest::newRow("fraction is not an integer") << 3 << 59 << "1.5" << 3 << "1.5";
    QTest::newRow("empty") << 5 << 59 << "" << 5 << "";
    QTest::newRow("minus alone") << 0 << 59 << "-" << 0 << "-";
    QTest::newRow("beyond 32 bits") << 1 << 90 << "99999999999" << 1 << "99999999999";
}

void TestSpinEdit::typedText()
{
    QFETCH(int, lo);
    QFETCH(int, hi);
    QFETCH(QString, typed);
    QFETCH(int, valueWhileTyping);
    QFETCH(QString, textAfterLeaving);

    m_spin->SetRange(lo, hi);
    TypeInto(typed);
    QCOMPARE(m_spin->Text(), typed);
    QCOMPARE(m_spin->Value(), valueWhileTyping);

    QSignalSpy changes(m_spin, &TSpinEdit::Change);
    LeaveField();
    QCOMPARE(m_spin->Text(), textAfterLeaving);
    QCOMPARE(changes.count(), textAfterLeaving == typed ? 0 : 1);
    const int expectedAfter =
        textAfterLeaving == typed ? valueWhileTyping : textAfterLeaving.toInt();
    QCOMPARE(m_spin->Value(), expectedAfter);
}

void TestSpinEdit::enterClampsLikeFocusOut()
{
    m_spin->SetRange(0, 90);
    TypeInto(QStringLiteral("95"));
    QSignalSpy changes(m_spin, &TSpinEdit::Change);
    QTest::keyClick(m_spin, Qt::Key_Return);
    QCOMPARE(m_spin->Text(), QStringLiteral("90"));
    QCOMPARE(changes.count(), 1);
    TypeInto(QStringLiteral("-4"));
    QTest::keyClick(m_spin, Qt::Key_Enter);
    QCOMPARE(m_spin->Text(), QStringLiteral("0"));
}

void TestSpinEdit::everyKeystrokeIsAChange()
{
    m_spin->SetRange(0, 59);
    m_spin->SetText(QString());
    QStringList seen;
    connect(m_spin, &TSpinEdit::Change, this, [&seen, this] { seen << m_spin->Text(); });
    QTest::keyClicks(m_spin, QStringLiteral("1a2"));
    QTest::keyClick(m_spin, Qt::Key_Backspace);
    QCOMPARE(seen, (QStringList{QStringLiteral("1"), QStringLiteral("1a"), QStringLiteral("1a2"),
                                QStringLiteral("1a")}));
}

void TestSpinEdit::arrows_data()
{
    QTest::addColumn<int>("lo");
    QTest::addColumn<int>("hi");
    QTest::addColumn<int>("step");
    QTest::addColumn<QString>("start");
    QTest::addColumn<int>("key");
    QTest::addColumn<QStringList>("texts");

    const int up = Qt::Key_Up;
    const int down = Qt::Key_Down;
    QTest::newRow("minutes up by 15")
        << 0 << 45 << 15 << "0" << up << QStringList{"15", "30", "45", "45"};
    QTest::newRow("minutes down by 15")
        << 0 << 45 << 15 << "45" << down << QStringList{"30", "15", "0", "0"};
    QTest::newRow("off the step, up") << 0 << 45 << 15 << "20" << up << QStringList{"35", "45"};
    QTest::newRow("off the step, down") << 0 << 45 << 15 << "20" << down << QStringList{"5", "0"};
    QTest::newRow("letters step from minimum") << 0 << 45 << 15 << "abc" << up << QStringList{"15"};
    QTest::newRow("hours up") << -12 << 12 << 1 << "11" << up << QStringList{"12", "12"};
    QTest::newRow("hours down") << -12 << 12 << 1 << "-11" << down << QStringList{"-12", "-12"};
    QTest::newRow("typed above, down") << 0 << 90 << 1 << "95" << down << QStringList{"90", "89"};
    QTest::newRow("typed above, up stays") << 0 << 90 << 1 << "95" << up << QStringList{"95"};
    QTest::newRow("typed below, up") << 0 << 59 << 1 << "-9" << up << QStringList{"0", "1"};
}

void TestSpinEdit::arrows()
{
    QFETCH(int, lo);
    QFETCH(int, hi);
    QFETCH(int, step);
    QFETCH(QString, start);
    QFETCH(int, key);
    QFETCH(QStringList, texts);

    m_spin->SetRange(lo, hi);
    m_spin->SetIncrement(step);
    m_spin->SetText(start);
    for (const QString &expected : texts) {
        const QString before = m_spin->Text();
        QSignalSpy changes(m_spin, &TSpinEdit::Change);
        QTest::keyClick(m_spin, static_cast<Qt::Key>(key));
        QCOMPARE(m_spin->Text(), expected);
        QCOMPARE(changes.count(), expected == before ? 0 : 1);
    }
}

void TestSpinEdit::pageKeysStepOnce()
{
    m_spin->SetRange(0, 45);
    m_spin->SetIncrement(15);
    m_spin->SetText(QStringLiteral("0"));
    QTest::keyClick(m_spin, Qt::Key_PageUp);
    QCOMPARE(m_spin->Text(), QStringLiteral("15"));
    QTest::keyClick(m_spin, Qt::Key_PageUp);
    QCOMPARE(m_spin->Text(), QStringLiteral("30"));
    QTest::keyClick(m_spin, Qt::Key_PageDown);
    QCOMPARE(m_spin->Text(), QStringLiteral("15"));
}

void TestSpinEdit::wheelSteps()
{
    m_spin->SetRange(0, 45);
    m_spin->SetIncrement(15);
    m_spin->SetText(QStringLiteral("15"));
    auto turn = [this](int delta) {
        const QPointF pos(m_spin->width() / 2.0, m_spin->height() / 2.0);
        QWheelEvent wheel(pos, m_spin->mapToGlobal(pos), QPoint(), QPoint(0, delta), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(m_spin, &wheel);
    };
    turn(120);
    QCOMPARE(m_spin->Text(), QStringLiteral("30"));
    turn(-120);
    turn(-120);
    QCOMPARE(m_spin->Text(), QStringLiteral("0"));
    turn(-120);
    QCOMPARE(m_spin->Text(), QStringLiteral("0"));
}

void TestSpinEdit::readOnlyDoesNotStep()
{
    m_spin->SetRange(0, 45);
    m_spin->SetText(QStringLiteral("5"));
    m_spin->setReadOnly(true);
    QTest::keyClick(m_spin, Qt::Key_Up);
    QTest::keyClick(m_spin, Qt::Key_PageUp);
    QCOMPARE(m_spin->Text(), QStringLiteral("5"));
}

void TestSpinEdit::programmaticText()
{
    m_spin->SetRange(0, 90);
    m_spin->SetText(QStringLiteral("10"));
    LeaveField();
    QSignalSpy changes(m_spin, &TSpinEdit::Change);
    m_spin->SetText(QStringLiteral("48"));
    QCOMPARE(changes.count(), 1);
    QCOMPARE(m_spin->Value(), 48);
    m_spin->SetText(QStringLiteral("48"));
    QCOMPARE(changes.count(), 1);           // the same text is no change
    m_spin->SetText(QStringLiteral("120")); // set as given, not clamped
    QCOMPARE(changes.count(), 2);
    QCOMPARE(m_spin->Text(), QStringLiteral("120"));
    QCOMPARE(m_spin->Value(), 120);
    // It stays so until the field is entered and left again.
    QTest::qWait(20);
    QCOMPARE(m_spin->Text(), QStringLiteral("120"));
    m_spin->setFocus();
    QTRY_VERIFY(m_spin->hasFocus());
    QCOMPARE(m_spin->Text(), QStringLiteral("120"));
    LeaveField();
    QCOMPARE(m_spin->Text(), QStringLiteral("90"));
    QCOMPARE(changes.count(), 3);
}

void TestSpinEdit::setValueClamps_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("inside") << 7 << "7";
    QTest::newRow("above") << 100 << "59";
    QTest::newRow("below") << -100 << "-3";
    QTest::newRow("int min") << int(-2147483647 - 1) << "-3";
}

void TestSpinEdit::setValueClamps()
{
    QFETCH(int, value);
    QFETCH(QString, text);
    m_spin->SetRange(-3, 59);
    m_spin->SetText(QStringLiteral("x"));
    QSignalSpy changes(m_spin, &TSpinEdit::Change);
    m_spin->SetValue(value);
    QCOMPARE(m_spin->Text(), text);
    QCOMPARE(changes.count(), 1);
}

QTEST_MAIN(TestSpinEdit)
#include "tst_SpinEdit.moc"
