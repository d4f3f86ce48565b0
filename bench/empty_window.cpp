// zt-empty-window: the yardstick of the main program's start-up and idle cost — an empty Qt
// Widgets window of the device screen's default size, doing nothing.
//   zt-empty-window              shows the window until it is closed or ended
//   zt-empty-window --grab FILE  saves a picture of its first frame as a PNG (fast compression)
//                                and goes on idling, as the main program does with ZT_SCREENSHOT
#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <cstring>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Empty"));
    window.resize(480, 640);
    window.show();
    if (argc == 3 && std::strcmp(argv[1], "--grab") == 0) {
        const QString file = QString::fromLocal8Bit(argv[2]);
        QTimer::singleShot(0, &window, [&window, file] { window.grab().save(file, "PNG", 80); });
    }
    return app.exec();
}
