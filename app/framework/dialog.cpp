#include "app/framework/dialog.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QBoxLayout>
#include <QCloseEvent>
#include <QPushButton>
#include <QTimer>

namespace vellmora {
namespace {

Dialog::ShowHook& showHook() {
    static Dialog::ShowHook hook;
    return hook;
}

}  // namespace

Dialog::Dialog(QWidget* parent) : QDialog(parent) {
    setModal(true);
}

Dialog::~Dialog() = default;

void Dialog::setShowHook(ShowHook hook) {
    showHook() = std::move(hook);
}

bool Dialog::prepare() {
    if (initialised_) {
        return true;
    }
    initialised_ = true;
    return onInitDialog();
}

int Dialog::doModal(QWidget* parent) {
    if (parent != nullptr && parent != parentWidget()) {
        setParent(parent, windowFlags() | Qt::Dialog);
    }
    result_ = -1;
    ended_ = false;
    prepare();
    if (ended_) {
        return result_;
    }
    if (showHook()) {
        QTimer::singleShot(0, this, [this] {
            if (!ended_) {
                showHook()(*this);
            }
        });
    }
    exec();
    return ended_ ? result_ : -1;
}

bool Dialog::endDialog(int result) {
    result_ = result;
    ended_ = true;
    done(result);
    return true;
}

QWidget* Dialog::control(int id) const {
    return findChild<QWidget*>(QString::number(id));
}

bool Dialog::onNotify(int, int) {
    return false;
}

bool Dialog::onClose() {
    return endDialog(0);
}

bool Dialog::onHScroll(int, int) {
    return false;
}

bool Dialog::closeOn128(int id) {
    if (id != kIdClose) {
        return false;
    }
    endDialog(0);
    return true;
}

bool Dialog::closeOnOk(int id) {
    if (id != kIdOk) {
        return false;
    }
    endDialog(0);
    return false;
}

void Dialog::setControlId(QWidget* widget, int id) {
    widget->setObjectName(QString::number(id));
}

void Dialog::bindCommand(QAbstractButton* button, int id) {
    setControlId(button, id);
    connect(button, &QAbstractButton::clicked, this, [this, id] { onCommand(id, 0); });
}

QPushButton* Dialog::addButtonRow(QBoxLayout* layout, const QString& text, int id,
                                  const QString& cancelText) {
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    auto* button = new QPushButton(text, this);
    bindCommand(button, id);
    button->setDefault(true);
    row->addWidget(button);
    if (!cancelText.isEmpty()) {
        auto* cancel = new QPushButton(cancelText, this);
        bindCommand(cancel, kIdCancel);
        row->addWidget(cancel);
    }
    layout->addLayout(row);
    return button;
}

void Dialog::bindSlider(QAbstractSlider* slider, int id) {
    setControlId(slider, id);
    connect(slider, &QAbstractSlider::valueChanged, this,
            [this, id](int value) { onHScroll(id, value); });
}

void Dialog::closeEvent(QCloseEvent* event) {
    event->ignore();
    if (!ended_) {
        onClose();
    }
}

void Dialog::reject() {
    if (!ended_) {
        onClose();
    }
}

}  // namespace vellmora
