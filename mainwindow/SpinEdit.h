// Integer spin field that lets the user type anything. Its value is the
// integer written in its text; a text that is not an integer counts as the
// minimum, and a typed value outside the range is used as typed until the
// field loses the focus (or Enter is pressed), when it is replaced by the
// nearest bound. QSpinBox refuses such typing, hence this class.
#pragma once

#include <QAbstractSpinBox>

class TSpinEdit : public QAbstractSpinBox
{
    Q_OBJECT

public:
    explicit TSpinEdit(QWidget *parent = nullptr);

    // A range given upside down is taken as the single value lo.
    void SetRange(int lo, int hi);
    void SetIncrement(int step);
    int Minimum() const { return m_min; }
    int Maximum() const { return m_max; }
    int Increment() const { return m_increment; }

    int Value() const;
    // Writes the value clamped to the range.
    void SetValue(int value);

    QString Text() const;
    // Writes the text as given, in or out of range, number or not.
    void SetText(const QString &text);

    void stepBy(int steps) override;
    QValidator::State validate(QString &input, int &pos) const override;

signals:
    // Every change of the text, typed or set by the program.
    void Change();

protected:
    StepEnabled stepEnabled() const override;
    void focusOutEvent(QFocusEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void TextChanged();
    void ClampToRange();

    int m_min = 0;
    int m_max = 100;
    int m_increment = 1;
};
