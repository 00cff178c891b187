#include "game/ledger.h"

#include <algorithm>
#include <limits>
#include <set>

#include "data/result_codes.h"
#include "game/money_convert.h"

namespace vellmora {
namespace {

Money sumOf(const std::vector<Posting>& postings) {
    Money total = 0;
    for (const Posting& posting : postings) {
        total = saturatingAdd(total, posting.amount);
    }
    return total;
}

// Exact total; each amount is within ±2^53, so even millions of postings fit.
__int128 exactSum(const std::vector<Posting>& postings) {
    __int128 total = 0;
    for (const Posting& posting : postings) {
        total += posting.amount;
    }
    return total;
}

// Held at the int64 limits; only reachable with balances far beyond kMoneyLimit.
Money saturate(__int128 value) {
    if (value > std::numeric_limits<Money>::max()) {
        return std::numeric_limits<Money>::max();
    }
    if (value < std::numeric_limits<Money>::min()) {
        return std::numeric_limits<Money>::min();
    }
    return static_cast<Money>(value);
}

bool withinLimit(__int128 value) {
    return value >= -static_cast<__int128>(kMoneyLimit) &&
           value <= static_cast<__int128>(kMoneyLimit);
}

}  // namespace

Money JournalEntry::debitTotal() const {
    return sumOf(debits);
}

Money JournalEntry::creditTotal() const {
    return sumOf(credits);
}

Money BalanceSnapshot::amount(int code) const {
    auto it = std::lower_bound(amounts.begin(), amounts.end(), code,
                               [](const auto& pair, int c) { return pair.first < c; });
    return it != amounts.end() && it->first == code ? it->second : 0;
}

void Ledger::open(const AccountChart& chart) {
    chart_ = chart;
    journal_.clear();
    archived_.clear();
    closings_.clear();
    openAccounts(nullptr);
}

void Ledger::openAccounts(const BalanceSnapshot* carried) {
    accounts_.clear();
    for (const auto& [code, title] : chart_.accounts()) {
        Money opening = 0;
        if (carried != nullptr && title.type != kRevenueType && title.type != kExpenseType) {
            opening = carried->amount(code);
        }
        Account account;
        account.code = code;
        account.sign = title.sign;
        account.card.push_back(AccountLine{0, 0, -1, opening, 0, opening});
        accounts_.emplace(code, std::move(account));
    }
}

int Ledger::post(const JournalEntry& entry) {
    std::set<int> touched;
    for (const auto* side : {&entry.debits, &entry.credits}) {
        for (const Posting& posting : *side) {
            if (accounts_.count(posting.code) == 0 || !withinLimit(posting.amount)) {
                return kRefused;
            }
            touched.insert(posting.code);
        }
    }
    if (exactSum(entry.debits) != exactSum(entry.credits)) {
        return kRefused;
    }

    // Build every new line first, so a refused entry leaves every card as it was.
    const int journalNumber = static_cast<int>(journal_.size());
    std::vector<std::pair<Account*, std::vector<AccountLine>>> additions;
    for (int code : touched) {
        Account& account = accounts_.at(code);
        std::vector<AccountLine> lines;
        __int128 running = account.balance();
        auto addLine = [&](const Posting& posting, bool counterIsDebit) {
            const __int128 move = static_cast<__int128>(posting.amount) * account.sign;
            running += counterIsDebit ? -move : move;
            lines.push_back(AccountLine{
                journalNumber, entry.date, posting.code, counterIsDebit ? posting.amount : 0,
                counterIsDebit ? 0 : posting.amount, static_cast<Money>(running)});
            return withinLimit(running);
        };
        for (const Posting& posting : entry.debits) {
            if (posting.code != code && !addLine(posting, true)) {
                return kRefused;
            }
        }
        for (const Posting& posting : entry.credits) {
            if (posting.code != code && !addLine(posting, false)) {
                return kRefused;
            }
        }
        additions.emplace_back(&account, std::move(lines));
    }

    journal_.push_back(entry);
    for (auto& [account, lines] : additions) {
        account->card.insert(account->card.end(), lines.begin(), lines.end());
    }
    return kOk;
}

BalanceSnapshot Ledger::buildSnapshot(bool balanceSheet) const {
    BalanceSnapshot snapshot;
    snapshot.summaryCode = balanceSheet ? chart_.retainedEarningsCode() : chart_.summaryCode();
    __int128 creditTotal = 0;
    __int128 debitTotal = 0;
    for (const auto& [code, account] : accounts_) {
        const AccountTitle* title = chart_.find(code);
        if (title == nullptr) {
            continue;
        }
        const int type = title->type;
        const bool wanted =
            balanceSheet ? (type == kAssetType || type == kLiabilityType || type == kEquityType)
                         : (type == kRevenueType || type == kExpenseType);
        if (!wanted) {
            continue;
        }
        const Money amount = account.balance();
        snapshot.amounts.emplace_back(code, amount);
        (title->sign == -1 ? creditTotal : debitTotal) += amount;
    }
    const AccountTitle* summary = chart_.find(snapshot.summaryCode);
    if (summary == nullptr) {
        return snapshot;
    }
    for (auto& [code, amount] : snapshot.amounts) {
        if (code == snapshot.summaryCode) {
            amount = saturate(amount + (creditTotal - debitTotal) * summary->sign);
        }
    }
    return snapshot;
}

Closing Ledger::current(int date) const {
    return Closing{buildSnapshot(true), buildSnapshot(false), date};
}

void Ledger::close(int date) {
    closings_.push_back(current(date));
    archived_.push_back(std::move(journal_));
    journal_.clear();
    openAccounts(&closings_.back().balanceSheet);
}

const Closing* Ledger::closing(int k) const {
    const auto count = static_cast<long long>(closings_.size());
    long long index = -1;
    if (k < 0) {
        index = count + k;
    } else if (k > 0) {
        index = k - 1;
    }
    if (index < 0 || index >= count) {
        return nullptr;
    }
    return &closings_[static_cast<std::size_t>(index)];
}

std::optional<Closing> Ledger::snapshot(int k, int date) const {
    if (k == 0) {
        return current(date);
    }
    const Closing* stored = closing(k);
    if (stored == nullptr) {
        return std::nullopt;
    }
    return *stored;
}

Money Ledger::balance(int code) const {
    auto it = accounts_.find(code);
    return it == accounts_.end() ? 0 : it->second.balance();
}

std::string_view Ledger::title(int code) const {
    const AccountTitle* title = chart_.find(code);
    return title == nullptr ? std::string_view{} : std::string_view{title->title};
}

const Account* Ledger::account(int code) const {
    auto it = accounts_.find(code);
    return it == accounts_.end() ? nullptr : &it->second;
}

Money Ledger::groupSum(const BalanceSnapshot& snapshot, int group) const {
    Money total = 0;
    for (const auto& [code, amount] : snapshot.amounts) {
        const AccountTitle* title = chart_.find(code);
        if (title != nullptr && title->group == group) {
            total = saturatingAdd(total, amount);
        }
    }
    return total;
}

}  // namespace vellmora
