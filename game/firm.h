// One company: the player's (slot 0) or a computer company (slots 1 to 3).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "game/firm_history.h"
#include "game/money.h"
#include "game/turn_flags.h"

namespace vellmora {

class AccountChart;
class ByteReader;
class ByteWriter;
class Calendar;
class Finance;
class Settlement;
class FirmPolicy;
class ShopList;
class TownMap;
struct MonthlyReport;

inline constexpr int kFirmShopSlots = 256;
inline constexpr std::size_t kMaxCompanyNameBytes = 255;

struct FirmSetup {
    int index = 0;
    int difficulty = 2;
    std::string_view name;
    std::string_view ratePath;
    std::string_view pricePath;
    const AccountChart* chart = nullptr;  // null: no account data, the firm cannot be made
    Calendar* calendar = nullptr;
    TownMap* map = nullptr;
    bool inactive = false;
};

class Firm {
public:
    Firm();
    ~Firm();
    Firm(const Firm&) = delete;
    Firm& operator=(const Firm&) = delete;

    // kOk, or kRefused with everything made so far undone.
    [[nodiscard]] int initialise(const FirmSetup& setup);

    // Commands come in ask/do pairs sharing one check; the asking half changes nothing.
    [[nodiscard]] bool canBuild(int x, int y, int size) const;
    // Shop number on success (0 or more), kRefused otherwise.
    [[nodiscard]] int build(int x, int y, int size);
    [[nodiscard]] bool canClose(int shop, bool force) const;
    [[nodiscard]] int close(int shop, bool force);
    // Refused, with nothing posted, when the cash does not cover the cost or the policy would
    // refuse the target (same system, change already running, target out of range).
    [[nodiscard]] bool canChangeSystem(int target) const;
    [[nodiscard]] int changeSystem(int target);
    // Item and level 0 to 4 (passed to the policy).
    [[nodiscard]] int setBudgetLevel(int item, int level);
    // Loans: borrow answers the loan slot; due date 59 months after the current month.
    [[nodiscard]] bool canBorrow() const;
    [[nodiscard]] int borrow();
    [[nodiscard]] bool canRepay(int loan) const;
    [[nodiscard]] int repay(int loan);
    // Refinances dearer loans at the current rate; kOk when loans were found, else kRefused.
    [[nodiscard]] int rollover();

    // The firm's month; answers its TurnFlags bits. A withdrawn firm answers 0.
    [[nodiscard]] TurnFlagSet monthlyTurn();

    const std::string& name() const { return name_; }
    int index() const { return index_; }
    bool withdrawn() const { return withdrawn_; }
    // Date code of the month whose turn made the firm withdraw; 0 when it never did (a firm
    // created inactive is withdrawn with date 0).
    int withdrawnDate() const { return withdrawnDate_; }
    // Created inactive: a company that never took part in this game (not one that withdrew).
    bool absent() const { return withdrawn_ && withdrawnDate_ == 0; }
    bool fundsWarning() const { return fundsWarning_; }
    // Shop struck by this month's accident, -1 when none.
    int struckShop() const { return struckShop_; }
    int difficulty() const;

    Money cash() const;
    Money balance(int accountCode) const;
    // Sum of the customers of every shop in use (last month's count).
    std::int64_t customers() const;
    int shopCount() const;

    FirmPolicy& policy() { return *policy_; }
    const FirmPolicy& policy() const { return *policy_; }
    Finance& finance() { return *finance_; }
    const Finance& finance() const { return *finance_; }
    ShopList& shops() { return *shops_; }
    const ShopList& shops() const { return *shops_; }
    // Monthly reports and the compensation of the month.
    Settlement& settlement() { return *settlement_; }
    const Settlement& settlement() const { return *settlement_; }
    // Month-end figures of every month the firm has played.
    const FirmHistory& history() const { return history_; }
    TownMap& map() const { return *map_; }
    const Calendar& calendar() const { return *calendar_; }

    // The firm's state for a game file. loadState fills a firm fresh from initialise (no shops)
    // whose map already holds the saved market and whose calendar shows the saved month;
    // kRefused for any value out of range, shops that the market does not show, books that
    // refuse an entry, or history beyond that month. A refused firm is discarded.
    void saveState(ByteWriter& out) const;
    [[nodiscard]] int loadState(ByteReader& in);

private:
    [[nodiscard]] int checkBuild(int x, int y, int size) const;
    [[nodiscard]] int checkClose(int shop, bool force) const;
    [[nodiscard]] int checkChangeSystem(int target) const;
    int dueDate() const;
    void handFinanceBudget();
    void refreshShops();
    void drawPicture(int x, int y, int buildingId);
    void recordShopScores();
    TurnFlagSet drawAccidents();
    TurnFlagSet checkFunds();
    void withdraw();
    void recordHistory();
    void release();
    bool shopsStandOnTheMap() const;

    TownMap* map_ = nullptr;
    Calendar* calendar_ = nullptr;
    std::unique_ptr<FirmPolicy> policy_;
    std::unique_ptr<ShopList> shops_;
    std::unique_ptr<Finance> finance_;
    std::unique_ptr<Settlement> settlement_;  // refers to finance_ and shops_
    FirmHistory history_;
    bool fundsWarning_ = false;
    bool withdrawn_ = false;
    std::string name_;
    int index_ = 0;
    int struckShop_ = -1;
    int withdrawnDate_ = 0;
};

}  // namespace vellmora
