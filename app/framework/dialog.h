// Base of every dialog: modal, built on the stack by the command that opens it, answering the
// integer its endDialog received. Controls carry their numeric ids as object names and report to
// onCommand / onHScroll with them; Qt's event dispatch replaces the dialog procedure.
#pragma once

#include <QDialog>
#include <functional>

class QAbstractButton;
class QBoxLayout;
class QPushButton;
class QAbstractSlider;

namespace vellmora {

// Standard control ids.
inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;
inline constexpr int kIdClose = 128;

class Dialog : public QDialog {
public:
    explicit Dialog(QWidget* parent = nullptr);
    ~Dialog() override;

    // Runs onInitDialog and the modal loop over `parent`; answers what endDialog received, or -1
    // when the dialog cannot be shown.
    int doModal(QWidget* parent);

    // Ends the modal loop with `result`.
    virtual bool endDialog(int result);

    // The control whose id is `id`, or null.
    QWidget* control(int id) const;
    template <typename T>
    T* control(int id) const {
        return qobject_cast<T*>(control(id));
    }

    // Runs onInitDialog without the modal loop (tests and screenshots drive the dialog then).
    bool prepare();

    // Called with every dialog once it is on screen, instead of waiting for the player. Lets the
    // screenshot run and tests look at a dialog and end it.
    using ShowHook = std::function<void(Dialog&)>;
    static void setShowHook(ShowHook hook);

protected:
    // Handlers, in the order of the dialog's message table.
    virtual bool onInitDialog() = 0;
    virtual bool onCommand(int id, int code) = 0;
    virtual bool onNotify(int id, int code);
    // The window's close box and Escape: endDialog(0) unless a dialog says otherwise.
    virtual bool onClose();
    virtual bool onHScroll(int id, int position);

    // The two standard command handlers: id 128 ends with 0 (true), IDOK ends with 0 (false).
    bool closeOn128(int id);
    bool closeOnOk(int id);

    // Gives the control its id and routes its signals to the handlers.
    void bindCommand(QAbstractButton* button, int id);
    void bindSlider(QAbstractSlider* slider, int id);
    void setControlId(QWidget* widget, int id);
    // Ends `layout` with a row holding one default button at the right, bound to `id`, and a
    // button bound to kIdCancel after it when `cancelText` is given.
    QPushButton* addButtonRow(QBoxLayout* layout, const QString& text, int id,
                              const QString& cancelText = QString());

    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    int result_ = -1;
    bool ended_ = false;
    bool initialised_ = false;
};

}  // namespace vellmora
