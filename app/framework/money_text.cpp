#include "app/framework/money_text.h"

#include <locale>
#include <sstream>
#include <string>

namespace vellmora {
namespace {

struct ThousandsGrouping : std::numpunct<char> {
    char do_thousands_sep() const override { return ','; }
    std::string do_grouping() const override { return "\3"; }
};

std::locale userLocale() {
    std::locale locale = std::locale::classic();
    try {
        locale = std::locale("");
    } catch (const std::runtime_error&) {
        // An unknown LANG: keep the classic locale and group as below.
    }
    if (std::use_facet<std::numpunct<char>>(locale).grouping().empty()) {
        locale = std::locale(locale, new ThousandsGrouping);
    }
    return locale;
}

}  // namespace

QString moneyText(long long amount) {
    static const std::locale locale = userLocale();
    std::ostringstream text;
    text.imbue(locale);
    text << amount;
    return QString::fromLocal8Bit(text.str());
}

}  // namespace vellmora
