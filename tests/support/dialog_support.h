// Helpers for the dialog tests: reading the figures a dialog shows and steering nested dialogs.
#pragma once

#include <QAbstractButton>
#include <QLabel>
#include <QString>
#include <QStringList>
#include <functional>

#include "app/framework/dialog.h"

namespace vellmora::test {

// The lines of a figure label; null labels read as no lines.
inline QStringList labelLines(const Dialog& dialog, int id) {
    const QLabel* label = dialog.control<QLabel>(id);
    return label != nullptr ? label->text().split('\n') : QStringList();
}

// An amount as shown ("1,234", "-56") back as a number; grouping characters are skipped.
inline long long amountOf(const QString& text) {
    QString digits;
    for (QChar c : text) {
        if (c.isDigit() || c == '-') {
            digits += c;
        }
    }
    return digits.toLongLong();
}

inline long long amountAt(const Dialog& dialog, int id, int line = 0) {
    const QStringList lines = labelLines(dialog, id);
    return line < lines.size() ? amountOf(lines[line]) : 0;
}

inline void click(const Dialog& dialog, int id) {
    if (auto* button = dialog.control<QAbstractButton>(id)) {
        button->click();
    }
}

// Sets the show hook for the scope of the object.
class ShowHookScope {
public:
    explicit ShowHookScope(Dialog::ShowHook hook) { Dialog::setShowHook(std::move(hook)); }
    ~ShowHookScope() { Dialog::setShowHook(nullptr); }
    ShowHookScope(const ShowHookScope&) = delete;
    ShowHookScope& operator=(const ShowHookScope&) = delete;
};

}  // namespace vellmora::test
