// The game's message boxes: caption "message", one OK button, an icon.
#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace vellmora {

enum class MessageIcon { Information, Exclamation, Question };

// Shows a modal box and waits for OK.
void showMessage(QWidget* owner, const QString& text, MessageIcon icon,
                 const QString& caption = QStringLiteral("message"));

// A yes/no question with yes as the default; true for yes.
bool askQuestion(QWidget* owner, const QString& text,
                 const QString& caption = QStringLiteral("message"));

// While set, boxes are not shown: the hook receives each box (and answers a question) instead.
// The screenshot run prints them; tests record them.
using MessageHook =
    std::function<bool(const QString& caption, const QString& text, MessageIcon icon)>;
void setMessageHook(MessageHook hook);

}  // namespace vellmora
