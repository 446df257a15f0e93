#include "common/StandardDialogs.h"

#include "common/ModalRun.h"

#include <QFileDialog>
#include <QPrintDialog>
#include <QPrinter>

QString AskSaveFileName(QWidget *parent, const QString &proposed, const QString &suffix,
                        const QString &filter)
{
    QFileDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("SaveDialog1"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(suffix);
    dialog.setNameFilter(filter);
    if (!proposed.isEmpty())
        dialog.selectFile(proposed);
    if (ExecModal(dialog) != QDialog::Accepted)
        return QString();
    return dialog.selectedFiles().value(0);
}

QString AskOpenFileName(QWidget *parent, const QString &folder, const QString &filters)
{
    QFileDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("OpenDialog1"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilter(filters);
    if (!folder.isEmpty())
        dialog.setDirectory(folder);
    if (ExecModal(dialog) != QDialog::Accepted)
        return QString();
    return dialog.selectedFiles().value(0);
}

std::unique_ptr<QPrinter> AskPrinter(QWidget *parent)
{
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    QPrintDialog dialog(printer.get(), parent);
    dialog.setObjectName(QStringLiteral("PrintDialog1"));
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize);
    if (ExecModal(dialog) != QDialog::Accepted)
        return nullptr;
    return printer;
}
