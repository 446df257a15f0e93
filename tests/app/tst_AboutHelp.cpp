// The about box, its link, and the help commands, all opened through the
// replaceable "open" action instead of a browser.
#include "AuxTestSupport.h"
#include "app/About.h"
#include "app/ProductInfo.h"
#include "app/Shell.h"
#include "common/Version.h"
#include "mainwindow/Vantu.h"

#include <QAction>
#include <QFrame>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <memory>

using namespace AuxTest;

namespace
{

const char *const LanguageItems[3] = {"mnuSlovensky", "mnuAnglicky", "mnuMadarsky"};
const char *const AboutTitles[3] = {" O programe ...", " About ...", " A programról ..."};
const char *const HelpPages[3] = {"help/vantu.htm", "help/vantu_en.htm", "help/vantu_hu.htm"};

void SwitchTo(TfrmVantu &w, int language)
{
    w.findChild<QAction *>(QString::fromLatin1(LanguageItems[language]))->trigger();
}

} // namespace

class TestAboutHelp : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        FFixture = std::make_unique<TVantuFixture>();
        QVERIFY(PrepareFolder(*FFixture, {}));
        FOpened.clear();
        TShell::Open = [this](const QUrl &url) {
            FOpened << url;
            return FOpenSucceeds;
        };
        FOpenSucceeds = true;
    }
    void cleanup() { FFixture.reset(); }

    void aboutBox_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<int>("closeKey");
        for (int language = 0; language < 3; ++language) {
            QTest::addRow("language %d, Enter", language) << language << int(Qt::Key_Return);
            QTest::addRow("language %d, Esc", language) << language << int(Qt::Key_Escape);
        }
    }
    void aboutBox()
    {
        QFETCH(int, language);
        QFETCH(int, closeKey);
        TfrmVantu w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        SwitchTo(w, language);

        QString title, productName, label5, label6Text;
        QSize size, minSize, maxSize;
        QRect geometry, panelRect, okRect;
        QFont productFont, linkFont;
        QColor linkColour;
        Qt::CursorShape linkCursor = Qt::ArrowCursor;
        bool owned = false, isDefault = false, openAfterLink = false, okPressed = false;
        QList<QUrl> openedByLink;
        QMap<QString, QPoint> places;
        bool otherActive = false;
        TWhenModal<TfrmAbout> answer([&](TfrmAbout *frm) {
            title = frm->windowTitle();
            owned = frm->parentWidget() == &w;
            size = frm->size();
            minSize = frm->minimumSize();
            maxSize = frm->maximumSize();
            geometry = frm->geometry();
            auto *panel = frm->findChild<QFrame *>(QStringLiteral("Panel1"));
            auto *name = frm->findChild<QLabel *>(QStringLiteral("ProductName"));
            auto *l5 = frm->findChild<QLabel *>(QStringLiteral("Label5"));
            auto *l6 = frm->findChild<QLabel *>(QStringLiteral("Label6"));
            auto *ok = frm->findChild<QPushButton *>(QStringLiteral("OKButton"));
            if (!panel || !name || !l5 || !l6 || !ok)
                return;
            panelRect = panel->geometry();
            for (QLabel *l : panel->findChildren<QLabel *>())
                places.insert(l->objectName(), l->pos());
            productName = name->text();
            productFont = name->font();
            label5 = l5->text();
            label6Text = l6->text();
            linkFont = l6->font();
            linkColour = l6->palette().color(QPalette::WindowText);
            linkCursor = l6->cursor().shape();
            okRect = ok->geometry();
            isDefault = ok->isDefault();
            QObject::connect(ok, &QPushButton::clicked, [&okPressed] { okPressed = true; });

            QTest::mouseClick(l6, Qt::LeftButton, {}, QPoint(2, l6->height() / 2));
            openedByLink = FOpened;
            openAfterLink = frm->isVisible();
            // The key must work even when the window is not the active one
            // (it may reach the window before the window manager activates it).
            TOtherWindowActive other(frm);
            otherActive = other.Active();
            QTest::keyClick(frm, Qt::Key(closeKey));
        });
        w.findChild<QAction *>(QStringLiteral("mnuOPrograme"))->trigger();

        QVERIFY(answer.Done());
        QVERIFY(otherActive);
        QCOMPARE(title, U(AboutTitles[language]));
        QVERIFY(owned);
        QCOMPARE(size, QSize(298, 238));
        QCOMPARE(minSize, maxSize);
        QCOMPARE(geometry.center(), w.screen()->geometry().center());
        QCOMPARE(panelRect, QRect(8, 8, 281, 185));
        QCOMPARE(productName, QStringLiteral("VANTU v" VANTU_VERSION));
        QVERIFY(productFont.bold());
        QCOMPARE(productFont.pixelSize(), 19);
        QCOMPARE(places.value(QStringLiteral("ProductName")), QPoint(85, 16));
        QCOMPARE(label5, QStringLiteral("WWW :"));
        QCOMPARE(places.value(QStringLiteral("Label5")), QPoint(71, 152));
        QCOMPARE(places.value(QStringLiteral("Label6")), QPoint(120, 152));
        // The two lines about the makers.
        QCOMPARE(places.values().count(QPoint(101, 104)), 1);
        QCOMPARE(places.values().count(QPoint(78, 125)), 1);
        QCOMPARE(okRect, QRect(111, 204, 75, 25));
        QVERIFY(isDefault);

        // The link: it looks like one and opens through the "open" action,
        // leaving the box open.
        QVERIFY(linkFont.underline());
        QCOMPARE(linkColour, QColor(Qt::blue));
        QCOMPARE(linkCursor, Qt::PointingHandCursor);
        QCOMPARE(openedByLink.size(), 1);
        const QUrl expected =
            QString::fromUtf8(ProductInfo::WebAddress).isEmpty()
                ? QUrl::fromLocalFile(FFixture->File(QString::fromLatin1(HelpPages[language])))
                : QUrl(QString::fromUtf8(ProductInfo::WebAddress));
        QCOMPARE(openedByLink.first(), expected);
        if (expected.isLocalFile())
            QCOMPARE(label6Text, QString::fromLatin1(HelpPages[language]));
        QVERIFY(openAfterLink);

        // Enter and Esc both press OK, which closes the box; then it is gone.
        QVERIFY(okPressed);
        QVERIFY(w.findChildren<TfrmAbout *>().isEmpty());
        QVERIFY(!QApplication::activeModalWidget());
    }

    // Without a configured address the link and the on-line help lead to the
    // local page of the language.
    void localPageWithoutAddress()
    {
        for (int language = 0; language < 3; ++language) {
            for (const QUrl &url : {ProductInfo::WebLinkUrl(TLanguage(language)),
                                    ProductInfo::OnlineHelpUrl(TLanguage(language))}) {
                if (!url.isLocalFile())
                    continue;
                QCOMPARE(url, QUrl::fromLocalFile(
                                  FFixture->File(QString::fromLatin1(HelpPages[language]))));
            }
        }
    }

    void help_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<bool>("online");
        for (int language = 0; language < 3; ++language) {
            QTest::addRow("local, language %d", language) << language << false;
            QTest::addRow("on-line, language %d", language) << language << true;
        }
    }
    void help()
    {
        QFETCH(int, language);
        QFETCH(bool, online);
        TfrmVantu w;
        SwitchTo(w, language);
        w.findChild<QAction *>(online ? QStringLiteral("mnuOnLine") : QStringLiteral("mnuPomoc"))
            ->trigger();
        QCOMPARE(FOpened.size(), 1);
        const QString address = QString::fromUtf8(ProductInfo::OnlineHelpAddress[language]);
        const QUrl expected =
            online && !address.isEmpty()
                ? QUrl(address)
                : QUrl::fromLocalFile(FFixture->File(QString::fromLatin1(HelpPages[language])));
        QCOMPARE(FOpened.first(), expected);
    }

    void f1OpensHelp_data()
    {
        QTest::addColumn<int>("language");
        for (int language = 0; language < 3; ++language)
            QTest::addRow("language %d", language) << language;
    }
    void f1OpensHelp()
    {
        QFETCH(int, language);
        TfrmVantu w;
        w.show();
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        SwitchTo(w, language);
        QTest::keyClick(&w, Qt::Key_F1);
        QCOMPARE(FOpened.size(), 1);
        QCOMPARE(FOpened.first(),
                 QUrl::fromLocalFile(FFixture->File(QString::fromLatin1(HelpPages[language]))));
    }

    // A page that cannot be opened is not reported.
    void nothingReportedWhenNothingOpens()
    {
        FOpenSucceeds = false;
        TfrmVantu w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        TBoxAnswerer boxes({});
        int modalWindows = 0;
        MessageTestHook::SetModalHandler([&modalWindows](QDialog &) {
            ++modalWindows;
            return int(QDialog::Rejected);
        });
        w.findChild<QAction *>(QStringLiteral("mnuPomoc"))->trigger();
        w.findChild<QAction *>(QStringLiteral("mnuOnLine"))->trigger();
        MessageTestHook::SetModalHandler(nullptr);
        QCOMPARE(FOpened.size(), 2);
        QVERIFY(boxes.Seen().isEmpty());
        QCOMPARE(modalWindows, 0);
    }

private:
    std::unique_ptr<TVantuFixture> FFixture;
    QList<QUrl> FOpened;
    bool FOpenSucceeds = true;
};

QTEST_MAIN(TestAboutHelp)
#include "tst_AboutHelp.moc"
