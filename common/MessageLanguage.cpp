#include "common/MessageLanguage.h"

namespace
{

TLanguage CurrentLanguage = TLanguage::Slovak;

} // namespace

void SetMessageLanguage(TLanguage language)
{
    CurrentLanguage = language;
}

TLanguage MessageLanguage()
{
    return CurrentLanguage;
}
