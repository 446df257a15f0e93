// The synopsis of the manual page vantu-cli.1 (scdoc source): each form of
// the command one paragraph of options, every bracket closed within it.
#include <QFile>
#include <QRegularExpression>
#include <QtTest>

namespace
{

// The paragraphs of the SYNOPSIS section.
QStringList SynopsisParagraphs()
{
    QFile file(QStringLiteral(VANTU_SOURCE_DIR "/packaging/vantu-cli.1.scd"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QString text = QString::fromUtf8(file.readAll());
    const qsizetype start = text.indexOf(QStringLiteral("\n# SYNOPSIS\n"));
    const qsizetype end = text.indexOf(QStringLiteral("\n# "), start + 1);
    if (start < 0 || end < 0)
        return {};
    return text.mid(start + 12, end - start - 12)
        .split(QRegularExpression(QStringLiteral("\n\\s*\n")), Qt::SkipEmptyParts);
}

} // namespace

class TestManPage : public QObject
{
    Q_OBJECT

private slots:
    void synopsis_data()
    {
        QTest::addColumn<int>("paragraph");
        QTest::addColumn<QStringList>("options"); // in this order
        QTest::newRow("the Sun's events")
            << 0 << QStringList{"--place",   "--db",      "--lat",       "--lon",    "--name",
                                "--city",    "--date",    "--tz",        "--light",  "--altitude",
                                "--bearing", "--aligned", "--tolerance", "--shadow", "--horizon",
                                "--height",  "--format",  "--verbose"};
        QTest::newRow("--find") << 1 << QStringList{"--find", "--lang", "--format", "--verbose"};
        QTest::newRow("--easter") << 2 << QStringList{"--easter", "--lang"};
        QTest::newRow("--moon") << 3 << QStringList{"--moon", "--lang"};
    }

    void synopsis()
    {
        QFETCH(int, paragraph);
        QFETCH(QStringList, options);
        const QStringList paragraphs = SynopsisParagraphs();
        QCOMPARE(paragraphs.size(), 4);
        const QString text = paragraphs[paragraph].trimmed();
        QVERIFY2(text.startsWith(QStringLiteral("*vantu-cli* ")), qPrintable(text));
        // An indented line is a description's paragraph, not a synopsis.
        QVERIFY2(!text.contains(QStringLiteral("\n\t")), qPrintable(text));
        int depth = 0;
        for (const QChar c : text) {
            depth += int(c == u'[' || c == u'(') - int(c == u']' || c == u')');
            QVERIFY2(depth >= 0, qPrintable(text));
        }
        QCOMPARE(depth, 0);
        qsizetype at = 0;
        for (const QString &option : options) {
            at = text.indexOf(QLatin1Char('*') + option + QLatin1Char('*'), at);
            QVERIFY2(at >= 0, qPrintable(option));
        }
    }
};

QTEST_GUILESS_MAIN(TestManPage)
#include "tst_manpage.moc"
