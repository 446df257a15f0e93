#include "common/ModalRun.h"

#include <QDialog>

namespace
{

std::function<int(QDialog &)> ModalHandler;

} // namespace

int ExecModal(QDialog &dialog)
{
    return ModalHandler ? ModalHandler(dialog) : dialog.exec();
}

namespace MessageTestHook
{

void SetModalHandler(std::function<int(QDialog &)> handler)
{
    ModalHandler = std::move(handler);
}

} // namespace MessageTestHook
