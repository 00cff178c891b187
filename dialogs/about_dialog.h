// The about box: the program's title and its version.
#pragma once

#include "app/framework/dialog.h"

namespace vellmora {

class AboutDialog : public Dialog {
public:
    static constexpr const char* kVersion = "1.03";
    // `iconFile`: the picture shown beside the title; none when it cannot be loaded.
    explicit AboutDialog(QString iconFile = QString(), QWidget* parent = nullptr);

protected:
    bool onInitDialog() override;
    bool onCommand(int id, int code) override;

private:
    QString iconFile_;
};

}  // namespace vellmora
