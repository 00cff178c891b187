// Money and counts as the player reads them: digits grouped as the user's locale groups them.
#pragma once

#include <QString>

namespace vellmora {

// "1,234,567", "-12,000". A locale without grouping (C, POSIX) groups by thousands with ","
// as Japanese does.
QString moneyText(long long amount);

}  // namespace vellmora
