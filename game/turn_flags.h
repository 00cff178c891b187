// The bit set returned by the end of turn.
#pragma once

#include <cstdint>

namespace vellmora {

using TurnFlagSet = std::uint32_t;

namespace TurnFlags {
inline constexpr TurnFlagSet None = 0x000;
inline constexpr TurnFlagSet YearEnd = 0x001;
inline constexpr TurnFlagSet Bankrupt = 0x002;  // always with GameOver
inline constexpr TurnFlagSet CompetitorWithdrew = 0x004;
inline constexpr TurnFlagSet LoanRepaid = 0x008;
inline constexpr TurnFlagSet FoodPoisoning = 0x010;
inline constexpr TurnFlagSet OverworkDeath = 0x020;
inline constexpr TurnFlagSet Victory = 0x040;
inline constexpr TurnFlagSet GameOver = 0x080;
inline constexpr TurnFlagSet CashExhausted = 0x100;
}  // namespace TurnFlags

}  // namespace vellmora
