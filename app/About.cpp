#include "app/About.h"

#include "app/ProductInfo.h"
#include "app/Shell.h"
#include "common/EscapeKey.h"
#include "common/WindowPlacement.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <qdrawutil.h>

void TBevelPanel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    qDrawShadePanel(&painter, rect(), palette(), true, 1);
    qDrawShadePanel(&painter, rect().adjusted(1, 1, -1, -1), palette(), false, 1);
}

TLinkLabel::TLinkLabel(QWidget *parent) : QLabel(parent)
{
    QFont f = font();
    f.setUnderline(true);
    setFont(f);
    QPalette p = palette();
    p.setColor(QPalette::WindowText, Qt::blue);
    setPalette(p);
    setCursor(Qt::PointingHandCursor);
}

void TLinkLabel::mouseReleaseEvent(QMouseEvent *event)
{
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

TfrmAbout::TfrmAbout(QWidget *owner, TLanguage language)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                         Qt::MSWindowsFixedSizeDialogHint),
      FLanguage(language)
{
    setObjectName(QStringLiteral("frmAbout"));
    setFixedSize(298, 238);
    // A window does not inherit its owner's font; the box speaks in the
    // main window's.
    if (owner)
        setFont(owner->font());

    Panel1 = new TBevelPanel(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setGeometry(8, 8, 281, 185);

    auto label = [this](const char *name, const QString &text, int left, int top) {
        auto *l = new QLabel(text, Panel1);
        l->setObjectName(QString::fromLatin1(name));
        l->move(left, top);
        l->adjustSize();
        return l;
    };

    ProductName = label("ProductName", QString::fromUtf8(ProductInfo::ProductName), 85, 16);
    QFont bold = ProductName->font();
    bold.setPixelSize(19);
    bold.setBold(true);
    ProductName->setFont(bold);
    ProductName->adjustSize();

    Label3 = label("Label3", QString::fromUtf8(ProductInfo::MakerLine1), 101, 104);
    Label3->setWordWrap(true);
    Label3->setFixedWidth(Panel1->width() - 101 - 8);
    Label3->adjustSize();
    Label4 = label("Label4", QString::fromUtf8(ProductInfo::MakerLine2), 78, 125);
    Label5 = label("Label5", QStringLiteral("WWW :"), 71, 152);

    Label6 = new TLinkLabel(Panel1);
    Label6->setObjectName(QStringLiteral("Label6"));
    Label6->setText(ProductInfo::WebLinkText(language));
    Label6->move(120, 152);
    Label6->adjustSize();
    connect(Label6, &TLinkLabel::clicked, this, &TfrmAbout::Label6Click);

    OKButton = new QPushButton(QStringLiteral("OK"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setGeometry(111, 204, 75, 25);
    OKButton->setDefault(true);
    OKButton->setFocus();
    connect(OKButton, &QPushButton::clicked, this, &TfrmAbout::OKButtonClick);

    CenterOnScreen(this);
}

// Esc presses OK as well: it is also the cancel button.
void TfrmAbout::keyPressEvent(QKeyEvent *event)
{
    if (!PressOnEscape(event, OKButton))
        QDialog::keyPressEvent(event);
}

void TfrmAbout::OKButtonClick()
{
    accept();
}

void TfrmAbout::Label6Click()
{
    TShell::Open(ProductInfo::WebLinkUrl(FLanguage));
}
