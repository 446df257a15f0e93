// The about box: product name, makers and a link.
#pragma once

#include "common/Language.h"

#include <QDialog>
#include <QFrame>
#include <QLabel>

class QKeyEvent;
class QPushButton;

// A panel with a raised inner and a lowered outer bevel.
class TBevelPanel : public QFrame
{
public:
    using QFrame::QFrame;

protected:
    void paintEvent(QPaintEvent *event) override;
};

// A label that acts as a web link: blue, underlined, hand pointer, and a
// click anywhere on it.
class TLinkLabel : public QLabel
{
    Q_OBJECT

public:
    explicit TLinkLabel(QWidget *parent = nullptr);

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
};

class TfrmAbout : public QDialog
{
    Q_OBJECT

public:
    // The link leads to the page of the language given.
    TfrmAbout(QWidget *owner, TLanguage language);

public slots:
    void OKButtonClick();
    void Label6Click();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    TLanguage FLanguage = TLanguage::Slovak;
    TBevelPanel *Panel1 = nullptr;
    QLabel *ProductName = nullptr;
    QLabel *Label3 = nullptr;
    QLabel *Label4 = nullptr;
    QLabel *Label5 = nullptr;
    TLinkLabel *Label6 = nullptr;
    QPushButton *OKButton = nullptr;
};
