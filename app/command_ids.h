// Numeric ids of the window's commands, shared by menu and toolbar.
#pragma once

namespace vellmora::command {

inline constexpr int kAbout = 104;
inline constexpr int kNewGame = 32791;
inline constexpr int kScoreTable = 32844;
inline constexpr int kExit = 32830;
inline constexpr int kBuildSmall = 32801;
inline constexpr int kBuildMedium = 32804;
inline constexpr int kBuildLarge = 32806;
inline constexpr int kCloseShop = 32790;
inline constexpr int kManagementSystem = 32810;
inline constexpr int kBudget = 32811;
inline constexpr int kBorrowing = 32813;
inline constexpr int kStatements = 32797;
inline constexpr int kCompanyInfo = 32828;
inline constexpr int kViewNormal = 32817;
inline constexpr int kViewCustomers = 32821;
inline constexpr int kViewCatchment = 32822;
inline constexpr int kViewPreferencePlayer = 32816;
inline constexpr int kViewPreferenceBlue = 32838;
inline constexpr int kViewPreferenceGreen = 32839;
inline constexpr int kViewPreferenceYellow = 32840;
inline constexpr int kSoundEffects = 32835;
inline constexpr int kMusicOff = 32834;
inline constexpr int kAutoRefinance = 32846;
// Beyond the menu of old: the music and effect volumes.
inline constexpr int kVolume = 32850;
// Game files.
inline constexpr int kSaveGame = 32851;
inline constexpr int kOpenGame = 32852;
inline constexpr int kEndTurn = 32796;
inline constexpr int kFirstMusic = 10000;
inline constexpr int kLastMusic = 10007;

}  // namespace vellmora::command
