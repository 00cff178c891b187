#include "app/framework/message_box.h"

#include <QMessageBox>

namespace vellmora {
namespace {

MessageHook& messageHook() {
    static MessageHook hook;
    return hook;
}

QMessageBox::Icon qtIcon(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Exclamation:
            return QMessageBox::Warning;
        case MessageIcon::Question:
            return QMessageBox::Question;
        case MessageIcon::Information:
            break;
    }
    return QMessageBox::Information;
}

}  // namespace

void setMessageHook(MessageHook hook) {
    messageHook() = std::move(hook);
}

void showMessage(QWidget* owner, const QString& text, MessageIcon icon, const QString& caption) {
    if (messageHook()) {
        messageHook()(caption, text, icon);
        return;
    }
    QMessageBox box(qtIcon(icon), caption, text, QMessageBox::Ok, owner);
    box.exec();
}

bool askQuestion(QWidget* owner, const QString& text, const QString& caption) {
    if (messageHook()) {
        return messageHook()(caption, text, MessageIcon::Question);
    }
    QMessageBox box(QMessageBox::Question, caption, text, QMessageBox::Yes | QMessageBox::No,
                    owner);
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

}  // namespace vellmora
