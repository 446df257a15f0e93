// The Moon phase window: the picture of the calendar's day, modal, closed
// by Esc.
#pragma once

#include <QDialog>
#include <QString>

class QKeyEvent;
class QLabel;
class QPushButton;

class TfrmFazeMesiaca : public QDialog
{
    Q_OBJECT

public:
    explicit TfrmFazeMesiaca(QWidget *owner);

    // Loads the picture into Image1; false with the reason when it fails.
    bool LoadPicture(const QString &fileName, QString *error);
    // What the picture shows, in words, for screen readers.
    void DescribePicture(const QString &name, const QString &description);

public slots:
    void Button1Click();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    QLabel *Image1 = nullptr;
    QPushButton *Button1 = nullptr;
};
