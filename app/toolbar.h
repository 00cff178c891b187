// The toolbar: 24 entries over the command table's actions, with the images of the program
// folder's strip "res/toolbar.png" (20 images of 32 × 30 pixels).
#pragma once

#include <string>
#include <vector>

class QToolBar;
class QWidget;

namespace vellmora {

class CommandTable;

struct ToolbarButton {
    enum class Style { Button, CheckGroup, Separator };
    int image;    // index in the strip, -1 for none
    int command;  // 0 for a separator
    Style style;
};

class Toolbar {
public:
    static constexpr int kHeight = 42;
    static constexpr int kImageWidth = 32;
    static constexpr int kImageHeight = 30;
    static constexpr int kImageCount = 20;

    // Builds the toolbar as a child of `parent` at (0, 0). Without the strip the buttons show
    // their short names instead of pictures.
    Toolbar(QWidget* parent, CommandTable& commands, const std::string& programFolder);

    QToolBar* widget() const { return bar_; }
    // Full width, 42 pixels high, at the top of the parent.
    void setWidth(int width);
    bool hasImages() const { return hasImages_; }

    static const std::vector<ToolbarButton>& buttons();

private:
    QToolBar* bar_;
    bool hasImages_ = false;
};

}  // namespace vellmora
