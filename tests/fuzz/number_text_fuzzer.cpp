// Any bytes in a field read as a number or 0 in linear time, never crash,
// and every single the program writes reads back to the same text.
#include <QLocale>
#include <QString>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "main_window/number_text.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto* bytes = reinterpret_cast<const char*>(data);
    const double as_utf8 =
        main_window::text_to_number(QString::fromUtf8(bytes, static_cast<qsizetype>(size)));
    const double as_utf16 = main_window::text_to_number(
        QStringView(reinterpret_cast<const char16_t*>(data), static_cast<qsizetype>(size / 2)));
    if (std::isnan(as_utf8) || std::isnan(as_utf16)) std::abort();

    if (size >= sizeof(float)) {
        float value;
        std::memcpy(&value, data, sizeof value);
        if (std::isfinite(value)) {
            for (const QLocale& locale : {QLocale(QLocale::Italian), QLocale(QLocale::English)}) {
                const QString text = main_window::number_to_text(value, locale);
                const auto read = static_cast<float>(main_window::text_to_number(text));
                if (main_window::number_to_text(read, locale) != text) std::abort();
            }
        }
    }
    return 0;
}
