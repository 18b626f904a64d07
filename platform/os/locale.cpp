#include "platform/os/locale.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <langinfo.h>
#include <locale.h>
#endif

namespace quillon::os {
namespace {

char ReadDecimalSeparator() {
#ifdef _WIN32
    char text[8] = "";
    if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, text, sizeof text) > 1 && text[1] == '\0')
        return text[0];
#else
    // A locale object of its own: the program's global locale stays as it is.
    if (locale_t user = newlocale(LC_NUMERIC_MASK, "", static_cast<locale_t>(0))) {
        const char* radix = nl_langinfo_l(RADIXCHAR, user);
        const char separator = radix && radix[0] && !radix[1] ? radix[0] : '.';
        freelocale(user);
        return separator;
    }
#endif
    return '.';
}

}  // namespace

char DecimalSeparator() {
    static const char separator = ReadDecimalSeparator();
    return separator;
}

}  // namespace quillon::os
