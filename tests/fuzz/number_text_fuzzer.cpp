// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes in a field read as a number or 0, never crash, and every single
// the program writes reads back to the same text.
#include <QLocale>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "section_input/number_text.hpp"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size)
{
    const auto length = static_cast<qsizetype>(size);
    if (std::isnan(
            section_input::text_to_number(QString::fromUtf8(reinterpret_cast<const char*>(data), length))) ||
        std::isnan(
            section_input::text_to_number(QStringView(reinterpret_cast<const char16_t*>(data), length / 2))))
        std::abort();
    float value;
    if (size < sizeof value) return 0;
    std::memcpy(&value, data, sizeof value);
    for (const QLocale& locale : {QLocale(QLocale::Italian), QLocale(QLocale::English)}) {
        const QString text = section_input::number_to_text(value, locale);
        const auto read = static_cast<float>(section_input::text_to_number(text));
        if (std::isfinite(value) && section_input::number_to_text(read, locale) != text) std::abort();
    }
    return 0;
}
