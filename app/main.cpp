// The game window, or with --screenshots DIR a scripted run that saves pictures of it.
#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/main_window.h"
#include "app/screenshots.h"
#include "app/signal_watch.h"
#include "app/translations.h"
#include "data/version.h"

namespace {

bool hasDisplay() {
    const char* x11 = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return (x11 != nullptr && x11[0] != '\0') || (wayland != nullptr && wayland[0] != '\0');
}

// Prefers a Japanese face so kanji take their Japanese shapes.
void useJapaneseFont(QApplication& application) {
    const QStringList families = QFontDatabase::families();
    for (const char* name : {"Noto Sans CJK JP", "Noto Sans JP", "IPAGothic", "VL Gothic"}) {
        if (families.contains(QString::fromLatin1(name))) {
            QFont font(QString::fromLatin1(name));
            font.setPointSizeF(application.font().pointSizeF());
            application.setFont(font);
            return;
        }
    }
}

}  // namespace

int main(int argc, char* argv[]) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    switch (vellmora::infoRequest(args)) {
        case vellmora::InfoRequest::Help:
            std::fputs(vellmora::windowUsage(), stdout);
            return 0;
        case vellmora::InfoRequest::Version:
            std::printf("vellmora %s\n", vellmora::versionString());
            return 0;
        case vellmora::InfoRequest::None:
            break;
    }
    QString error;
    const std::optional<vellmora::ScreenshotOptions> screenshots =
        vellmora::parseScreenshotArguments(args, error);
    if (!error.isEmpty()) {
        std::fprintf(stderr, "vellmora: %s (see vellmora --help)\n", error.toUtf8().constData());
        return vellmora::ScreenshotRun::kBadArguments;
    }
    if (screenshots.has_value() && !hasDisplay() && std::getenv("QT_QPA_PLATFORM") == nullptr) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }

    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("vellmora"));
    QApplication::setDesktopFileName(QStringLiteral(VELLMORA_APP_ID));
    useJapaneseFont(application);
    (void)vellmora::installQtTranslations(application,
                                          QString::fromLatin1(vellmora::kInterfaceLanguage));

    vellmora::ShellOptions options;
    options.autosave = !screenshots.has_value();
    vellmora::MainWindow window(options);
    // Watching from before create(): a signal during the start-up's question is acted on once
    // the event loop runs.
    const auto quitWatch =
        screenshots.has_value()
            ? nullptr
            : std::make_unique<vellmora::QuitSignalWatch>([&window] { window.onClose(); });
    window.create();
    if (!screenshots.has_value()) {
        return QApplication::exec();
    }

    window.showNormal();
    window.resize(1120, 760);
    vellmora::ScreenshotRun run(window, *screenshots);
    int code = 0;
    QTimer::singleShot(0, &window, [&run, &code] {
        code = run.run();
        QApplication::exit(code);
    });
    QApplication::exec();
    return code;
}
