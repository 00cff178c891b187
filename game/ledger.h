// Double-entry books of one firm: journals, account cards, year-end closings and the balance
// sheet and profit-and-loss snapshots built from them.
#pragma once

#include <map>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include "game/account_chart.h"
#include "game/money.h"

namespace vellmora {

class ByteReader;
class ByteWriter;

struct Posting {
    int code = 0;
    Money amount = 0;  // positive in a normal entry; negative when a posting runs in reverse
};

struct JournalEntry {
    int date = 0;  // dateCode
    std::vector<Posting> debits;
    std::vector<Posting> credits;

    Money debitTotal() const;   // saturating sum
    Money creditTotal() const;  // saturating sum
    bool balanced() const { return debitTotal() == creditTotal(); }
};

struct AccountLine {
    int journalNumber = 0;   // index in the year's journal; 0 for an opening line
    int date = 0;            // 0 for an opening line
    int counterCode = -1;    // -1 for an opening line
    Money counterDebit = 0;  // opening balance for an opening line
    Money counterCredit = 0;
    Money balance = 0;  // running balance after this line
};

struct Account {
    int code = 0;
    int sign = 0;
    std::vector<AccountLine> card;  // never empty once opened

    Money balance() const { return card.empty() ? 0 : card.back().balance; }
};

struct BalanceSnapshot {
    std::vector<std::pair<int, Money>> amounts;  // (code, amount) in code order
    int summaryCode = 0;

    // 0 when the code is not in the snapshot.
    Money amount(int code) const;
};

// A year-end closing, or a fresh pair of snapshots of the current balances.
struct Closing {
    BalanceSnapshot balanceSheet;
    BalanceSnapshot profitAndLoss;
    int date = 0;
};

class Ledger {
public:
    // Takes the chart and opens every account at 0; forgets all journals and closings.
    void open(const AccountChart& chart);

    // Appends a balanced entry to the year's journal and writes its lines into every account it
    // touches. Refused (kRefused, nothing changed) when the entry is unbalanced, names a code
    // outside the chart, or would take an amount or balance beyond kMoneyLimit.
    [[nodiscard]] int post(const JournalEntry& entry);

    // Year-end closing: stores the snapshots, archives the journal and reopens every account
    // (revenues and expenses at 0, the balance-sheet accounts at their closing amounts, which
    // carry the year's result in retained earnings).
    void close(int date);

    // Snapshots of the current balances, stamped with `date`.
    Closing current(int date) const;
    // k < 0: the closing k places from the end (-1 the latest); k > 0: the k-th closing from the
    // first (1); k = 0: current(date). Nothing when no such closing exists.
    std::optional<Closing> snapshot(int k, int date) const;
    // The stored closing for k (k != 0) as above, or nullptr.
    const Closing* closing(int k) const;

    // Running balance of the account; 0 for a code that has no account.
    Money balance(int code) const;
    // The chart title; empty when the code is not in the chart.
    std::string_view title(int code) const;
    bool hasAccount(int code) const { return accounts_.count(code) != 0; }
    // Sum of the snapshot amounts whose chart group is `group` (saturating).
    Money groupSum(const BalanceSnapshot& snapshot, int group) const;

    const AccountChart& chart() const { return chart_; }
    const Account* account(int code) const;
    const std::vector<JournalEntry>& journal() const { return journal_; }
    const std::vector<std::vector<JournalEntry>>& archivedJournals() const { return archived_; }
    const std::vector<Closing>& closings() const { return closings_; }

    // The journals of every year with their closing dates. Loading reopens the books on the
    // chart and posts every entry again, closing each year as it was closed, so the cards and
    // snapshots come out as they were; kRefused when an entry is refused (the books are then
    // reopened empty).
    void saveState(ByteWriter& out) const;
    [[nodiscard]] int loadState(ByteReader& in);

private:
    BalanceSnapshot buildSnapshot(bool balanceSheet) const;
    void openAccounts(const BalanceSnapshot* carried);

    AccountChart chart_;
    std::map<int, Account> accounts_;
    std::vector<JournalEntry> journal_;
    std::vector<std::vector<JournalEntry>> archived_;
    std::vector<Closing> closings_;
};

}  // namespace vellmora
