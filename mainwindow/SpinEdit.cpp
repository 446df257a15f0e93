// Integer spin field with free typing.
#include "mainwindow/SpinEdit.h"
#include "common/IntegerText.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>

#include <algorithm>

namespace
{

// Blanks around the number are allowed.
bool ParseInteger(const QString &text, int *result)
{
    return ParseStrictInteger(QStringView(text).trimmed(), result);
}

} // namespace

TSpinEdit::TSpinEdit(QWidget *parent) : QAbstractSpinBox(parent)
{
    setButtonSymbols(QAbstractSpinBox::UpDownArrows);
    lineEdit()->setText(QStringLiteral("0"));
    connect(lineEdit(), &QLineEdit::textChanged, this, &TSpinEdit::TextChanged);
}

void TSpinEdit::SetRange(int lo, int hi)
{
    m_min = lo;
    m_max = std::max(lo, hi);
    update();
}

void TSpinEdit::SetIncrement(int step)
{
    m_increment = step;
}

int TSpinEdit::Value() const
{
    int value = 0;
    return ParseInteger(lineEdit()->text(), &value) ? value : m_min;
}

void TSpinEdit::SetValue(int value)
{
    SetText(QString::number(std::clamp(value, m_min, m_max)));
}

QString TSpinEdit::Text() const
{
    return lineEdit()->text();
}

void TSpinEdit::SetText(const QString &text)
{
    // QLineEdit reports a change only when the text really differs.
    lineEdit()->setText(text);
}

void TSpinEdit::TextChanged()
{
    update(); // the arrows' enabled state follows the value
    emit Change();
}

void TSpinEdit::stepBy(int steps)
{
    const qint64 target = qint64(Value()) + qint64(steps) * m_increment;
    const int value = static_cast<int>(std::clamp<qint64>(target, m_min, m_max));
    SetValue(value);
    lineEdit()->selectAll();
}

QValidator::State TSpinEdit::validate(QString &input, int &pos) const
{
    Q_UNUSED(pos);
    // Nothing is ever refused; a text that is not a number is merely
    // unfinished.
    int value = 0;
    return ParseInteger(input, &value) ? QValidator::Acceptable : QValidator::Intermediate;
}

QAbstractSpinBox::StepEnabled TSpinEdit::stepEnabled() const
{
    if (isReadOnly())
        return StepNone;
    const int value = Value();
    StepEnabled enabled = StepNone;
    if (value < m_max)
        enabled |= StepUpEnabled;
    if (value > m_min)
        enabled |= StepDownEnabled;
    return enabled;
}

// An integer outside the range becomes the nearest bound. A text that is not
// an integer is left as typed: it already counts as the minimum.
void TSpinEdit::ClampToRange()
{
    int value = 0;
    if (ParseInteger(lineEdit()->text(), &value) && (value < m_min || value > m_max))
        SetValue(value);
}

void TSpinEdit::focusOutEvent(QFocusEvent *event)
{
    // A context menu opening over the field is not leaving it, nor is another
    // window (a message box) taking the focus for a while.
    if (event->reason() != Qt::PopupFocusReason && event->reason() != Qt::ActiveWindowFocusReason)
        ClampToRange();
    QAbstractSpinBox::focusOutEvent(event);
}

void TSpinEdit::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Enter:
    case Qt::Key_Return:
        ClampToRange();
        break;
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        // One increment, like the arrow keys, not ten.
        if (!isReadOnly())
            stepBy(event->key() == Qt::Key_PageUp ? 1 : -1);
        event->accept();
        return;
    default:
        break;
    }
    QAbstractSpinBox::keyPressEvent(event);
}
