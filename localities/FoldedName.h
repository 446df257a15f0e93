#pragma once

#include <QStringView>

#include <string>
#include <vector>

// Letters and digits case-folded without their accents; every run of anything
// else one space between words. The characters of those runs other than
// blanks go to *others when asked for.
std::u16string FoldText(QStringView text, std::vector<char32_t> *others = nullptr);
